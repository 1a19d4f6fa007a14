#include "capture/capture_save.h"

#include <array>
#include <utility>

namespace quillane::capture {

namespace {
std::size_t LastSeparator(std::wstring_view path) { return path.find_last_of(L"\\/"); }
}  // namespace

std::wstring SaveFilter() {
  static constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 6> kEntries{{
      {L"PNG文件(*.PNG)", L"*.PNG"},
      {L"JPEG文件(*.jpg;*.jpeg)", L"*.jpg;*.jpeg"},
      {L"位图文件(*.bmp)", L"*.bmp"},
      {L"GIF文件(*.gif)", L"*.gif"},
      {L"TIFF文件(*.TIFF)", L"*.tif;*.tiff"},
      {L"所有文件(*.*)", L"*.*"},
  }};
  std::wstring filter;
  for (const auto& [label, pattern] : kEntries) {
    filter.append(label);
    filter.push_back(L'\0');
    filter.append(pattern);
    filter.push_back(L'\0');
  }
  return filter;
}

std::wstring_view ExtensionOf(std::wstring_view path) {
  const std::size_t separator = LastSeparator(path);
  const std::wstring_view name = separator == std::wstring_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
}

std::wstring_view FormatExtensionOf(std::wstring_view path) {
  const std::wstring_view extension = ExtensionOf(path);
  return extension.empty() ? kSaveDefaultExtension : extension;
}

std::wstring_view FolderOf(std::wstring_view path) {
  const std::size_t separator = LastSeparator(path);
  return separator == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, separator + 1);
}

}  // namespace quillane::capture
