#include "export/save_error.h"

#include <array>
#include <new>
#include <stdexcept>

namespace quillane::exporting {

std::wstring SaveErrorMessage(const SaveError& error, std::wstring_view fileName) {
  std::wstring text = L"在保存图片的过程中发生错误:\r\n";
  if (!fileName.empty()) {
    text += fileName;
    text += L"\r\n";
  }
  text += L"\r\n错误号: ";
  text += std::to_wstring(error.Number);
  text += L"\r\n错误描述: ";
  text += error.Description;
  return text;
}

std::wstring GdiplusStatusText(int status) {
  static constexpr std::array<std::wstring_view, 22> kTexts{
      L"成功",
      L"一般性错误",
      L"参数无效",
      L"内存不足",
      L"对象正在使用中",
      L"缓冲区太小",
      L"功能未实现",
      L"系统调用失败，例如文件无法写入",
      L"对象状态错误",
      L"操作已中止",
      L"找不到文件",
      L"数值溢出",
      L"拒绝访问",
      L"未知的图像格式",
      L"找不到字体族",
      L"找不到字体样式",
      L"不是 TrueType 字体",
      L"不支持的图像库版本",
      L"图像库未初始化",
      L"找不到属性",
      L"不支持的属性",
      L"找不到颜色配置文件",
  };
  if (status >= 0 && status < static_cast<int>(kTexts.size())) return std::wstring(kTexts[status]);
  return L"未知的图像库状态 " + std::to_wstring(status);
}

SaveError ErrorForException(const std::exception& problem) {
  // The exception's own text is for developers; the user reads a sentence.
  if (dynamic_cast<const std::bad_alloc*>(&problem)) return {kGdiplusOutOfMemory, L"内存不足"};
  if (dynamic_cast<const std::invalid_argument*>(&problem)) return {kGdiplusInvalidParameter, L"图片无效或为空"};
  return {kGdiplusGenericError, L"无法读取或转换图片"};
}

}  // namespace quillane::exporting
