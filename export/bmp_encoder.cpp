#include "export/bmp_encoder.h"

#include <limits>
#include <stdexcept>

#include "export/byte_io.h"

namespace quillane::exporting {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const PixelImage& image) {
  if (image.Width < 1 || image.Height < 1 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
    throw std::invalid_argument("BMP: the picture is empty or its pixels do not match its size");
  const std::uint64_t stride = (static_cast<std::uint64_t>(image.Width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(image.Height);
  const std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
  if (fileSize > std::numeric_limits<std::int32_t>::max())
    throw std::invalid_argument("BMP: the picture is too large for the format");

  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(fileSize));
  ByteWriter writer(out);
  writer.U8('B');
  writer.U8('M');
  writer.U32(static_cast<std::uint32_t>(fileSize));
  writer.U32(0);  // two reserved words
  writer.U32(kFileHeaderSize + kInfoHeaderSize);
  writer.U32(kInfoHeaderSize);
  writer.U32(static_cast<std::uint32_t>(image.Width));
  writer.U32(static_cast<std::uint32_t>(image.Height));  // positive: bottom-up rows
  writer.U16(1);                                         // planes
  writer.U16(24);                                        // bits a pixel
  writer.U32(0);                                         // BI_RGB
  writer.U32(static_cast<std::uint32_t>(pixelBytes));
  writer.U32(kPixelsPerMetre);
  writer.U32(kPixelsPerMetre);
  writer.U32(0);  // colours used
  writer.U32(0);  // important colours

  const std::size_t padding = static_cast<std::size_t>(stride) - static_cast<std::size_t>(image.Width) * 3;
  for (std::int32_t y = image.Height - 1; y >= 0; --y) {
    const std::uint32_t* row = &image.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width)];
    for (std::int32_t x = 0; x < image.Width; ++x) {
      out.push_back(static_cast<std::uint8_t>(row[x]));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 8));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 16));
    }
    out.insert(out.end(), padding, 0);
  }
  return out;
}

}  // namespace quillane::exporting
