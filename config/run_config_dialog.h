#pragma once
// Start-up's entry to frmConfig, without owner.
#include <windows.h>

#include "config/settings_store.h"

namespace quillane::win {

// Modal: runs the message loop until the dialog is gone and returns IDOK
// when cmdOK stored the settings, IDCANCEL otherwise (a WM_QUIT that arrives
// meanwhile is posted again for the caller's loop).
// Modeless: shows the dialog and returns 0 at once; the caller runs the
// message loop (win::RunUntilQuit). When the dialog closes it posts WM_QUIT:
// the process lives as long as the dialog.
// Either way -1 when the window cannot be created. The store must outlive the dialog.
int RunConfigDialog(bool modal, SettingsStore& store);

}  // namespace quillane::win
