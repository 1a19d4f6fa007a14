#pragma once
// The skin's drawing primitives. Every surface is a 32-bit DIB section, so
// colours stay exact at any display depth.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/nine_slice.h"
#include "skin/skin_pixels.h"
#include "win32/gdi.h"

namespace quillane::skin {

constexpr COLORREF ToColorref(Rgb colour) { return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF); }
constexpr Rgb FromColorref(COLORREF colour) { return win::DibPixel(colour); }

// The size of a window's rectangle, border and all.
SIZE WindowSize(HWND window);

// A memory device context with its own 32-bit bitmap selected. Members are
// declared so that the bitmap is selected out before the context and then
// the bitmap are deleted.
class Surface {
 public:
  Surface(int width, int height);
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  explicit operator bool() const { return pixels_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return bitmap_.Handle.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row by row from the top, one 0x00RRGGBB word per pixel.
  std::uint32_t* Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  win::DibSection bitmap_;
  win::MemoryDc dc_;
  win::SelectGuard selected_;
  std::uint32_t* pixels_;
};

// A surface holding one skin image, every pixel copied from its table.
std::unique_ptr<Surface> SurfaceFromPixels(const SkinImage& image);

void FillSolid(HDC dc, int x, int y, int width, int height, Rgb colour);
// A one-pixel outline inside the rectangle.
void FrameSolid(HDC dc, int x, int y, int width, int height, Rgb colour);

// Covers (dx, dy, dw, dh) of `dst` with `source` of `src` cut into nine
// pieces by `borders`; with a key colour, the source's pixels of that colour
// leave `dst` as it was. False when there is nothing to draw.
bool BltNineSlice(HDC dst, int dx, int dy, int dw, int dh, HDC src, SliceRect source, SliceBorders borders,
                  std::optional<Rgb> keyColour = std::nullopt);

// Copies a w x h block, leaving `dst` unchanged wherever the source has `keyColour`.
void BltColorKey(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, Rgb keyColour);

}  // namespace quillane::skin
