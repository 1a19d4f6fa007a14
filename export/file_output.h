#pragma once
// Writing a whole file, with the system's own error number and text on failure.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "export/save_error.h"

namespace quillane::exporting {

// Creates or overwrites the file. On failure the partial file is removed and
// the Win32 error is returned with its system description.
std::optional<SaveError> WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes);

// The system's description of a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

}  // namespace quillane::exporting
