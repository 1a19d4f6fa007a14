#pragma once
// Reading what the screen or a window shows, independently of the code under test.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace quillane::testing_support {

// A block of pixels as COLORREF values, row by row.
struct Pixels {
  int Width = 0;
  int Height = 0;
  std::vector<COLORREF> Data;
  COLORREF At(int x, int y) const { return Data[static_cast<std::size_t>(y) * Width + x]; }
  // How many pixels differ from `colour`.
  int CountOtherThan(COLORREF colour) const;
  bool operator==(const Pixels&) const = default;
};

// One pixel of the screen (CLR_INVALID off the screen).
COLORREF ScreenPixel(POINT screen);
// A rectangle of the screen as it is shown now.
Pixels ScreenPixels(const RECT& screen);
// The window's client area as it is shown now (copied from its device context).
Pixels ClientPixels(HWND window);
// The whole window, borders and all, as it is shown now.
Pixels WindowPixels(HWND window);
// The window's client area as it paints itself into a memory bitmap (WM_PRINTCLIENT).
Pixels PrintedClient(HWND window);
// A bitmap's pixels (it must not be selected into a device context).
Pixels BitmapPixels(HBITMAP bitmap);

}  // namespace quillane::testing_support
