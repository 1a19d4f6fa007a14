#include "pattern/run_rules.h"

#include "pattern/run_mode.h"

namespace quillane {

void ExitSaver(HWND mainWindow, SaverHost& host) {
  if (IsPreviewMode()) return;
  if (host.IsPasswordEnabled()) {
    host.ShowCursor(TRUE);
    if (host.VerifyScreenSavePwd(mainWindow) == 0) {
      host.ShowCursor(FALSE);
      return;
    }
  }
  DestroyWindow(mainWindow);
}

void OnSaverUnload(SaverHost& host) {
  if (IsPreviewMode()) return;
  UINT previous = 1;
  host.SystemParameters(SPI_SCREENSAVERRUNNING, 0, &previous, 0);
  host.ShowCursor(TRUE);
}

}  // namespace quillane
