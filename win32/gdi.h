#pragma once
// One owner per GDI handle, one type per release function. Every owner also
// keeps the process-wide count of live objects (LiveGdiObjects), because the
// system's own count is not available everywhere (Wine answers 0), and a
// leak of one object per paint must still show in a test.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <utility>

namespace quillane::win {

namespace gdi_accounting {
inline std::atomic<std::int64_t> live{0};
inline void Acquired() { live.fetch_add(1, std::memory_order_relaxed); }
inline void Released() { live.fetch_sub(1, std::memory_order_relaxed); }
}  // namespace gdi_accounting

// Pens, brushes, bitmaps, palettes, fonts, regions, device contexts and
// pictures held by the program's owners right now.
inline std::int64_t LiveGdiObjects() { return gdi_accounting::live.load(std::memory_order_relaxed); }

// A pen, brush, bitmap, palette, font or region released with DeleteObject.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {
    if (handle_) gdi_accounting::Acquired();
  }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up to an owner outside the program (the clipboard, or an
  // OLE picture, which counts itself).
  [[nodiscard]] Handle Release() {
    if (handle_) gdi_accounting::Released();
    return std::exchange(handle_, nullptr);
  }
  void Reset(Handle handle = nullptr) {
    if (handle_) {
      DeleteObject(handle_);
      gdi_accounting::Released();
    }
    handle_ = handle;
    if (handle_) gdi_accounting::Acquired();
  }

 private:
  Handle handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Palette = GdiObject<HPALETTE>;
using Font = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// A memory device context, released with DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {
    if (dc_) gdi_accounting::Acquired();
  }
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      Free();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { Free(); }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Free() {
    if (dc_) {
      DeleteDC(dc_);
      gdi_accounting::Released();
    }
    dc_ = nullptr;
  }
  HDC dc_;
};

// A window's (or the screen's) device context, released with ReleaseDC.
class WindowDc {
 public:
  enum class Area { Client, Whole };
  explicit WindowDc(HWND window, Area area = Area::Client)
      : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {
    if (dc_) gdi_accounting::Acquired();
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) {
      ReleaseDC(window_, dc_);
      gdi_accounting::Released();
    }
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) {
    dc_ = BeginPaint(window, &paint_);
    if (dc_) gdi_accounting::Acquired();
  }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() {
    EndPaint(window_, &paint_);
    if (dc_) gdi_accounting::Released();
  }
  HDC Get() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and selects the previous one back on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects a palette and selects the previous one back on scope exit.
class PaletteGuard {
 public:
  PaletteGuard(HDC dc, HPALETTE palette) : dc_(dc), previous_(SelectPalette(dc, palette, FALSE)) {}
  PaletteGuard(const PaletteGuard&) = delete;
  PaletteGuard& operator=(const PaletteGuard&) = delete;
  ~PaletteGuard() {
    if (previous_) SelectPalette(dc_, previous_, FALSE);
  }

 private:
  HDC dc_;
  HPALETTE previous_;
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
