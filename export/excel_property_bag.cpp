#include "export/excel_property_bag.h"

#include <stdexcept>

#include "export/picture_bytes.h"
#include "export/picture_pixels.h"

namespace quillane::exporting {

void ExcelPropertyBag::WriteP(std::vector<std::uint8_t>& bytes, const win::Picture& picture) const {
  const PixelImage pixels = ReadPicturePixels(picture);
  bytes = SerialisePicturePixels(pixels.Pixels, pixels.Width, pixels.Height);
}

win::Picture ExcelPropertyBag::ReadP(std::span<const std::uint8_t> bytes) const {
  // Every check happens here, before the bitmap is made.
  const PixelDecoder decoder = OpenSerialisedPicture(bytes);
  PixelBitmap target = CreatePixelBitmap(decoder.Width(), decoder.Height());
  decoder.DecodeInto(target.Pixels);
  GdiFlush();
  win::Picture picture = win::Picture::FromBitmap(std::move(target.Bitmap));
  if (!picture) throw std::runtime_error("no picture object can be made");
  return picture;
}

}  // namespace quillane::exporting
