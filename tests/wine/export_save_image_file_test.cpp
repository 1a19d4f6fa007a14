// Saving pictures through SaveImageFile: every format written from a known
// picture and decoded again by GDI+, and every failure shown to the user.
#include "export/save_image_file.h"

#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include <set>

#include "export/gdiplus_objects.h"
#include "win32/kernel_handle.h"
#include "export/test_pictures.h"
#include "export_test_support.h"
#include "fake_services.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using namespace wine_tests;

GUID Guid(const wchar_t* text) {
  GUID guid{};
  CLSIDFromString(text, &guid);
  return guid;
}

// The container formats GDI+ reports for decoded files.
const GUID kPngFile = Guid(L"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
const GUID kJpegFile = Guid(L"{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
const GUID kGifFile = Guid(L"{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}");
const GUID kTiffFile = Guid(L"{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}");
const GUID kBmpFile = Guid(L"{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}");

void ExpectSamePixels(const PixelImage& expected, const PixelImage& actual) {
  ASSERT_EQ(actual.Width, expected.Width);
  ASSERT_EQ(actual.Height, expected.Height);
  std::size_t differing = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < expected.Pixels.size(); ++i) {
    if ((expected.Pixels[i] & kColourMask) != actual.Pixels[i] && differing++ == 0) first = i;
  }
  EXPECT_EQ(differing, 0u) << "first at " << first % expected.Width << "," << first / expected.Width << ": expected "
                           << std::hex << expected.Pixels[first] << ", decoded " << actual.Pixels[first];
}

class ExportSaveImageFile : public ::testing::Test {
 protected:
  bool Save(const win::Picture& picture, const std::wstring& path, std::wstring_view extension) {
    return SaveImageFile(picture, path, extension, kCaptureJpegQuality, kCaptureColorDepth, kCaptureCompression,
                         {cursor, dialogs, nullptr});
  }

  // Saves, checks the file starts with `magic` and decodes as `format`.
  DecodedFile SaveAndDecode(const PixelImage& image, const std::wstring& name, std::wstring_view extension,
                            const std::vector<std::uint8_t>& magic, const GUID& format) {
    const std::wstring path = folder.File(name);
    EXPECT_TRUE(Save(ScreenPicture(image), path, extension));
    EXPECT_TRUE(dialogs.messages.empty()) << (dialogs.messages.empty() ? "" : "message shown");
    const auto bytes = FileBytes(path);
    EXPECT_GE(bytes.size(), magic.size());
    if (bytes.size() >= magic.size()) EXPECT_TRUE(std::equal(magic.begin(), magic.end(), bytes.begin()));
    auto decoded = DecodeWithGdiplus(path);
    EXPECT_TRUE(decoded) << "GDI+ cannot decode the file";
    if (!decoded) return {};
    EXPECT_TRUE(IsEqualGUID(decoded->RawFormat, format));
    return *decoded;
  }

  // One message box with the fixed layout, naming `path`, with an error
  // icon; returns its number and description.
  std::pair<std::wstring, std::wstring> TheErrorMessage(const std::wstring& path) {
    EXPECT_EQ(dialogs.messages.size(), 1u);
    if (dialogs.messages.size() != 1) return {};
    const auto& message = dialogs.messages[0];
    EXPECT_EQ(message.Title, L"错误");
    EXPECT_EQ(message.Style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(message.Style & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(message.CursorWhenShown, L"default");
    const auto lines = Lines(message.Text);
    EXPECT_EQ(lines.size(), 5u) << testing::PrintToString(message.Text);
    if (lines.size() != 5) return {};
    EXPECT_EQ(lines[0], L"在保存图片的过程中发生错误:");
    EXPECT_EQ(lines[1], path);
    EXPECT_EQ(lines[2], L"");
    const std::wstring numberHead = L"错误号: ", descriptionHead = L"错误描述: ";
    EXPECT_EQ(lines[3].substr(0, numberHead.size()), numberHead);
    EXPECT_EQ(lines[4].substr(0, descriptionHead.size()), descriptionHead);
    return {lines[3].substr(numberHead.size()), lines[4].substr(descriptionHead.size())};
  }

  GdiplusSession gdiplus;  // for decoding the written files
  TemporaryFolder folder;
  RecordingCursor cursor;
  RecordingDialogs dialogs{cursor};
};

TEST_F(ExportSaveImageFile, PngHoldsExactlyThePicture) {
  const PixelImage image = pictures::MakeDesktopLikePicture(320, 200, 51);
  const auto decoded = SaveAndDecode(image, L"截图 picture.png", L"png", {0x89, 'P', 'N', 'G'}, kPngFile);
  ExpectSamePixels(image, decoded.Image);
}

TEST_F(ExportSaveImageFile, BmpHoldsExactlyThePictureAt24Bits) {
  const PixelImage image = pictures::MakeDesktopLikePicture(321, 199, 52);  // rows need padding
  const auto decoded = SaveAndDecode(image, L"picture.BMP", L"BMP", {'B', 'M'}, kBmpFile);
  ExpectSamePixels(image, decoded.Image);
  const auto bytes = FileBytes(folder.File(L"picture.BMP"));
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[28], 24) << "bits a pixel";
  EXPECT_EQ(bytes.size(), 54u + static_cast<std::size_t>((321 * 3 + 3) / 4 * 4) * 199);
}

TEST_F(ExportSaveImageFile, TiffHoldsExactlyThePicture) {
  const PixelImage image = pictures::MakeDesktopLikePicture(320, 200, 53);
  ExpectSamePixels(image, SaveAndDecode(image, L"a.tiff", L"tiff", {}, kTiffFile).Image);
}

TEST_F(ExportSaveImageFile, TifIsWrittenAsTiff) {
  const PixelImage image = pictures::MakeFewColourPicture(64, 48, 300, 54);
  ExpectSamePixels(image, SaveAndDecode(image, L"a.tif", L"TIF", {}, kTiffFile).Image);
}

TEST_F(ExportSaveImageFile, GifOf256ColoursOrFewerHoldsExactlyThePicture) {
  for (int colours : {2, 200, 256}) {
    SCOPED_TRACE(colours);
    const PixelImage image = pictures::MakeFewColourPicture(160, 100, colours, 55);
    const auto decoded = SaveAndDecode(image, L"few.gif", L"gif", {'G', 'I', 'F', '8'}, kGifFile);
    ExpectSamePixels(image, decoded.Image);
  }
}

TEST_F(ExportSaveImageFile, GifOfManyColoursStaysCloseToThePicture) {
  const PixelImage image = pictures::MakeDesktopLikePicture(320, 200, 56);
  const auto decoded = SaveAndDecode(image, L"many.gif", L"Gif", {'G', 'I', 'F', '8'}, kGifFile);
  ASSERT_EQ(decoded.Image.Width, 320);
  ASSERT_EQ(decoded.Image.Height, 200);
  EXPECT_LT(Compare(image, decoded.Image).Mean, 3.0);
  const std::set<std::uint32_t> colours(decoded.Image.Pixels.begin(), decoded.Image.Pixels.end());
  EXPECT_GT(colours.size(), 100u) << "a palette fitted to the picture, not a handful of colours";
}

TEST_F(ExportSaveImageFile, JpgInCapitalsIsJpegCloseToThePicture) {
  const PixelImage image = pictures::MakeGradientPicture(160, 120);
  const auto decoded = SaveAndDecode(image, L"photo.JPG", L"JPG", {0xFF, 0xD8, 0xFF}, kJpegFile);
  ASSERT_EQ(decoded.Image.Width, 160);
  ASSERT_EQ(decoded.Image.Height, 120);
  const PixelError error = Compare(image, decoded.Image);
  EXPECT_LT(error.Mean, 3.0);
  EXPECT_LT(error.Max, 48);
}

TEST_F(ExportSaveImageFile, JpegIsWrittenAsJpeg) {
  // The name the save dialog's JPEG entry suggests must not write nothing.
  const PixelImage image = pictures::MakeGradientPicture(96, 64);
  const auto decoded = SaveAndDecode(image, L"photo.jpeg", L"jpeg", {0xFF, 0xD8, 0xFF}, kJpegFile);
  EXPECT_LT(Compare(image, decoded.Image).Mean, 3.0);
}

TEST_F(ExportSaveImageFile, OverwritesAnExistingFile) {
  const std::wstring path = folder.File(L"old.png");
  std::ofstream(std::filesystem::path(path), std::ios::binary) << std::string(100000, 'x');
  const PixelImage image = pictures::MakeFewColourPicture(30, 20, 5, 57);
  ASSERT_TRUE(Save(ScreenPicture(image), path, L"png"));
  const auto decoded = DecodeWithGdiplus(path);
  ASSERT_TRUE(decoded);
  ExpectSamePixels(image, decoded->Image);
}

// A disk that fills up in the middle of the file: the old file stays as it
// was, a new one is not made at all, and nothing half-written is left.
TEST_F(ExportSaveImageFile, AWriteThatFailsPartwayKeepsTheOldFileAndLeavesNoPartOfTheNew) {
  const auto picture = ScreenPicture(pictures::MakeNoisyPicture(120, 80, 59));
  const std::string old(5000, 'o');
  testing_support::FakeDisk disk;
  for (const std::wstring extension : {L"png", L"bmp", L"gif", L"jpg", L"tiff"}) {
    SCOPED_TRACE(testing::PrintToString(extension));
    const std::wstring existing = folder.File(L"old." + extension), fresh = folder.File(L"new." + extension);
    std::ofstream(std::filesystem::path(existing), std::ios::binary) << old;
    for (const std::wstring& path : {existing, fresh}) {
      dialogs.messages.clear();
      disk.SpaceLeft = 1000;
      EXPECT_FALSE(SaveImageFile(picture, path, extension, kCaptureJpegQuality, kCaptureColorDepth,
                                 kCaptureCompression, {cursor, dialogs, nullptr, disk}));
      EXPECT_EQ(disk.SpaceLeft, 0u) << "the write got partway";
      const auto [number, description] = TheErrorMessage(path);
      EXPECT_EQ(number, std::to_wstring(ERROR_DISK_FULL));
      EXPECT_NE(description.find(SystemErrorText(ERROR_DISK_FULL)), std::wstring::npos)
          << testing::PrintToString(description);
    }
    EXPECT_EQ(FileBytes(existing), std::vector<std::uint8_t>(old.begin(), old.end()));
    EXPECT_FALSE(FileExists(fresh));
  }
  EXPECT_EQ(FileNames(folder.File(L"")),
            (std::set<std::wstring>{L"old.png", L"old.bmp", L"old.gif", L"old.jpg", L"old.tiff"}));
  // With room again the same path is written whole, through a new file beside it.
  disk.SpaceLeft.reset();
  disk.Created.clear();
  dialogs.messages.clear();
  ASSERT_TRUE(SaveImageFile(picture, folder.File(L"old.png"), L"png", kCaptureJpegQuality, kCaptureColorDepth,
                            kCaptureCompression, {cursor, dialogs, nullptr, disk}));
  ASSERT_EQ(disk.Created.size(), 1u);
  EXPECT_EQ(std::filesystem::path(disk.Created[0]).parent_path(), std::filesystem::path(folder.File(L"old.png")).parent_path());
  const auto decoded = DecodeWithGdiplus(folder.File(L"old.png"));
  ASSERT_TRUE(decoded);
  ExpectSamePixels(BitmapPixels(picture.Bitmap()), decoded->Image);
  EXPECT_EQ(FileNames(folder.File(L"")).size(), 5u);
}

// A real failure: another program holds the old file open and will not let
// it be replaced. The new picture is written completely, then given up.
TEST_F(ExportSaveImageFile, AFileHeldByAnotherProgramIsReportedAndKeptAsItWas) {
  const auto picture = ScreenPicture(pictures::MakeNoisyPicture(60, 40, 60));
  for (const std::wstring extension : {L"png", L"bmp"}) {
    SCOPED_TRACE(testing::PrintToString(extension));
    dialogs.messages.clear();
    const std::wstring path = folder.File(L"held." + extension);
    const std::string old = "an older picture";
    std::ofstream(std::filesystem::path(path), std::ios::binary) << old;
    win::FileHandle held(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(Save(picture, path, extension));
    held.Reset();
    const auto [number, description] = TheErrorMessage(path);
    EXPECT_NE(number, L"0");
    EXPECT_NE(description.find(SystemErrorText(std::stoul(number))), std::wstring::npos)
        << testing::PrintToString(description);
    EXPECT_EQ(FileBytes(path), std::vector<std::uint8_t>(old.begin(), old.end()));
  }
  EXPECT_EQ(FileNames(folder.File(L"")), (std::set<std::wstring>{L"held.png", L"held.bmp"}));
}

TEST_F(ExportSaveImageFile, ShowsTheHourglassWhileWritingAndTheDefaultAfter) {
  const std::wstring path = folder.File(L"watched.png");
  std::vector<bool> fileExisted;
  cursor.onChange = [&](const std::wstring&) { fileExisted.push_back(FileExists(path)); };
  ASSERT_TRUE(Save(ScreenPicture(pictures::MakeNoisyPicture(50, 40, 58)), path, L"png"));
  EXPECT_EQ(cursor.Events(), (std::vector<std::wstring>{L"wait", L"default"}));
  EXPECT_EQ(fileExisted, (std::vector<bool>{false, true})) << "the file is written between the two";
  EXPECT_EQ(cursor.Current(), L"default");
}

TEST_F(ExportSaveImageFile, AnUnknownExtensionIsReportedAndWritesNothing) {
  const auto picture = ScreenPicture(pictures::BlankPicture(8, 8, 0x123456));
  for (const std::wstring extension : {L"webp", L"", L"jpg ", L"pngx"}) {
    SCOPED_TRACE(testing::PrintToString(extension));
    dialogs.messages.clear();
    const std::wstring path = folder.File(L"unknown." + extension);
    EXPECT_FALSE(Save(picture, path, extension));
    EXPECT_FALSE(FileExists(path));
    const auto [number, description] = TheErrorMessage(path);
    EXPECT_EQ(number, L"13");
    EXPECT_NE(description.find(L"\"" + extension + L"\""), std::wstring::npos) << testing::PrintToString(description);
  }
  EXPECT_EQ(cursor.Current(), L"default");
}

TEST_F(ExportSaveImageFile, AnUnwritablePathIsReportedForEncoderFormats) {
  const auto picture = ScreenPicture(pictures::BlankPicture(8, 8, 0x654321));
  for (const std::wstring extension : {L"png", L"jpg", L"gif", L"tiff"}) {
    SCOPED_TRACE(testing::PrintToString(extension));
    dialogs.messages.clear();
    const std::wstring path = folder.File(L"no such folder\\x." + extension);
    EXPECT_FALSE(Save(picture, path, extension));
    const auto [number, description] = TheErrorMessage(path);
    EXPECT_NE(number, L"");
    EXPECT_NE(number, L"0");
    EXPECT_EQ(number.find_first_not_of(L"0123456789"), std::wstring::npos);
    EXPECT_FALSE(description.empty());
  }
}

TEST_F(ExportSaveImageFile, AnUnwritablePathIsReportedWithTheSystemErrorForBmp) {
  const std::wstring path = folder.File(L"no such folder\\x.bmp");
  EXPECT_FALSE(Save(ScreenPicture(pictures::BlankPicture(8, 8, 0)), path, L"bmp"));
  const auto [number, description] = TheErrorMessage(path);
  EXPECT_EQ(number, std::to_wstring(ERROR_PATH_NOT_FOUND));
  wchar_t systemText[512]{};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                 systemText, 512, nullptr);
  std::wstring expected = systemText;
  while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r')) expected.pop_back();
  ASSERT_FALSE(expected.empty());
  EXPECT_NE(description.find(expected), std::wstring::npos) << testing::PrintToString(description);
}

TEST_F(ExportSaveImageFile, AFailingEncoderIsReported) {
  // JPEG cannot hold a picture wider than 65500 pixels: the encoder fails.
  const auto picture = ScreenPicture(pictures::BlankPicture(70000, 1, 0x336699));
  EXPECT_FALSE(Save(picture, folder.File(L"too wide.jpg"), L"jpg"));
  const auto [number, description] = TheErrorMessage(folder.File(L"too wide.jpg"));
  EXPECT_NE(number, L"0");
  EXPECT_NE(description.find(L"图像编码器"), std::wstring::npos) << testing::PrintToString(description);
  EXPECT_EQ(cursor.Events(), (std::vector<std::wstring>{L"wait", L"default"}));
}

TEST_F(ExportSaveImageFile, APictureWithoutABitmapIsReported) {
  EXPECT_FALSE(Save(win::Picture{}, folder.File(L"nothing.png"), L"png"));
  const auto [number, description] = TheErrorMessage(folder.File(L"nothing.png"));
  EXPECT_EQ(number, L"2") << "GDI+'s InvalidParameter";
  // Said in the user's language, without the program's internal names.
  EXPECT_TRUE(std::none_of(description.begin(), description.end(), [](wchar_t c) { return c < 128 && iswalpha(c); }))
      << testing::PrintToString(description);
  EXPECT_FALSE(FileExists(folder.File(L"nothing.png")));
  EXPECT_EQ(cursor.Events(), (std::vector<std::wstring>{L"wait", L"default"}));
}

TEST_F(ExportSaveImageFile, TheMessageBoxBelongsToTheGivenOwner) {
  const HWND owner = GetDesktopWindow();
  EXPECT_FALSE(SaveImageFile(win::Picture{}, folder.File(L"x.png"), L"png", 80, 24, 6, {cursor, dialogs, owner}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Owner, owner);
}

}  // namespace
}  // namespace quillane::exporting
