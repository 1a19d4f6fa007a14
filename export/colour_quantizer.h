#pragma once
// Reduces a picture to at most 256 colours for palette formats (GIF).
#include <cstdint>
#include <vector>

#include "export/pixel_image.h"

namespace quillane::exporting {

struct IndexedImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint32_t> Palette;  // 0x00RRGGBB, at most 256 entries
  std::vector<std::uint8_t> Indices;   // one a pixel, top-down rows
};

inline constexpr std::size_t kMaxPaletteSize = 256;

// A picture of 256 colours or fewer keeps exactly its own colours; a picture
// of more gets a median-cut palette fitted to its colours and each pixel the
// nearest entry (no dithering: screen pictures are mostly flat colour).
IndexedImage ReduceToPalette(const PixelImage& image);

}  // namespace quillane::exporting
