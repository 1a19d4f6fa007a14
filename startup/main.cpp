#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "pattern/random_source.h"
#include "startup/saver_host.h"
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
  quillane::ProgramServices services{{host, random, dialogs, shell}, [](bool modal) {
    // The settings dialog is not built yet; say so rather than do nothing.
    MessageBoxW(nullptr, L"万花筒屏幕保护", L"配置", modal ? MB_OK : MB_OK | MB_SYSTEMMODAL);
  }};
  const int result = quillane::RunProgram(quillane::ArgumentsOf(GetCommandLineW()), services);
  OleUninitialize();
  return result;
}
