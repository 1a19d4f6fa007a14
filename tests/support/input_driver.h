#pragma once
// Mouse and keyboard input for tests, at a window's client coordinates.
// Posted: the messages go straight into the window's queue, as the system
// would deliver them; fast, but the cursor does not move and nothing reads
// it. Real: through SendInput, so the system moves the cursor, applies
// capture and hit testing, and makes double-clicks; needed by code that
// reads GetCursorPos or holds the mouse captured. Every call returns once
// the input has been handled (messages are pumped meanwhile).
#include <windows.h>

#include <functional>
#include <string_view>

namespace quillane::testing_support {

enum class Delivery { Posted, Real };
enum class MouseButton { Left, Right, Middle };

// The screen point of a client point of `window`; with no window the point
// is a screen point already (for the menu bar and other non-client parts).
POINT ScreenPoint(HWND window, POINT client);

void MoveMouse(HWND window, POINT client, Delivery how);
void MouseDown(HWND window, POINT client, MouseButton button, Delivery how);
void MouseUp(HWND window, POINT client, MouseButton button, Delivery how);
void Click(HWND window, POINT client, Delivery how, MouseButton button = MouseButton::Left);
void DoubleClick(HWND window, POINT client, Delivery how, MouseButton button = MouseButton::Left);
// Press at `from`, `steps` moves along the line, release at `to`.
void Drag(HWND window, POINT from, POINT to, Delivery how, MouseButton button = MouseButton::Left, int steps = 8);

// Modifier keys held during a key press.
enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };
// A key press and release. Posted goes to `target` (the focus when null),
// with Alt as a system key; Real goes wherever the system sends it.
void PressKey(UINT virtualKey, Delivery how, unsigned modifiers = kNoModifier, HWND target = nullptr);
// Characters as typed (Real: Unicode input; Posted: WM_CHAR to the focus).
void TypeText(std::wstring_view text, Delivery how);

// Runs `actions` (real input, with pauses) on another thread while this one
// pumps its messages, so a modal loop this thread enters (a menu, a dialog)
// can be driven to its end. True when the actions finished within the time.
bool WhilePumping(const std::function<void()>& actions, DWORD timeoutMs = 10000);
// For such actions: waits until the thread of `window` (visible, with some
// client area of its own) has handled every input sent so far and what that
// posted in turn, in a modal loop or not. The window is marked for repainting,
// and a thread repaints only once no input and no posted message waits.
bool WaitUntilHandled(HWND window, DWORD timeoutMs = 5000);

}  // namespace quillane::testing_support
