#include <gtest/gtest.h>

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

TEST(ExportSaveError, MessageHasTheHeadingAnEmptyLineTheNumberAndTheDescription) {
  EXPECT_EQ(SaveErrorMessage({5, L"拒绝访问。"}),
            L"在保存图片的过程中发生错误:\r\n\r\n错误号: 5\r\n错误描述: 拒绝访问。");
  EXPECT_EQ(kSaveErrorTitle, L"错误");
}

TEST(ExportSaveError, DescribesGdiplusStatuses) {
  EXPECT_EQ(GdiplusStatusText(1), L"一般性错误 (GenericError)");
  EXPECT_EQ(GdiplusStatusText(7), L"系统调用失败，例如文件无法写入 (Win32Error)");
  EXPECT_EQ(GdiplusStatusText(13), L"未知的图像格式 (UnknownImageFormat)");
  EXPECT_EQ(GdiplusStatusText(21), L"找不到颜色配置文件 (ProfileNotFound)");
  EXPECT_EQ(GdiplusStatusText(22), L"未知的 GDI+ 状态 22");
  EXPECT_EQ(GdiplusStatusText(-1), L"未知的 GDI+ 状态 -1");
}

}  // namespace
}  // namespace quillane::exporting
