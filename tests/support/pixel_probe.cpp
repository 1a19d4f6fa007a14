#include "pixel_probe.h"

#include <algorithm>
#include <cstdlib>

#include "win32/gdi.h"

namespace quillane::testing_support {
namespace {

// 0x00RRGGBB words to COLORREF (0x00BBGGRR).
Pixels FromDib(const std::uint32_t* words, int width, int height) {
  Pixels pixels{width, height, {}};
  pixels.Data.resize(static_cast<std::size_t>(width) * height);
  std::transform(words, words + pixels.Data.size(), pixels.Data.begin(), [](std::uint32_t word) {
    return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
  });
  return pixels;
}

// Copies a block of `source` through a 32-bit DIB section.
Pixels CopyFrom(HDC source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  win::DibSection dib = win::CreateDibSection(width, height);
  const win::MemoryDc memory(source);
  {
    const win::SelectGuard selected(memory.Get(), dib.Handle.Get());
    BitBlt(memory.Get(), 0, 0, width, height, source, x, y, SRCCOPY);
  }
  GdiFlush();
  return FromDib(dib.Pixels, width, height);
}

}  // namespace

int Pixels::CountOtherThan(COLORREF colour) const {
  return static_cast<int>(std::count_if(Data.begin(), Data.end(), [colour](COLORREF c) { return c != colour; }));
}

COLORREF ScreenPixel(POINT screen) {
  const win::WindowDc dc(nullptr);
  return GetPixel(dc.Get(), screen.x, screen.y);
}

Pixels ScreenPixels(const RECT& screen) {
  const win::WindowDc dc(nullptr);
  return CopyFrom(dc.Get(), screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top);
}

Pixels ClientPixels(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const win::WindowDc dc(window);
  return CopyFrom(dc.Get(), 0, 0, client.right, client.bottom);
}

Pixels WindowPixels(HWND window) {
  RECT whole{};
  GetWindowRect(window, &whole);
  const win::WindowDc dc(window, win::WindowDc::Area::Whole);
  return CopyFrom(dc.Get(), 0, 0, whole.right - whole.left, whole.bottom - whole.top);
}

Pixels PrintedClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return {};
  win::DibSection dib = win::CreateDibSection(client.right, client.bottom);
  const win::WindowDc screen(nullptr);
  const win::MemoryDc memory(screen.Get());
  {
    const win::SelectGuard selected(memory.Get(), dib.Handle.Get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  GdiFlush();
  return FromDib(dib.Pixels, client.right, client.bottom);
}

Pixels BitmapPixels(HBITMAP bitmap) {
  BITMAP description{};
  if (!GetObjectW(bitmap, sizeof description, &description)) return {};
  const int width = description.bmWidth, height = std::abs(description.bmHeight);
  std::vector<std::uint32_t> words(static_cast<std::size_t>(width) * height);
  BITMAPINFO info = win::TopDown32BitInfo(width, height);
  const win::WindowDc screen(nullptr);
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), words.data(), &info, DIB_RGB_COLORS) != height)
    return {};
  return FromDib(words.data(), width, height);
}

}  // namespace quillane::testing_support
