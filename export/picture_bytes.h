#pragma once
// A picture's pixels as a self-contained byte string: a property bag holding
// one property, "pic", whose value is the packed pixels. This is the portable
// half of ExcelPropertyBag; the Win32 half moves pixels to and from bitmaps.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "export/pixel_codec.h"

namespace quillane::exporting {

inline constexpr std::string_view kPicturePropertyName = "pic";

// Throws std::invalid_argument for a size outside the codec's limits.
std::vector<std::uint8_t> SerialisePicturePixels(std::span<const std::uint32_t> pixels, std::int32_t width,
                                                 std::int32_t height);

// Checks the bytes completely; throws PictureBytesError when they are not a
// property bag, are cut short or damaged, or hold no "pic". The decoder
// refers to `bytes`, which must outlive it.
PixelDecoder OpenSerialisedPicture(std::span<const std::uint8_t> bytes);

}  // namespace quillane::exporting
