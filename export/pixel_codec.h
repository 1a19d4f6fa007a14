#pragma once
// Lossless packing of a picture's pixels into bytes and back: pixel runs
// (pixel_runs.h) squeezed further by deflate, in blocks so that parts that do
// not shrink (photographs, noise) are stored as they are instead of costing
// deflate's time for nothing.
//
// Layout, little-endian: "QPIX", version 1, three zero bytes, width (u32),
// height (u32), token length (u32); then blocks until the end, each a method
// byte (0 stored, 1 zlib), raw length (u32, 1 to 65536), packed length (u32)
// and the packed bytes. Each block's raw bytes are whole pixel-run tokens;
// all of them in order describe the picture, and their lengths add up to the
// token length.
#include <cstdint>
#include <span>
#include <vector>

#include "export/pixel_image.h"

namespace quillane::exporting {

// Limits that keep a damaged header from asking for a huge allocation.
inline constexpr std::int32_t kMaxPictureSide = 1 << 24;
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;  // 8192 x 8192

// Packs width * height pixels (top-down rows); the fourth byte is not kept.
// Throws std::invalid_argument for a size outside the limits.
std::vector<std::uint8_t> EncodePixels(std::span<const std::uint32_t> pixels, std::int32_t width, std::int32_t height);

// Unpacks bytes made by EncodePixels. The constructor reads and checks all of
// them and throws PictureBytesError for anything malformed, so the caller can
// make the picture before DecodeInto, which then cannot fail. The decoder
// refers to `bytes`, which must outlive it.
class PixelDecoder {
 public:
  explicit PixelDecoder(std::span<const std::uint8_t> bytes);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::size_t PixelCount() const;
  // `pixels` holds exactly PixelCount() values; rows top-down, fourth byte 0.
  void DecodeInto(std::span<std::uint32_t> pixels) const;

 private:
  // A block's tokens: stored ones in the caller's bytes, unpacked ones in ours.
  struct Block {
    bool Unpacked;
    std::size_t Offset;
    std::size_t Length;
  };
  std::span<const std::uint8_t> Tokens(const Block& block) const;

  std::span<const std::uint8_t> bytes_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<Block> blocks_;
  std::vector<std::uint8_t> unpacked_;
};

// EncodePixels and PixelDecoder for a whole PixelImage.
std::vector<std::uint8_t> EncodePixels(const PixelImage& image);
PixelImage DecodePixels(std::span<const std::uint8_t> bytes);

}  // namespace quillane::exporting
