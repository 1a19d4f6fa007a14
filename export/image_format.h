#pragma once
// Which file format a picture is saved in, chosen by the file's extension.
#include <optional>
#include <string_view>

namespace quillane::exporting {

enum class ImageFormat { Jpeg, Png, Gif, Tiff, Bmp };

// The format for an extension given without its dot, in any ASCII case:
// jpg and jpeg, png, gif, tiff and tif, bmp. Nothing for any other.
std::optional<ImageFormat> ImageFormatForExtension(std::wstring_view extension);

// The extensions that ImageFormatForExtension knows, for messages.
inline constexpr std::wstring_view kKnownExtensions = L"jpg, jpeg, png, gif, tiff, tif, bmp";

}  // namespace quillane::exporting
