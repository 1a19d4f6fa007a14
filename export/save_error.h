#pragma once
// What the user is told when a picture could not be saved.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace quillane::exporting {

struct SaveError {
  // A GDI+ status for GDI+ failures, a Win32 error code for file failures.
  std::uint32_t Number = 0;
  std::wstring Description;
};

inline constexpr std::wstring_view kSaveErrorTitle = L"错误";

// The message box text: the heading, the file's name when there is one, an
// empty line, the number and the description.
std::wstring SaveErrorMessage(const SaveError& error, std::wstring_view fileName = {});

// A plain description of a GDI+ status value (the Gdiplus::Status numbers),
// in the user's language: no internal names.
std::wstring GdiplusStatusText(int status);

// What the user is told when the program's own work fails with an exception.
SaveError ErrorForException(const std::exception& problem);

// GDI+ status values this module reports itself.
inline constexpr int kGdiplusGenericError = 1;
inline constexpr int kGdiplusInvalidParameter = 2;
inline constexpr int kGdiplusOutOfMemory = 3;
inline constexpr int kGdiplusUnknownImageFormat = 13;

}  // namespace quillane::exporting
