#include "export/file_output.h"

#include <algorithm>
#include <atomic>

namespace quillane::exporting {
namespace {

SaveError FileError(DWORD code) {
  if (code == 0) code = ERROR_WRITE_FAULT;  // a failure never reads as success
  return {code, L"无法写入文件: " + SystemErrorText(code)};
}

// A name beside `path`, in its folder, that no file has yet (probably: the
// creation refuses one that exists).
std::wstring TemporaryNameFor(const std::wstring& path, int attempt) {
  static std::atomic<unsigned> counter{0};
  return path + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L"-" +
         std::to_wstring(attempt) + L".tmp";
}

}  // namespace

HANDLE SystemFileOutput::CreateNew(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool SystemFileOutput::Write(HANDLE file, const std::uint8_t* data, DWORD size, DWORD& written) {
  return WriteFile(file, data, size, &written, nullptr) != FALSE;
}

bool SystemFileOutput::Flush(HANDLE file) { return FlushFileBuffers(file) != FALSE; }

bool SystemFileOutput::Close(HANDLE file) { return CloseHandle(file) != FALSE; }

bool SystemFileOutput::Replace(const std::wstring& from, const std::wstring& to) {
  // A rename in one step: the target is the old file or the new one, never
  // neither (ReplaceFileW may leave only the new file under its own name).
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool SystemFileOutput::Remove(const std::wstring& path) { return DeleteFileW(path.c_str()) != FALSE; }

FileOutput& SystemFiles() {
  static SystemFileOutput files;
  return files;
}

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

std::optional<SaveError> WriteWholeFile(FileOutput& files, const std::wstring& path,
                                        std::span<const std::uint8_t> bytes) {
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 8 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryNameFor(path, attempt);
    file = files.CreateNew(temporary);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return FileError(GetLastError());

  // The first failure, its code taken before any clean-up can overwrite it.
  DWORD failure = 0;
  const auto lastError = [] {
    const DWORD code = GetLastError();
    return code ? code : static_cast<DWORD>(ERROR_WRITE_FAULT);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!files.Write(file, bytes.data() + done, piece, written) || written == 0) {
      failure = lastError();
      break;
    }
    done += written;
  }
  if (!failure && !files.Flush(file)) failure = lastError();
  if (!files.Close(file) && !failure) failure = lastError();
  if (!failure && !files.Replace(temporary, path)) failure = lastError();
  if (!failure) return std::nullopt;
  files.Remove(temporary);  // never a half-written file beside the user's
  return FileError(failure);
}

}  // namespace quillane::exporting
