#pragma once
// The program's entry: reads the command line and runs the saver, its preview,
// the configuration dialog or the password change.
#include <functional>
#include <memory>
#include <string_view>

#include "pattern/flower_engine.h"
#include "pattern/frm_screen_saver.h"
#include "startup/command_line.h"
#include "config/settings_store.h"
#include "pattern/saver_host.h"

namespace quillane {

struct ProgramServices {
  MainWindowServices Window;
  // The configuration dialog's settings, which shape the saver's start.
  SettingsStore& Settings;
  // Shows the configuration dialog; modal runs until it closes.
  std::function<void(bool modal)> ShowConfig;
};

// Sets the run mode and makes what the launch asks for, without running the
// message loop. Returns the main window when the saver or its preview runs.
std::unique_ptr<FrmScreenSaver> BeginLaunch(const Launch& launch, ProgramServices& services);

// BeginLaunch, then the message loop until the program's last window is gone.
int RunProgram(std::wstring_view arguments, ProgramServices& services);

}  // namespace quillane
