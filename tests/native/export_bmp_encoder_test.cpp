#include "export/bmp_encoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "export/test_pictures.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t Read32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint16_t Read16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(ExportBmpEncoder, WritesTheStandardHeaders) {
  const Bytes bmp = EncodeBmp(pictures::BlankPicture(3, 2, 0x112233));
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);  // rows of 9 bytes padded to 12
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 6), 0u);
  EXPECT_EQ(Read32(bmp, 10), 54u);   // pixel data offset
  EXPECT_EQ(Read32(bmp, 14), 40u);   // BITMAPINFOHEADER
  EXPECT_EQ(Read32(bmp, 18), 3u);    // width
  EXPECT_EQ(Read32(bmp, 22), 2u);    // height, positive: bottom-up
  EXPECT_EQ(Read16(bmp, 26), 1u);    // planes
  EXPECT_EQ(Read16(bmp, 28), 24u);   // bits a pixel
  EXPECT_EQ(Read32(bmp, 30), 0u);    // BI_RGB
  EXPECT_EQ(Read32(bmp, 34), 24u);   // pixel bytes
  EXPECT_EQ(Read32(bmp, 46), 0u);    // colours used
}

TEST(ExportBmpEncoder, StoresRowsBottomUpInBlueGreenRedWithPadding) {
  PixelImage image = pictures::BlankPicture(3, 2, 0);
  image.Pixels = {0x010203, 0x040506, 0x070809,   // top row
                  0x0A0B0C, 0x0D0E0F, 0xFF1011};  // bottom row
  const Bytes bmp = EncodeBmp(image);
  const Bytes pixels(bmp.begin() + 54, bmp.end());
  const Bytes expected{0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x11, 0x10, 0xFF, 0, 0, 0,
                       0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0, 0};
  EXPECT_EQ(pixels, expected);
}

TEST(ExportBmpEncoder, RowsOfFourPixelsNeedNoPadding) {
  EXPECT_EQ(EncodeBmp(pictures::BlankPicture(4, 5, 0)).size(), 54u + 5 * 12);
}

TEST(ExportBmpEncoder, RefusesAnEmptyPicture) {
  EXPECT_THROW(EncodeBmp(PixelImage{}), std::invalid_argument);
  PixelImage mismatched = pictures::BlankPicture(2, 2, 0);
  mismatched.Pixels.pop_back();
  EXPECT_THROW(EncodeBmp(mismatched), std::invalid_argument);
}

TEST(ExportBmpEncoder, ImageMagickDecodesTheSamePixels) {
  // An odd width, so that row padding matters.
  const PixelImage image = pictures::MakeDesktopLikePicture(301, 157, 41);
  const auto folder = std::filesystem::temp_directory_path() / ("quillane_bmp_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto bmpPath = folder / "picture.bmp";
  const auto rgbPath = folder / "picture.rgb";
  {
    const Bytes bmp = EncodeBmp(image);
    std::ofstream(bmpPath, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                                    static_cast<std::streamsize>(bmp.size()));
  }
  // ImageMagick 7 is "magick"; version 6 has only "convert".
  const std::string tool = std::system("command -v magick >/dev/null 2>&1") == 0 ? "magick" : "convert";
  const std::string command = tool + " '" + bmpPath.string() + "' -depth 8 'rgb:" + rgbPath.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command << " (ImageMagick is installed by scripts/install-deps.sh)";
  std::ifstream rgbFile(rgbPath, std::ios::binary);
  const Bytes rgb{std::istreambuf_iterator<char>(rgbFile), std::istreambuf_iterator<char>()};
  std::filesystem::remove_all(folder);
  ASSERT_EQ(rgb.size(), image.Pixels.size() * 3);
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
    const std::uint32_t decoded = static_cast<std::uint32_t>(rgb[i * 3]) << 16 | rgb[i * 3 + 1] << 8 | rgb[i * 3 + 2];
    ASSERT_EQ(decoded, image.Pixels[i]) << "pixel " << i;
  }
}

}  // namespace
}  // namespace quillane::exporting
