#pragma once
#include <windows.h>

namespace quillane::win {

// Runs the thread's message loop until `window` is destroyed (a modal show),
// letting dialog windows handle their own keyboard navigation.
void RunUntilClosed(HWND window);

// Dispatches every message already waiting; returns at once when none is.
void PumpPendingMessages();

}  // namespace quillane::win
