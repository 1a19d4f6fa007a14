#pragma once
// Start-up's entry to frmConfig, without owner.
#include <windows.h>

#include "config/settings_store.h"

namespace quillane::win {

// Modal: runs its own message loop until the dialog is gone and returns IDOK
// when cmdOK stored the settings, IDCANCEL otherwise (a WM_QUIT that arrives
// meanwhile is posted again for the caller's loop).
// Modeless: shows the dialog and returns 0 at once; the caller runs the message
// loop, passing each message through RouteConfigDialogMessage first. When the
// dialog closes it posts WM_QUIT: the process lives as long as the dialog.
// Either way -1 when the window cannot be created. The store must outlive the dialog.
int RunConfigDialog(bool modal, SettingsStore& store);

// For the caller's loop while a modeless dialog is open: true when the message
// was a dialog key (Enter, Esc, Tab, arrows) and was used; do not dispatch it then.
//   while (GetMessageW(&msg, nullptr, 0, 0) > 0)
//     if (!RouteConfigDialogMessage(msg)) { TranslateMessage(&msg); DispatchMessageW(&msg); }
bool RouteConfigDialogMessage(MSG& message);

}  // namespace quillane::win
