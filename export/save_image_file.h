#pragma once
// Saving a picture to a file in the format its extension names: PNG, JPEG,
// GIF and TIFF through the GDI+ encoders, BMP through our own writer.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "export/app_cursor.h"
#include "export/file_output.h"
#include "win32/dialogs.h"
#include "win32/picture.h"

namespace quillane::exporting {

// What the capture tool passes: JPEG quality 80, TIFF at 24 bits a pixel,
// uncompressed (GDI+'s EncoderValueCompressionNone).
inline constexpr std::int32_t kCaptureJpegQuality = 80;
inline constexpr std::int32_t kCaptureColorDepth = 24;
inline constexpr std::int32_t kCaptureCompression = 6;

// Who a save talks to: the pointer, the message box on failure, the files.
struct SaveFeedback {
  AppCursor& Cursor;
  win::Dialogs& Dialogs;
  HWND Owner = nullptr;  // the message box's owner
  FileOutput& Files = SystemFiles();
};

// Writes `picture` to `fileName`, overwriting it, in the format named by
// `extension` (without the dot, any case): jpg or jpeg, png, gif, tiff or tif,
// bmp. The pointer is the hourglass meanwhile and the default afterwards. On
// any failure (an unknown extension, a GDI+ failure, a file that cannot be
// written) the user is shown a message box titled "错误", with an error
// icon, naming the file and giving the error number and description, and
// the result is false; true means the file was written. The picture is
// encoded in memory first and the file written as WriteWholeFile does, so
// a failure leaves an existing file as it was. `quality` applies to JPEG, `colorDepth` and `compression` to TIFF.
[[nodiscard]] bool SaveImageFile(const win::Picture& picture, const std::wstring& fileName,
                                 std::wstring_view extension, std::int32_t quality, std::int32_t colorDepth,
                                 std::int32_t compression, const SaveFeedback& feedback);

}  // namespace quillane::exporting
