#pragma once
// How the screen-saver host's command line decides the way the program runs.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillane {

enum class LaunchMode {
  Saver,           // no arguments, /s, -s, s
  ConfigModal,     // /c, -c, c
  Preview,         // /p, -p, p
  ChangePassword,  // /a, -a, a
  ConfigModeless,  // anything else
};

struct Launch {
  LaunchMode Mode = LaunchMode::Saver;
  // The saver was asked for explicitly (by the host), not started bare.
  bool FullScreen = false;
  // Preview only: the preview box's window handle, 0 when none was given.
  std::uint32_t PreviewParent = 0;
};

// The arguments after the program name, as the process's command line holds them.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

// The first two characters of the trimmed arguments, lower-cased.
std::wstring SwitchOf(std::wstring_view arguments);

Launch ParseLaunch(std::wstring_view arguments);

// The run mode a launch sets (see pattern/run_mode.h).
std::wstring_view RunModeFor(LaunchMode mode);

}  // namespace quillane
