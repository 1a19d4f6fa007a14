// Pictures to bytes and back through real bitmaps.
#include "export/excel_property_bag.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "export/picture_bytes_error.h"
#include "export/picture_pixels.h"
#include "export/property_bag.h"
#include "export/test_pictures.h"
#include "export_test_support.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using namespace wine_tests;
using Bytes = std::vector<std::uint8_t>;

void ExpectSameSizeAndPixels(const PixelImage& expected, const win::Picture& picture) {
  ASSERT_TRUE(picture);
  const SIZE size = picture.PixelSize();
  EXPECT_EQ(size.cx, expected.Width);
  EXPECT_EQ(size.cy, expected.Height);
  const PixelImage actual = BitmapPixels(picture.Bitmap());
  ASSERT_EQ(actual.Pixels.size(), expected.Pixels.size());
  EXPECT_TRUE(actual.Pixels == Masked(expected).Pixels) << "pixels differ";
}

TEST(ExportExcelPropertyBag, ReadPGivesANewPictureOfTheSameSizeAndPixels) {
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeDesktopLikePicture(640, 400, 71);
  const win::Picture original = ScreenPicture(image);
  Bytes bytes;
  bag.WriteP(bytes, original);
  const win::Picture copy = bag.ReadP(bytes);
  ExpectSameSizeAndPixels(image, copy);
  EXPECT_NE(copy.Bitmap(), original.Bitmap());
}

TEST(ExportExcelPropertyBag, RoundTripsAFullScreenPicture) {
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeDesktopLikePicture(1920, 1080, 72);
  Bytes bytes;
  bag.WriteP(bytes, ScreenPicture(image));
  EXPECT_LE(bytes.size() * 10, image.Pixels.size() * 4) << "a tenth of the raw size at most";
  ExpectSameSizeAndPixels(image, bag.ReadP(bytes));
}

TEST(ExportExcelPropertyBag, RoundTripsNoiseAndThinPictures) {
  const ExcelPropertyBag bag;
  for (const PixelImage& image : {pictures::MakeNoisyPicture(300, 200, 73), pictures::MakeNoisyPicture(1, 1, 74),
                                  pictures::MakeNoisyPicture(1, 77, 75), pictures::MakeNoisyPicture(77, 1, 76)}) {
    SCOPED_TRACE(testing::Message() << image.Width << "x" << image.Height);
    Bytes bytes;
    bag.WriteP(bytes, ScreenPicture(image));
    ExpectSameSizeAndPixels(image, bag.ReadP(bytes));
  }
}

TEST(ExportExcelPropertyBag, ReadsPicturesItMadeItself) {
  // What ReadP returns (a DIB section) can be written again, as undo after redo does.
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeFewColourPicture(90, 60, 40, 77);
  Bytes first;
  bag.WriteP(first, PictureFromPixels(image));
  Bytes second;
  bag.WriteP(second, bag.ReadP(first));
  EXPECT_EQ(first, second);
  ExpectSameSizeAndPixels(image, bag.ReadP(second));
}

TEST(ExportExcelPropertyBag, WritingOverwritesTheBytes) {
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeNoisyPicture(20, 10, 78);
  Bytes bytes(100000, 0xEE);
  bag.WriteP(bytes, ScreenPicture(image));
  EXPECT_LT(bytes.size(), 100000u);
  ExpectSameSizeAndPixels(image, bag.ReadP(bytes));
}

TEST(ExportExcelPropertyBag, TheSamePictureTwiceGivesTwoGoodByteStrings) {
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeDesktopLikePicture(200, 120, 79);
  const win::Picture picture = ScreenPicture(image);
  Bytes first, second;
  bag.WriteP(first, picture);
  bag.WriteP(second, picture);
  ExpectSameSizeAndPixels(image, bag.ReadP(first));
  ExpectSameSizeAndPixels(image, bag.ReadP(second));
}

TEST(ExportExcelPropertyBag, LaterDrawingDoesNotChangeAStoredPicture) {
  const ExcelPropertyBag bag;
  const PixelImage image = pictures::MakeDesktopLikePicture(160, 120, 80);
  const win::Picture picture = ScreenPicture(image);
  Bytes bytes;
  bag.WriteP(bytes, picture);
  {
    const win::WindowDc screen(nullptr);
    const win::MemoryDc memory(screen.Get());
    const win::SelectGuard select(memory.Get(), picture.Bitmap());
    const win::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT area{10, 10, 100, 80};
    FillRect(memory.Get(), &area, red.Get());
  }
  ASSERT_EQ(BitmapPixels(picture.Bitmap()).Pixels[20 * 160 + 20], 0xFF0000u) << "the drawing took place";
  ExpectSameSizeAndPixels(image, bag.ReadP(bytes));
}

TEST(ExportExcelPropertyBag, BytesThatAreNotAPictureRaiseAClearError) {
  const ExcelPropertyBag bag;
  Bytes good;
  bag.WriteP(good, ScreenPicture(pictures::MakeDesktopLikePicture(64, 48, 81)));
  PropertyBag withoutPic;
  withoutPic.Write("picture", good);
  const std::vector<Bytes> cases{{},
                                 {'n', 'o', 't', ' ', 'a', ' ', 'b', 'a', 'g'},
                                 Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)),
                                 Bytes(good.begin(), good.end() - 1),
                                 withoutPic.Contents()};
  for (const auto& bytes : cases) {
    try {
      bag.ReadP(bytes);
      ADD_FAILURE() << "no error for " << bytes.size() << " bytes";
    } catch (const PictureBytesError& error) {
      EXPECT_GT(std::string(error.what()).size(), 10u);
    }
  }
}

TEST(ExportExcelPropertyBag, APictureWithoutABitmapCannotBeWritten) {
  const ExcelPropertyBag bag;
  Bytes bytes{1, 2, 3};
  EXPECT_THROW(bag.WriteP(bytes, win::Picture{}), std::invalid_argument);
  EXPECT_EQ(bytes, (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace quillane::exporting
