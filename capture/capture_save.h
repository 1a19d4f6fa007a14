#pragma once
// What the capture's save dialog asks with, and how the chosen name is read:
// the format follows the name's own extension, taken from its last path
// component only, and a name without one is written as PNG.
#include <string>
#include <string_view>

namespace quillane::capture {

inline constexpr std::wstring_view kSaveDialogTitle = L"保存为";
// Added by the dialog to a name typed without an extension.
inline constexpr std::wstring_view kSaveDefaultExtension = L"PNG";

// The dialog's filter list: pairs of label and pattern, each ended by a NUL.
// Every pattern takes what its label names.
std::wstring SaveFilter();

// The text after the last '.' of the path's last component; empty when it has none.
std::wstring_view ExtensionOf(std::wstring_view path);
// The extension that chooses the file's format.
std::wstring_view FormatExtensionOf(std::wstring_view path);
// The path up to and with its last separator (a program's folder from its
// file name; a file at a drive's root gives the root).
std::wstring_view FolderOf(std::wstring_view path);

}  // namespace quillane::capture
