#include "export/image_format.h"

#include <array>
#include <string>
#include <utility>

namespace quillane::exporting {

std::optional<ImageFormat> ImageFormatForExtension(std::wstring_view extension) {
  std::wstring lowered(extension);
  for (auto& c : lowered)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  // Looked up in this order; "jpeg" and "tif" are the names save dialogs offer too.
  static constexpr std::array<std::pair<std::wstring_view, ImageFormat>, 7> kTable{{
      {L"jpg", ImageFormat::Jpeg},
      {L"jpeg", ImageFormat::Jpeg},
      {L"png", ImageFormat::Png},
      {L"gif", ImageFormat::Gif},
      {L"tiff", ImageFormat::Tiff},
      {L"tif", ImageFormat::Tiff},
      {L"bmp", ImageFormat::Bmp},
  }};
  for (const auto& [name, format] : kTable)
    if (lowered == name) return format;
  return std::nullopt;
}

}  // namespace quillane::exporting
