#pragma once
// The owners of GDI handles, one type per release function. Every owner also
// keeps the process-wide count of live objects (LiveGdiObjects), because the
// system's own count is not available everywhere (Wine answers 0), and a
// leak of one object per paint must still show in a test.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <utility>

#include "win32/owner.h"

namespace quillane::win {

namespace gdi_accounting {
inline std::atomic<std::int64_t> live{0};
inline void Acquired() { live.fetch_add(1, std::memory_order_relaxed); }
inline void Released() { live.fetch_sub(1, std::memory_order_relaxed); }
}  // namespace gdi_accounting

// Pens, brushes, bitmaps, palettes, fonts, regions, device contexts and
// pictures held by the program's owners right now.
inline std::int64_t LiveGdiObjects() { return gdi_accounting::live.load(std::memory_order_relaxed); }

// The traits of owners whose handles are in the live-GDI count.
struct CountedGdi {
  static void Acquired() { gdi_accounting::Acquired(); }
  static void Released() { gdi_accounting::Released(); }
};

// A pen, brush, bitmap, palette, font or region released with DeleteObject.
template <class H>
struct DeleteObjectTraits : CountedGdi {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};
template <class Handle>
using GdiObject = Owner<DeleteObjectTraits<Handle>>;

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Palette = GdiObject<HPALETTE>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// A memory device context, released with DeleteDC.
struct DeleteDcTraits : CountedGdi {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle dc) { DeleteDC(dc); }
};
class MemoryDc : public Owner<DeleteDcTraits> {
 public:
  explicit MemoryDc(HDC compatibleWith) : Owner(CreateCompatibleDC(compatibleWith)) {}
};

// A window's (or the screen's) device context, released with ReleaseDC.
struct ReleaseDcTraits : CountedGdi {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  ReleaseDcTraits(HWND window = nullptr) : window(window) {}
  void Close(Handle dc) const { ReleaseDC(window, dc); }
  HWND window;
};
class WindowDc : public Owner<ReleaseDcTraits> {
 public:
  enum class Area { Client, Whole };
  explicit WindowDc(HWND window, Area area = Area::Client)
      : Owner(area == Area::Client ? GetDC(window) : GetWindowDC(window), ReleaseDcTraits(window)) {}
};

// BeginPaint ... EndPaint.
struct EndPaintTraits : CountedGdi {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  EndPaintTraits(HWND window = nullptr) : window(window) {}
  void Close(Handle) const { EndPaint(window, &paint); }
  HWND window;
  PAINTSTRUCT paint{};
};
class PaintDc : public Owner<EndPaintTraits> {
 public:
  explicit PaintDc(HWND window) : Owner(nullptr, EndPaintTraits(window)) { Reset(BeginPaint(window, &traits().paint)); }
  // The paint structure is the system's until EndPaint: it stays where it is.
  PaintDc(PaintDc&&) = delete;
  PaintDc& operator=(PaintDc&&) = delete;
  const RECT& Area() const { return traits().paint.rcPaint; }
};

// Selects an object into a DC and selects the previous one back when it goes
// (or is reset); movable, and empty when default-made.
struct SelectBackTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  void Close(Handle previous) const { SelectObject(dc, previous); }
  HDC dc = nullptr;
};
class SelectGuard : public Owner<SelectBackTraits> {
 public:
  SelectGuard() = default;
  SelectGuard(HDC dc, HGDIOBJ object) : Owner(Previous(SelectObject(dc, object)), SelectBackTraits{dc}) {}

 private:
  static HGDIOBJ Previous(HGDIOBJ selected) { return selected == HGDI_ERROR ? nullptr : selected; }
};

// Selects a palette and selects the previous one back when it goes.
struct SelectPaletteBackTraits {
  using Handle = HPALETTE;
  static Handle Invalid() { return nullptr; }
  void Close(Handle previous) const { SelectPalette(dc, previous, FALSE); }
  HDC dc = nullptr;
};
class PaletteGuard : public Owner<SelectPaletteBackTraits> {
 public:
  PaletteGuard() = default;
  PaletteGuard(HDC dc, HPALETTE palette) : Owner(SelectPalette(dc, palette, FALSE), SelectPaletteBackTraits{dc}) {}
};

// The header of a 32-bit, top-down (row 0 first) device-independent bitmap:
// one pixel is one 0x00RRGGBB word, whatever the display's depth.
inline BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A COLORREF (0x00BBGGRR) as a pixel of such a DIB (0x00RRGGBB).
constexpr std::uint32_t DibPixel(COLORREF colour) {
  return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

// A 32-bit top-down DIB section and its pixels (valid while the bitmap lives).
struct DibSection {
  Bitmap Handle;
  std::uint32_t* Pixels = nullptr;
};
inline DibSection CreateDibSection(int width, int height) {
  const BITMAPINFO info = TopDown32BitInfo(width, height);
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  return {std::move(bitmap), static_cast<std::uint32_t*>(bits)};
}

}  // namespace quillane::win
