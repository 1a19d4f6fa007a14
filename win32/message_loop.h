#pragma once
// The program's one message loop. Every loop of the program (the main window
// shown modally, modal windows, the configuration dialog modal or modeless)
// and every test that waits runs this one, so keyboard navigation of
// dialog-like windows lives here alone.
#include <windows.h>

namespace quillane::win {

// Runs the loop until `window` is destroyed (a modal show).
void RunUntilClosed(HWND window);

// Runs the loop until the thread's WM_QUIT; returns its exit code.
int RunUntilQuit();

// Dispatches every message already waiting; returns at once when none is.
void PumpPendingMessages();

// A window that keeps its own tab order, other than its controls' stacking,
// answers this registered message: wParam is TRUE for Shift+Tab, lParam the
// focused control; the result is the control to focus next, or 0 for the
// system's order.
UINT NextTabStopMessage();

}  // namespace quillane::win
