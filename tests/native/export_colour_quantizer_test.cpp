#include "export/colour_quantizer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>

#include "export/test_pictures.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;

struct Error {
  double Mean = 0;  // average over pixels and channels
  int Max = 0;
};

Error Measure(const PixelImage& image, const IndexedImage& indexed) {
  Error error;
  long long total = 0;
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
    const std::uint32_t a = image.Pixels[i], b = indexed.Palette.at(indexed.Indices[i]);
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
      total += d;
      error.Max = std::max(error.Max, d);
    }
  }
  error.Mean = static_cast<double>(total) / (3.0 * static_cast<double>(image.Pixels.size()));
  return error;
}

void ExpectWellFormed(const PixelImage& image, const IndexedImage& indexed) {
  EXPECT_EQ(indexed.Width, image.Width);
  EXPECT_EQ(indexed.Height, image.Height);
  ASSERT_EQ(indexed.Indices.size(), image.Pixels.size());
  ASSERT_GE(indexed.Palette.size(), 1u);
  ASSERT_LE(indexed.Palette.size(), kMaxPaletteSize);
  for (const auto index : indexed.Indices) ASSERT_LT(index, indexed.Palette.size());
  for (const auto colour : indexed.Palette) ASSERT_EQ(colour >> 24, 0u);
}

TEST(ExportColourQuantizer, KeepsExactlyTheColoursOfAPictureOf256OrFewer) {
  for (int colours : {1, 2, 17, 255, 256}) {
    const PixelImage image = pictures::MakeFewColourPicture(60, 40, colours, static_cast<std::uint64_t>(colours));
    const IndexedImage indexed = ReduceToPalette(image);
    ExpectWellFormed(image, indexed);
    EXPECT_EQ(indexed.Palette.size(), static_cast<std::size_t>(colours));
    for (std::size_t i = 0; i < image.Pixels.size(); ++i)
      ASSERT_EQ(indexed.Palette[indexed.Indices[i]], image.Pixels[i]) << colours << " colours, pixel " << i;
  }
}

TEST(ExportColourQuantizer, IgnoresTheUnusedFourthByte) {
  PixelImage image = pictures::BlankPicture(4, 1, 0);
  image.Pixels = {0xFF102030, 0x00102030, 0x7F405060, 0x00405060};
  const IndexedImage indexed = ReduceToPalette(image);
  EXPECT_EQ(std::set<std::uint32_t>(indexed.Palette.begin(), indexed.Palette.end()),
            (std::set<std::uint32_t>{0x102030, 0x405060}));
  EXPECT_EQ(indexed.Indices[0], indexed.Indices[1]);
  EXPECT_EQ(indexed.Indices[2], indexed.Indices[3]);
}

TEST(ExportColourQuantizer, FitsAPaletteToAPictureOfManyColours) {
  const PixelImage gradient = pictures::MakeGradientPicture(256, 256);
  const IndexedImage indexed = ReduceToPalette(gradient);
  ExpectWellFormed(gradient, indexed);
  EXPECT_GT(indexed.Palette.size(), 200u) << "the palette is used, not a handful of colours";
  const Error error = Measure(gradient, indexed);
  EXPECT_LT(error.Mean, 6.0);
  EXPECT_LE(error.Max, 40);
}

TEST(ExportColourQuantizer, JustOverTheLimitStaysClose) {
  const PixelImage image = pictures::MakeFewColourPicture(60, 40, 257, 7);
  const IndexedImage indexed = ReduceToPalette(image);
  ExpectWellFormed(image, indexed);
  EXPECT_LT(Measure(image, indexed).Mean, 4.0);
}

TEST(ExportColourQuantizer, DesktopLikePictureStaysClose) {
  const PixelImage image = pictures::MakeDesktopLikePicture(800, 600, 8);
  const IndexedImage indexed = ReduceToPalette(image);
  ExpectWellFormed(image, indexed);
  EXPECT_LT(Measure(image, indexed).Mean, 3.0);
}

TEST(ExportColourQuantizer, RefusesAnEmptyPicture) { EXPECT_THROW(ReduceToPalette(PixelImage{}), std::invalid_argument); }

}  // namespace
}  // namespace quillane::exporting
