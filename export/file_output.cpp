#include "export/file_output.h"

#include <algorithm>

#include "win32/kernel_handle.h"

namespace quillane::exporting {
namespace {

SaveError FileError(DWORD code) { return {code, L"无法写入文件: " + SystemErrorText(code)}; }

}  // namespace

std::wstring SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring result = length && text ? std::wstring(text, length) : L"系统错误 " + std::to_wstring(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
    result.pop_back();
  return result;
}

std::optional<SaveError> WriteWholeFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  win::FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FileError(GetLastError());
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD done = 0;
    if (!WriteFile(file.Get(), bytes.data() + written, piece, &done, nullptr) || done == 0) {
      const DWORD code = GetLastError();
      file.Reset();
      DeleteFileW(path.c_str());  // a cut-off picture is worse than none
      return FileError(code ? code : ERROR_WRITE_FAULT);
    }
    written += done;
  }
  return std::nullopt;
}

}  // namespace quillane::exporting
