#include "export/save_error.h"

#include <array>

namespace quillane::exporting {

std::wstring SaveErrorMessage(const SaveError& error) {
  std::wstring text = L"在保存图片的过程中发生错误:\r\n\r\n错误号: ";
  text += std::to_wstring(error.Number);
  text += L"\r\n错误描述: ";
  text += error.Description;
  return text;
}

std::wstring GdiplusStatusText(int status) {
  static constexpr std::array<std::wstring_view, 22> kTexts{
      L"成功 (Ok)",
      L"一般性错误 (GenericError)",
      L"参数无效 (InvalidParameter)",
      L"内存不足 (OutOfMemory)",
      L"对象正在使用中 (ObjectBusy)",
      L"缓冲区太小 (InsufficientBuffer)",
      L"功能未实现 (NotImplemented)",
      L"系统调用失败，例如文件无法写入 (Win32Error)",
      L"对象状态错误 (WrongState)",
      L"操作已中止 (Aborted)",
      L"找不到文件 (FileNotFound)",
      L"数值溢出 (ValueOverflow)",
      L"拒绝访问 (AccessDenied)",
      L"未知的图像格式 (UnknownImageFormat)",
      L"找不到字体族 (FontFamilyNotFound)",
      L"找不到字体样式 (FontStyleNotFound)",
      L"不是 TrueType 字体 (NotTrueTypeFont)",
      L"不支持的 GDI+ 版本 (UnsupportedGdiplusVersion)",
      L"GDI+ 未初始化 (GdiplusNotInitialized)",
      L"找不到属性 (PropertyNotFound)",
      L"不支持的属性 (PropertyNotSupported)",
      L"找不到颜色配置文件 (ProfileNotFound)",
  };
  if (status >= 0 && status < static_cast<int>(kTexts.size())) return std::wstring(kTexts[status]);
  return L"未知的 GDI+ 状态 " + std::to_wstring(status);
}

}  // namespace quillane::exporting
