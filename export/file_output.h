#pragma once
// Writing a whole file so that a failure never costs the user a file: the
// bytes go to a new file beside the target, and only once all of them are
// written and flushed does that file take the target's name. A failed write
// leaves an existing target as it was and no partial file behind.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "export/save_error.h"

namespace quillane::exporting {

// The file system as a save uses it. Failures return false (an invalid
// handle for CreateNew) and leave the reason in GetLastError.
class FileOutput {
 public:
  virtual ~FileOutput() = default;
  // Creates `path` for writing; fails when it exists already.
  virtual HANDLE CreateNew(const std::wstring& path) = 0;
  virtual bool Write(HANDLE file, const std::uint8_t* data, DWORD size, DWORD& written) = 0;
  // Until the bytes are on the disk.
  virtual bool Flush(HANDLE file) = 0;
  virtual bool Close(HANDLE file) = 0;
  // Gives `from` the name `to`, in one step, replacing a file of that name.
  virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool Remove(const std::wstring& path) = 0;
};

// The real one.
class SystemFileOutput : public FileOutput {
 public:
  HANDLE CreateNew(const std::wstring& path) override;
  bool Write(HANDLE file, const std::uint8_t* data, DWORD size, DWORD& written) override;
  bool Flush(HANDLE file) override;
  bool Close(HANDLE file) override;
  bool Replace(const std::wstring& from, const std::wstring& to) override;
  bool Remove(const std::wstring& path) override;
};
FileOutput& SystemFiles();

// Writes `bytes` as the file `path`, creating or replacing it as described
// above. On failure: the Win32 error with the system's description.
std::optional<SaveError> WriteWholeFile(FileOutput& files, const std::wstring& path,
                                        std::span<const std::uint8_t> bytes);

// The system's description of a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

}  // namespace quillane::exporting
