#include "export/picture_bytes.h"

#include "export/property_bag.h"

namespace quillane::exporting {

std::vector<std::uint8_t> SerialisePicturePixels(std::span<const std::uint32_t> pixels, std::int32_t width,
                                                 std::int32_t height) {
  PropertyBag bag;
  bag.Write(kPicturePropertyName, EncodePixels(pixels, width, height));
  return bag.Contents();
}

PixelDecoder OpenSerialisedPicture(std::span<const std::uint8_t> bytes) {
  return PixelDecoder(PropertyBag::ValueIn(bytes, kPicturePropertyName));
}

}  // namespace quillane::exporting
