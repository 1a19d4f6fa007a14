#include "win32/shell.h"

#include <shellapi.h>

#include <string>

namespace quillane::win {

void SystemShell::Open(HWND owner, std::wstring_view target) {
  ShellExecuteW(owner, L"open", std::wstring(target).c_str(), L"", L"", SW_SHOW);
}

}  // namespace quillane::win
