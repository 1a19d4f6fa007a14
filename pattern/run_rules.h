#pragma once
// What ends the running saver and what its end tells the system.
#include <windows.h>

#include "pattern/saver_host.h"

namespace quillane {

// Any key: outside the preview, checks the password when one is set and then
// destroys `mainWindow`.
void ExitSaver(HWND mainWindow, SaverHost& host);

// The main window's unload: outside the preview, tells the system the saver no
// longer runs and shows the cursor again.
void OnSaverUnload(SaverHost& host);

}  // namespace quillane
