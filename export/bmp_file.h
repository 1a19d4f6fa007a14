#pragma once
// A picture written as a standard Windows BMP file, without GDI+.
#include <optional>
#include <string>

#include "export/file_output.h"
#include "export/save_error.h"
#include "win32/picture.h"

namespace quillane::exporting {

// Nothing when the file was written; else the reason (the Win32 error for a
// file that cannot be written). Written as WriteWholeFile does: a failure
// leaves an existing file as it was.
std::optional<SaveError> WritePictureAsBmp(const win::Picture& picture, const std::wstring& fileName,
                                           FileOutput& files = SystemFiles());

}  // namespace quillane::exporting
