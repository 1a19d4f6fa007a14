#pragma once
// Small helpers for tests that drive real windows.
#include <windows.h>

#include <string>

#include "win32/message_loop.h"

namespace quillane::testing_support {

// A plain top-level window the test owns, e.g. a stand-in preview box.
class PlainWindow {
 public:
  PlainWindow(const wchar_t* title, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
      : hwnd_(CreateWindowExW(0, L"STATIC", title, style, 40, 40, width, height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr)) {
    win::PumpPendingMessages();
  }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  ~PlainWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  HWND Handle() const { return hwnd_; }

 private:
  HWND hwnd_;
};

inline SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

inline std::wstring WindowText(HWND window) {
  wchar_t text[512]{};
  GetWindowTextW(window, text, 512);
  return text;
}

// The window's rectangle in its parent's client coordinates.
inline RECT PlaceInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Counts pixels of the client area that differ from `background`, on a grid.
inline int PixelsDifferentFrom(HWND window, COLORREF background, int step = 4) {
  const SIZE size = ClientSize(window);
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = 0; y < size.cy; y += step)
    for (int x = 0; x < size.cx; x += step) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (pixel != CLR_INVALID && pixel != background) ++count;
    }
  ReleaseDC(window, dc);
  return count;
}

}  // namespace quillane::testing_support
