#pragma once
// For the capture tests: a window over every monitor whose every pixel is
// known, so a frozen picture can be checked pixel by pixel.
#include <windows.h>

#include "pixel_probe.h"
#include "waiting.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace quillane::capture::testing {

// The colour of the backdrop's pixel at screen (x, y): different for every
// pixel of a screen up to 4096 x 4096.
inline COLORREF BackdropColour(int x, int y) {
  return RGB(x & 0xFF, y & 0xFF, ((x >> 8) & 0x0F) | (((y >> 8) & 0x0F) << 4));
}

// How many of the pixels, taken at screen (left, top), differ from the backdrop.
inline int DifferencesFromBackdrop(const testing_support::Pixels& pixels, int left, int top) {
  int count = 0;
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x) count += pixels.At(x, y) != BackdropColour(left + x, top + y);
  return count;
}

// Topmost over every monitor, painted with BackdropColour; shown on the
// screen, up to its far corner, once constructed.
class Backdrop {
 public:
  Backdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Backdrop::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillaneCaptureTestBackdrop";
    RegisterClassW(&wc);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, left, top,
                            width, height, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(hwnd_);
    const POINT corners[] = {{left + 1, top + 2}, {left + width - 1, top + height - 1}};
    testing_support::WaitUntil([&] {
      for (const POINT p : corners)
        if (testing_support::ScreenPixel(p) != BackdropColour(p.x, p.y)) return false;
      return true;
    });
  }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;
  ~Backdrop() {
    DestroyWindow(hwnd_);
    win::PumpPendingMessages();
  }

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
  HWND hwnd_ = nullptr;
};

}  // namespace quillane::capture::testing
