#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include "export/image_format.h"
#include "export/save_error.h"

namespace quillane::exporting {
namespace {

TEST(ExportImageFormat, KnowsTheSaveDialogsExtensionsInAnyCase) {
  EXPECT_EQ(ImageFormatForExtension(L"jpg"), ImageFormat::Jpeg);
  EXPECT_EQ(ImageFormatForExtension(L"JPG"), ImageFormat::Jpeg);
  EXPECT_EQ(ImageFormatForExtension(L"jpeg"), ImageFormat::Jpeg);
  EXPECT_EQ(ImageFormatForExtension(L"JPEG"), ImageFormat::Jpeg);
  EXPECT_EQ(ImageFormatForExtension(L"png"), ImageFormat::Png);
  EXPECT_EQ(ImageFormatForExtension(L"PNG"), ImageFormat::Png);
  EXPECT_EQ(ImageFormatForExtension(L"gif"), ImageFormat::Gif);
  EXPECT_EQ(ImageFormatForExtension(L"tiff"), ImageFormat::Tiff);
  EXPECT_EQ(ImageFormatForExtension(L"TIFF"), ImageFormat::Tiff);
  EXPECT_EQ(ImageFormatForExtension(L"tif"), ImageFormat::Tiff);
  EXPECT_EQ(ImageFormatForExtension(L"Bmp"), ImageFormat::Bmp);
}

TEST(ExportImageFormat, KnowsNoOtherExtension) {
  for (const wchar_t* extension : {L"", L"jp", L"jpgg", L"jpg ", L".jpg", L"webp", L"ico", L"ｊｐｇ", L"pngx"})
    EXPECT_EQ(ImageFormatForExtension(extension), std::nullopt) << testing::PrintToString(std::wstring(extension));
}

TEST(ExportSaveError, MessageHasTheHeadingTheFileAnEmptyLineTheNumberAndTheDescription) {
  EXPECT_EQ(SaveErrorMessage({5, L"拒绝访问。"}),
            L"在保存图片的过程中发生错误:\r\n\r\n错误号: 5\r\n错误描述: 拒绝访问。");
  EXPECT_EQ(SaveErrorMessage({112, L"磁盘空间不足。"}, L"C:\\图\\shot.png"),
            L"在保存图片的过程中发生错误:\r\nC:\\图\\shot.png\r\n\r\n错误号: 112\r\n错误描述: 磁盘空间不足。");
  EXPECT_EQ(kSaveErrorTitle, L"错误");
}

// The user reads Chinese: no internal English names (a brand name aside).
bool HasInternalEnglish(std::wstring text) {
  for (const std::wstring brand : {L"TrueType"})
    for (auto at = text.find(brand); at != std::wstring::npos; at = text.find(brand)) text.erase(at, brand.size());
  return std::any_of(text.begin(), text.end(), [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); });
}

TEST(ExportSaveError, DescribesGdiplusStatusesAndFailuresInChinese) {
  EXPECT_EQ(GdiplusStatusText(1), L"一般性错误");
  EXPECT_EQ(GdiplusStatusText(13), L"未知的图像格式");
  EXPECT_EQ(GdiplusStatusText(22), L"未知的图像库状态 22");
  for (int status = -1; status <= 22; ++status)
    EXPECT_FALSE(HasInternalEnglish(GdiplusStatusText(status))) << status;
  const std::bad_alloc outOfMemory;
  const std::invalid_argument noBitmap("the picture holds no bitmap");
  const std::runtime_error unreadable("the picture's pixels cannot be read");
  for (const std::exception* failure : {static_cast<const std::exception*>(&outOfMemory),
                                        static_cast<const std::exception*>(&noBitmap),
                                        static_cast<const std::exception*>(&unreadable)}) {
    const SaveError error = ErrorForException(*failure);
    EXPECT_FALSE(HasInternalEnglish(error.Description)) << failure->what();
    EXPECT_FALSE(error.Description.empty());
  }
}

}  // namespace
}  // namespace quillane::exporting
