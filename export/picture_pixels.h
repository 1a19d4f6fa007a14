#pragma once
// Moving pixels between pictures (GDI bitmaps) and plain memory.
#include <windows.h>

#include <cstdint>
#include <span>

#include "export/pixel_image.h"
#include "win32/gdi.h"
#include "win32/picture.h"

namespace quillane::exporting {

// The picture's pixels as 32-bit colours. The bitmap must not be selected
// into a device context meanwhile (a rule of GetDIBits). Throws
// std::invalid_argument for a picture without a bitmap, std::runtime_error
// when the pixels cannot be read.
PixelImage ReadPicturePixels(const win::Picture& picture);

// A 32-bit top-down DIB section and its pixel memory, which lives as long as
// the bitmap. Throws std::runtime_error when it cannot be made.
struct PixelBitmap {
  win::Bitmap Bitmap;
  std::span<std::uint32_t> Pixels;
};
PixelBitmap CreatePixelBitmap(std::int32_t width, std::int32_t height);

// A new picture holding a copy of the pixels.
win::Picture PictureFromPixels(const PixelImage& image);

}  // namespace quillane::exporting
