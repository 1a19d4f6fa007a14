#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "config/registry_settings_store.h"
#include "config/run_config_dialog.h"
#include "pattern/random_source.h"
#include "pattern/saver_host.h"
#include "startup/startup.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);

  quillane::SystemSaverHost host;
  quillane::SeededRandom random(quillane::FreshSeed());
  quillane::win::SystemDialogs dialogs;
  quillane::win::SystemShell shell;
  quillane::win::RegistrySettingsStore settings;
  quillane::ProgramServices services{{host, random, dialogs, shell}, settings, [&settings](bool modal) {
    if (quillane::win::RunConfigDialog(modal, settings) != 0 || modal) return;
    // Modeless: the process lives as long as the dialog, which quits the loop.
    quillane::win::RunUntilQuit();
  }};
  const int result = quillane::RunProgram(quillane::ArgumentsOf(GetCommandLineW()), services);
  OleUninitialize();
  return result;
}
