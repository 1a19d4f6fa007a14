// The encoders and parameters handed to GDI+, and what they make of them:
// JPEG at quality 80, TIFF uncompressed at 24 bits a pixel.
#include "export/image_encoders.h"

#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <array>

#include "export/gdiplus_objects.h"
#include "export/save_image_file.h"
#include "export/test_pictures.h"
#include "export_test_support.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using namespace wine_tests;

constexpr GUID kQuality{0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
constexpr GUID kCompression{0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
constexpr GUID kColorDepth{0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
constexpr ULONG kTypeLong = 4;

ULONG ValueOf(const Gdiplus::EncoderParameter& parameter) { return *static_cast<const ULONG*>(parameter.Value); }

TEST(ExportEncoderParameters, JpegHasOneQualityValue) {
  const EncoderParameterBlock block(ImageFormat::Jpeg, 80, 24, 6);
  const auto* parameters = block.Get();
  ASSERT_EQ(parameters->Count, 1u);
  EXPECT_TRUE(IsEqualGUID(parameters->Parameter[0].Guid, kQuality));
  EXPECT_EQ(parameters->Parameter[0].NumberOfValues, 1u);
  EXPECT_EQ(parameters->Parameter[0].Type, kTypeLong);
  EXPECT_EQ(ValueOf(parameters->Parameter[0]), 80u);
}

TEST(ExportEncoderParameters, TiffHasCompressionThenColourDepth) {
  const EncoderParameterBlock block(ImageFormat::Tiff, 80, 24, 6);
  const auto* parameters = block.Get();
  ASSERT_EQ(parameters->Count, 2u);
  const Gdiplus::EncoderParameter* list = parameters->Parameter;
  EXPECT_TRUE(IsEqualGUID(list[0].Guid, kCompression));
  EXPECT_EQ(ValueOf(list[0]), 6u);
  EXPECT_TRUE(IsEqualGUID(list[1].Guid, kColorDepth));
  EXPECT_EQ(ValueOf(list[1]), 24u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(list[i].NumberOfValues, 1u);
    EXPECT_EQ(list[i].Type, kTypeLong);
  }
}

TEST(ExportEncoderParameters, PngAndGifHaveNone) {
  EXPECT_EQ(EncoderParameterBlock(ImageFormat::Png, 80, 24, 6).Get()->Count, 0u);
  EXPECT_EQ(EncoderParameterBlock(ImageFormat::Gif, 80, 24, 6).Get()->Count, 0u);
}

TEST(ExportEncoderParameters, ClassIdsAreThoseOfGdiplusOwnEncoders) {
  const GdiplusSession gdiplus;
  ASSERT_EQ(gdiplus.Status(), Gdiplus::Ok);
  UINT count = 0, size = 0;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size), Gdiplus::Ok);
  std::vector<std::uint8_t> memory(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(memory.data());
  ASSERT_EQ(Gdiplus::DllExports::GdipGetImageEncoders(count, size, encoders), Gdiplus::Ok);
  const auto mimeTypeOf = [&](const CLSID& id) -> std::wstring {
    for (UINT i = 0; i < count; ++i)
      if (IsEqualGUID(encoders[i].Clsid, id)) return encoders[i].MimeType;
    return L"(none)";
  };
  EXPECT_EQ(mimeTypeOf(EncoderClassId(ImageFormat::Jpeg)), L"image/jpeg");
  EXPECT_EQ(mimeTypeOf(EncoderClassId(ImageFormat::Png)), L"image/png");
  EXPECT_EQ(mimeTypeOf(EncoderClassId(ImageFormat::Gif)), L"image/gif");
  EXPECT_EQ(mimeTypeOf(EncoderClassId(ImageFormat::Tiff)), L"image/tiff");
  const CLSID jpeg{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  EXPECT_TRUE(IsEqualGUID(EncoderClassId(ImageFormat::Jpeg), jpeg));
}

// The first 8-bit quantisation table of a JPEG file, in file (zig-zag) order.
std::optional<std::array<int, 64>> LuminanceTable(const std::vector<std::uint8_t>& jpeg) {
  std::size_t at = 2;  // after SOI
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
    const int marker = jpeg[at + 1];
    const std::size_t length = static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (marker == 0xDA) break;  // start of scan: no more tables
    if (marker == 0xDB) {
      for (std::size_t t = at + 4; t + 65 <= at + 2 + length && t + 65 <= jpeg.size(); t += 65) {
        if (jpeg[t] != 0x00) continue;  // 8-bit precision, table 0
        std::array<int, 64> table{};
        for (int i = 0; i < 64; ++i) table[i] = jpeg[t + 1 + i];
        return table;
      }
    }
    at += 2 + length;
  }
  return std::nullopt;
}

// The JPEG standard's example luminance table scaled for a quality, as the
// common libjpeg-based encoders (GDI+'s among them) do; zig-zag order.
std::array<int, 64> ScaledLuminanceTable(int quality) {
  static constexpr std::array<int, 64> kNatural{
      16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,  14, 13, 16, 24,  40,  57,
      69, 56, 14, 17, 22,  29,  51,  87,  80, 62, 18, 22, 37,  56,  68,  109, 103, 77, 24, 35, 55,  64,
      81, 104, 113, 92, 49, 64, 78, 87,  103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};
  static constexpr std::array<int, 64> kZigZag{0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                               12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                               35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                               58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  std::array<int, 64> table{};
  for (int i = 0; i < 64; ++i) table[i] = std::clamp((kNatural[kZigZag[i]] * scale + 50) / 100, 1, 255);
  return table;
}

TEST(ExportJpegQuality, TheFileIsEncodedAtQuality80) {
  const GdiplusSession gdiplus;
  TemporaryFolder folder;
  RecordingCursor cursor;
  RecordingDialogs dialogs(cursor);
  const std::wstring path = folder.File(L"q.jpg");
  ASSERT_TRUE(SaveImageFile(ScreenPicture(pictures::MakeGradientPicture(64, 48)), path, L"jpg", 80, 24, 6,
                            {cursor, dialogs, nullptr}));
  const auto table = LuminanceTable(FileBytes(path));
  ASSERT_TRUE(table) << "no quantisation table in the file";
  if (*table != ScaledLuminanceTable(80) && RunningUnderWine()) {
    // Wine's GDI+ hands the JPEG encoder no parameters (it writes libjpeg's
    // default quality); the parameter block itself is checked above.
    GTEST_SKIP() << "Wine's GDI+ ignores the JPEG quality parameter (table starts " << (*table)[0] << ", "
                 << (*table)[1] << "; quality 80 would give " << ScaledLuminanceTable(80)[0] << ", "
                 << ScaledLuminanceTable(80)[1] << ")";
  }
  EXPECT_EQ(*table, ScaledLuminanceTable(80));
}

struct TiffLayout {
  int Compression = -1;
  int SamplesPerPixel = -1;
  std::vector<int> BitsPerSample;
};

// The first image directory's compression and sample layout.
std::optional<TiffLayout> ReadTiffLayout(const std::vector<std::uint8_t>& tiff) {
  if (tiff.size() < 8) return std::nullopt;
  const bool little = tiff[0] == 'I' && tiff[1] == 'I';
  if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return std::nullopt;
  const auto u16 = [&](std::size_t at) -> int {
    if (at + 2 > tiff.size()) return -1;
    return little ? tiff[at] | tiff[at + 1] << 8 : tiff[at] << 8 | tiff[at + 1];
  };
  const auto u32 = [&](std::size_t at) -> std::size_t {
    if (at + 4 > tiff.size()) return 0;
    const std::uint32_t a = tiff[at], b = tiff[at + 1], c = tiff[at + 2], d = tiff[at + 3];
    return little ? (a | b << 8 | c << 16 | d << 24) : (a << 24 | b << 16 | c << 8 | d);
  };
  if (u16(2) != 42) return std::nullopt;
  const std::size_t directory = u32(4);
  const int entries = u16(directory);
  if (entries < 0) return std::nullopt;
  TiffLayout layout;
  for (int i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + 12 * static_cast<std::size_t>(i);
    const int tag = u16(entry), type = u16(entry + 2);
    const std::size_t count = u32(entry + 4);
    if (type != 3) continue;  // the tags read here are SHORTs
    const std::size_t values = count <= 2 ? entry + 8 : u32(entry + 8);
    if (tag == 259) layout.Compression = u16(values);
    if (tag == 277) layout.SamplesPerPixel = u16(values);
    if (tag == 258)
      for (std::size_t k = 0; k < count; ++k) layout.BitsPerSample.push_back(u16(values + 2 * k));
  }
  return layout;
}

TEST(ExportTiffLayout, TheFileIsUncompressedAt24Bits) {
  const GdiplusSession gdiplus;
  TemporaryFolder folder;
  RecordingCursor cursor;
  RecordingDialogs dialogs(cursor);
  const std::wstring path = folder.File(L"layout.tiff");
  ASSERT_TRUE(SaveImageFile(ScreenPicture(pictures::MakeDesktopLikePicture(200, 150, 61)), path, L"tiff", 80, 24, 6,
                            {cursor, dialogs, nullptr}));
  const auto layout = ReadTiffLayout(FileBytes(path));
  ASSERT_TRUE(layout) << "not a TIFF file";
  EXPECT_EQ(layout->Compression, 1) << "1: no compression";
  EXPECT_EQ(layout->SamplesPerPixel, 3);
  EXPECT_EQ(layout->BitsPerSample, (std::vector<int>{8, 8, 8}));
}

}  // namespace
}  // namespace quillane::exporting
