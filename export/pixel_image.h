#pragma once
// A picture's pixels as plain memory: the form GDI's 32-bit device-independent
// bitmaps use, so they are copied to and from bitmaps without conversion.
#include <cstdint>
#include <vector>

namespace quillane::exporting {

// Top-down rows, one 0x00RRGGBB value a pixel (bytes B, G, R, unused).
struct PixelImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// The colour part of a pixel: GDI leaves the fourth byte undefined.
inline constexpr std::uint32_t kColourMask = 0x00FFFFFFu;

}  // namespace quillane::exporting
