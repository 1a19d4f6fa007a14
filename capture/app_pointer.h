#pragma once
// The pointer shape set for the whole program, as the forms set it for the
// screen: while it is not Default every window that consults it in
// WM_SETCURSOR shows it, over itself and over its child controls.
#include <windows.h>

#include "capture/capture_geometry.h"

namespace quillane::capture {

// Sets the shape and shows it at once (Default shows the standard arrow
// until the window under the pointer sets its own).
void SetAppPointer(Pointer shape);
Pointer AppPointer();
// For WM_SETCURSOR: shows the program's shape and returns true, or returns
// false when it is Default and the window's own pointer applies.
bool ShowAppPointer();
HCURSOR CursorFor(Pointer shape);

}  // namespace quillane::capture
