#pragma once
// For the capture tests: a backdrop whose every pixel is known, real mouse
// and key input, waiting that pumps messages, and the screen's pixels.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace quillane::capture::testing {

inline void PumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    win::PumpPendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  win::PumpPendingMessages();
}

inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  const DWORD end = GetTickCount() + timeoutMs;
  while (!done()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return done();
    win::PumpPendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// Real input through SendInput, at screen pixels.
inline INPUT MouseInput(DWORD flags, POINT screen) {
  const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Rounded up, so that scaling back to pixels lands on the pixel itself.
  input.mi.dx = static_cast<LONG>(((screen.x - vx) * 65536LL + vw - 1) / vw);
  input.mi.dy = static_cast<LONG>(((screen.y - vy) * 65536LL + vh - 1) / vh);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  return input;
}
inline void SendMouse(DWORD flags, POINT screen) {
  INPUT input = MouseInput(flags, screen);
  SendInput(1, &input, sizeof input);
  WaitUntil([&] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == screen.x && at.y == screen.y;
  }, 500);
  PumpFor(15);
}
enum class Button { Left, Right, Middle };
inline DWORD DownFlag(Button b) {
  return b == Button::Left ? MOUSEEVENTF_LEFTDOWN : b == Button::Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_MIDDLEDOWN;
}
inline DWORD UpFlag(Button b) {
  return b == Button::Left ? MOUSEEVENTF_LEFTUP : b == Button::Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_MIDDLEUP;
}
inline void MoveTo(POINT screen) { SendMouse(0, screen); }
inline void Press(POINT screen, Button b = Button::Left) { SendMouse(DownFlag(b), screen); }
inline void Release(POINT screen, Button b = Button::Left) { SendMouse(UpFlag(b), screen); }
// Press and release in one go: a press may start a loop of its own (a menu's)
// that only the release ends.
inline void Click(POINT screen, Button b = Button::Left) {
  MoveTo(screen);
  INPUT inputs[2] = {MouseInput(DownFlag(b), screen), MouseInput(UpFlag(b), screen)};
  SendInput(2, inputs, sizeof inputs[0]);
  PumpFor(GetDoubleClickTime() / 2 + 300);  // the next click is not a double-click
}
inline void Drag(POINT from, POINT to, Button b = Button::Left, int steps = 6) {
  MoveTo(from);
  Press(from, b);
  for (int i = 1; i <= steps; ++i)
    MoveTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  Release(to, b);
}
inline void PressKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
  PumpFor(30);
}

// The colour of the backdrop's pixel at screen (x, y): different for every
// pixel of a screen up to 4096 x 4096.
inline COLORREF BackdropColour(int x, int y) {
  return RGB(x & 0xFF, y & 0xFF, ((x >> 8) & 0x0F) | (((y >> 8) & 0x0F) << 4));
}

// A topmost window over every monitor painted with BackdropColour.
class Backdrop {
 public:
  Backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Backdrop::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillaneCaptureTestBackdrop";
    RegisterClassW(&wc);
    left_ = GetSystemMetrics(SM_XVIRTUALSCREEN);
    top_ = GetSystemMetrics(SM_YVIRTUALSCREEN);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, left_,
                            top_, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                            nullptr, wc.hInstance, nullptr);
    UpdateWindow(hwnd_);
    // Shown once the screen itself has its far corner.
    const int right = left_ + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
    const int bottom = top_ + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1;
    WaitUntil([&] {
      const win::WindowDc screen(nullptr);
      return GetPixel(screen.Get(), right, bottom) == BackdropColour(right, bottom) &&
             GetPixel(screen.Get(), left_ + 1, top_ + 2) == BackdropColour(left_ + 1, top_ + 2);
    });
  }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;
  ~Backdrop() {
    DestroyWindow(hwnd_);
    win::PumpPendingMessages();
  }
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    const win::PaintDc dc(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    auto [bitmap, pixels] = win::CreateDibSection(client.right, client.bottom);
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) {
        const COLORREF c = BackdropColour(origin.x + x, origin.y + y);
        pixels[static_cast<std::size_t>(y) * client.right + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
      }
    const win::MemoryDc memory(dc.Get());
    const win::SelectGuard selected(memory.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return 0;
  }
  int left_ = 0;
  int top_ = 0;
  HWND hwnd_ = nullptr;
};

// The screen's pixels in that rectangle as COLORREF values, row by row.
inline std::vector<COLORREF> ScreenPixels(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<COLORREF> out(static_cast<std::size_t>(w) * h);
  auto [bitmap, pixels] = win::CreateDibSection(w, h);
  {
    const win::WindowDc screen(nullptr);
    const win::MemoryDc memory(screen.Get());
    const win::SelectGuard selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
  }
  GdiFlush();
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF);
  return out;
}

}  // namespace quillane::capture::testing
