#include "export/picture_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace quillane::exporting {
PixelImage ReadPicturePixels(const win::Picture& picture) {
  const HBITMAP bitmap = picture.Bitmap();
  BITMAP bitmapInfo{};
  if (!bitmap || !GetObjectW(bitmap, sizeof bitmapInfo, &bitmapInfo))
    throw std::invalid_argument("the picture holds no bitmap");
  PixelImage image;
  image.Width = bitmapInfo.bmWidth;
  image.Height = std::abs(bitmapInfo.bmHeight);
  if (image.Width < 1 || image.Height < 1) throw std::invalid_argument("the picture's bitmap is empty");
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));

  // Rows top-down, as PixelImage has them.
  BITMAPINFO info = win::TopDown32BitInfo(image.Width, image.Height);
  const win::WindowDc screen(nullptr);
  // A palette picture's colours are read through its own palette.
  std::optional<win::PaletteGuard> palette;
  if (const HPALETTE handle = picture.PaletteHandle()) palette.emplace(screen.Get(), handle);
  const int rows = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
                             DIB_RGB_COLORS);
  if (rows != image.Height) throw std::runtime_error("the picture's pixels cannot be read");
  return image;
}

PixelBitmap CreatePixelBitmap(std::int32_t width, std::int32_t height) {
  win::DibSection section = win::CreateDibSection(width, height);
  if (!section.Handle) throw std::runtime_error("no bitmap of that size can be made");
  return {std::move(section.Handle),
          {section.Pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height)}};
}

win::Picture PictureFromPixels(const PixelImage& image) {
  PixelBitmap target = CreatePixelBitmap(image.Width, image.Height);
  if (target.Pixels.size() != image.Pixels.size()) throw std::invalid_argument("pixels do not match the size");
  std::transform(image.Pixels.begin(), image.Pixels.end(), target.Pixels.begin(),
                 [](std::uint32_t pixel) { return pixel & kColourMask; });
  GdiFlush();
  win::Picture picture = win::Picture::FromBitmap(std::move(target.Bitmap));
  if (!picture) throw std::runtime_error("no picture object can be made");
  return picture;
}

}  // namespace quillane::exporting
