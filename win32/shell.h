#pragma once
// Opening documents and web pages through the shell; tests stand in for it.
#include <windows.h>

#include <string_view>

namespace quillane::win {

class Shell {
 public:
  virtual ~Shell() = default;
  // The shell's "open" verb, with `owner` as the owner of any message it shows.
  virtual void Open(HWND owner, std::wstring_view target) = 0;
};

class SystemShell final : public Shell {
 public:
  void Open(HWND owner, std::wstring_view target) override;
};

}  // namespace quillane::win
