#include "startup/command_line.h"

#include <algorithm>
#include <array>

#include "pattern/run_mode.h"

namespace quillane {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsOneOf(std::wstring_view value, const std::array<std::wstring_view, 3>& choices) {
  for (auto c : choices)
    if (value == c) return true;
  return false;
}

// The preview handle: the whole unsigned decimal number after the switch. A
// number too large for a window handle gives 0, which no window has.
std::uint32_t PreviewHandleOf(std::wstring_view trimmed) {
  std::wstring_view rest = trimmed.substr(std::min<std::size_t>(2, trimmed.size()));
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  if (!rest.empty() && rest.front() == L':') rest.remove_prefix(1);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  std::uint64_t value = 0;
  for (wchar_t c : rest) {
    if (c < L'0' || c > L'9') break;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
  std::size_t i = 0;
  if (i < commandLine.size() && commandLine[i] == L'"') {
    ++i;
    while (i < commandLine.size() && commandLine[i] != L'"') ++i;
    if (i < commandLine.size()) ++i;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

std::wstring SwitchOf(std::wstring_view arguments) {
  std::wstring result(Trim(arguments).substr(0, 2));
  for (auto& c : result)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return result;
}

Launch ParseLaunch(std::wstring_view arguments) {
  const std::wstring s = SwitchOf(arguments);
  Launch launch;
  if (s.empty() || IsOneOf(s, {L"/s", L"-s", L"s"})) {
    launch.Mode = LaunchMode::Saver;
    launch.FullScreen = !s.empty();
  } else if (IsOneOf(s, {L"/c", L"-c", L"c"})) {
    launch.Mode = LaunchMode::ConfigModal;
  } else if (IsOneOf(s, {L"/p", L"-p", L"p"})) {
    launch.Mode = LaunchMode::Preview;
    launch.PreviewParent = PreviewHandleOf(Trim(arguments));
  } else if (IsOneOf(s, {L"/a", L"-a", L"a"})) {
    launch.Mode = LaunchMode::ChangePassword;
  } else {
    launch.Mode = LaunchMode::ConfigModeless;
  }
  return launch;
}

std::wstring_view RunModeFor(LaunchMode mode) {
  switch (mode) {
    case LaunchMode::Saver: return kRunModeSaver;
    case LaunchMode::Preview: return kRunModePreview;
    default: return {};
  }
}

}  // namespace quillane
