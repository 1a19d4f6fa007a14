#include "input_driver.h"

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "waiting.h"
#include "win32/message_loop.h"

namespace quillane::testing_support {
namespace {

// Buttons held by posted presses, for the key state of posted moves.
WPARAM postedButtons = 0;

WPARAM ButtonFlag(MouseButton button) {
  switch (button) {
    case MouseButton::Right: return MK_RBUTTON;
    case MouseButton::Middle: return MK_MBUTTON;
    default: return MK_LBUTTON;
  }
}

LPARAM ClientLParam(POINT client) { return MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)); }

// Until everything sent or posted so far has been handled.
void Settle() {
  win::PumpPendingMessages();
  WaitUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_TIMER & ~QS_PAINT)) == 0; }, 1000);
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The absolute position SendInput takes for a screen point: the middle of the
// pixel in the 0..65535 scale of the virtual screen.
INPUT AbsoluteMouse(POINT screen, LONG nudgeX, LONG nudgeY) {
  const LONGLONG left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const LONGLONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>(((2 * (screen.x - left) + 1) * 65536) / (2 * width)) + nudgeX;
  input.mi.dy = static_cast<LONG>(((2 * (screen.y - top) + 1) * 65536) / (2 * height)) + nudgeY;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  return input;
}

bool CursorAt(POINT screen) {
  POINT now{};
  GetCursorPos(&now);
  return now.x == screen.x && now.y == screen.y;
}

// Puts the real cursor on `screen`, correcting the scale's rounding if the
// system lands a pixel off.
void MoveCursorTo(POINT screen) {
  LONG nudgeX = 0, nudgeY = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    Send({AbsoluteMouse(screen, nudgeX, nudgeY)});
    if (CursorAt(screen)) return;
    POINT now{};
    GetCursorPos(&now);
    nudgeX += (screen.x - now.x) * 24;
    nudgeY += (screen.y - now.y) * 24;
  }
}

// A button event where the cursor is, without a move: a click by a person
// who holds the mouse still.
INPUT ButtonInput(MouseButton button, bool down);

void RealButton(POINT screen, MouseButton button, bool down) {
  if (!CursorAt(screen)) MoveCursorTo(screen);
  Send({ButtonInput(button, down)});
  Settle();
}

DWORD RealButtonFlags(MouseButton button, bool down) {
  switch (button) {
    case MouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
}

INPUT ButtonInput(MouseButton button, bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = RealButtonFlags(button, down);
  return input;
}

UINT PostedButtonMessage(MouseButton button, bool down, bool doubleClick = false) {
  switch (button) {
    case MouseButton::Right: return doubleClick ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle: return doubleClick ? WM_MBUTTONDBLCLK : down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return doubleClick ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  }
}

void PostButton(HWND window, POINT client, MouseButton button, bool down, bool doubleClick = false) {
  if (down) postedButtons |= ButtonFlag(button);
  PostMessageW(window, PostedButtonMessage(button, down, doubleClick), postedButtons, ClientLParam(client));
  if (!down) postedButtons &= ~ButtonFlag(button);
  Settle();
}

bool IsExtendedKey(UINT key) {
  switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(UINT key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

std::vector<UINT> ModifierKeys(unsigned modifiers) {
  std::vector<UINT> keys;
  if (modifiers & kShift) keys.push_back(VK_SHIFT);
  if (modifiers & kControl) keys.push_back(VK_CONTROL);
  if (modifiers & kAlt) keys.push_back(VK_MENU);
  return keys;
}

LPARAM KeyLParam(UINT key, bool down, bool alt) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  LPARAM value = 1 | (scan << 16) | (IsExtendedKey(key) ? (1 << 24) : 0) | (alt ? (1 << 29) : 0);
  if (!down) value |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return value;
}

}  // namespace

POINT ScreenPoint(HWND window, POINT client) {
  if (window) ClientToScreen(window, &client);
  return client;
}

void MoveMouse(HWND window, POINT client, Delivery how) {
  if (how == Delivery::Real) {
    MoveCursorTo(ScreenPoint(window, client));
  } else {
    PostMessageW(window, WM_MOUSEMOVE, postedButtons, ClientLParam(client));
  }
  Settle();
}

void MouseDown(HWND window, POINT client, MouseButton button, Delivery how) {
  if (how == Delivery::Real) {
    RealButton(ScreenPoint(window, client), button, true);
  } else {
    PostButton(window, client, button, true);
  }
}

void MouseUp(HWND window, POINT client, MouseButton button, Delivery how) {
  if (how == Delivery::Real) {
    RealButton(ScreenPoint(window, client), button, false);
  } else {
    PostButton(window, client, button, false);
  }
}

void Click(HWND window, POINT client, Delivery how, MouseButton button) {
  MouseDown(window, client, button, how);
  MouseUp(window, client, button, how);
}

void DoubleClick(HWND window, POINT client, Delivery how, MouseButton button) {
  if (how == Delivery::Real) {
    const POINT screen = ScreenPoint(window, client);
    if (!CursorAt(screen)) MoveCursorTo(screen);
    Send({ButtonInput(button, true), ButtonInput(button, false), ButtonInput(button, true), ButtonInput(button, false)});
    Settle();
    return;
  }
  PostButton(window, client, button, true);
  PostButton(window, client, button, false);
  PostButton(window, client, button, true, true);
  PostButton(window, client, button, false);
}

void Drag(HWND window, POINT from, POINT to, Delivery how, MouseButton button, int steps) {
  MouseDown(window, from, button, how);
  for (int i = 1; i <= steps; ++i) {
    const POINT at{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    MoveMouse(window, at, how);
  }
  MouseUp(window, to, button, how);
}

void PressKey(UINT virtualKey, Delivery how, unsigned modifiers, HWND target) {
  const std::vector<UINT> held = ModifierKeys(modifiers);
  if (how == Delivery::Real) {
    std::vector<INPUT> inputs;
    for (const UINT key : held) inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(virtualKey, true));
    inputs.push_back(KeyInput(virtualKey, false));
    for (auto key = held.rbegin(); key != held.rend(); ++key) inputs.push_back(KeyInput(*key, false));
    Send(inputs);
    Settle();
    return;
  }
  if (!target) target = GetFocus();
  // Posted keys do not change the key state; the receiver reads it for the modifiers.
  BYTE saved[256]{};
  GetKeyboardState(saved);
  BYTE state[256];
  std::copy(std::begin(saved), std::end(saved), state);
  for (const UINT key : held) state[key] |= 0x80;
  SetKeyboardState(state);
  const bool alt = (modifiers & kAlt) != 0 || virtualKey == VK_MENU;
  const bool system = alt || virtualKey == VK_F10 || virtualKey == VK_MENU;
  PostMessageW(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, KeyLParam(virtualKey, true, alt));
  PostMessageW(target, system ? WM_SYSKEYUP : WM_KEYUP, virtualKey, KeyLParam(virtualKey, false, alt));
  Settle();
  SetKeyboardState(saved);
}

void TypeText(std::wstring_view text, Delivery how) {
  for (const wchar_t c : text) {
    if (how == Delivery::Real) {
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wScan = c;
      down.ki.dwFlags = KEYEVENTF_UNICODE;
      INPUT up = down;
      up.ki.dwFlags |= KEYEVENTF_KEYUP;
      Send({down, up});
    } else {
      PostMessageW(GetFocus(), WM_CHAR, c, 1);
    }
    Settle();
  }
}

bool WaitUntilHandled(HWND window, DWORD timeoutMs) {
  InvalidateRect(window, nullptr, FALSE);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetUpdateRect(window, nullptr, FALSE)) {
    if (GetTickCount64() >= end) return false;
    Sleep(1);  // the other thread is the one to move
  }
  return true;
}

bool WhilePumping(const std::function<void()>& actions, DWORD timeoutMs) {
  std::atomic<bool> done{false};
  std::thread actor([&] {
    actions();
    done = true;
  });
  const bool finished = WaitUntil([&] { return done.load(); }, timeoutMs);
  actor.join();
  return finished;
}

}  // namespace quillane::testing_support
