#pragma once
// A standard Windows BMP file in memory: 24 bits a pixel, uncompressed,
// bottom-up rows each padded to a multiple of four bytes.
#include <cstdint>
#include <vector>

#include "export/pixel_image.h"

namespace quillane::exporting {

// Throws std::invalid_argument for an empty picture or one too large for
// the format's 32-bit sizes.
std::vector<std::uint8_t> EncodeBmp(const PixelImage& image);

}  // namespace quillane::exporting
