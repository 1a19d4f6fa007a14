#pragma once
// The operating system's side of a running screen saver: the password setting
// and check, the cursor's show count and the saver-running flag. The program
// uses SystemSaverHost; tests count and answer the calls.
#include <windows.h>

namespace quillane {

class SaverHost {
 public:
  virtual ~SaverHost() = default;
  virtual bool IsPasswordEnabled() = 0;
  // Non-zero when the password was verified (or nothing needs verifying).
  virtual BOOL VerifyScreenSavePwd(HWND window) = 0;
  virtual int ShowCursor(BOOL show) = 0;
  virtual BOOL SystemParameters(UINT action, UINT param, void* data, UINT flags) = 0;
  virtual void ChangePassword() = 0;
};

class SystemSaverHost final : public SaverHost {
 public:
  bool IsPasswordEnabled() override;
  BOOL VerifyScreenSavePwd(HWND window) override;
  int ShowCursor(BOOL show) override;
  BOOL SystemParameters(UINT action, UINT param, void* data, UINT flags) override;
  void ChangePassword() override;
};

// "ScreenSaveUsePassword" under `subKey` of `root`; false when it cannot be read.
bool ReadPasswordSetting(HKEY root, const wchar_t* subKey);

// The system's password-change entry (mpr.dll's PwdChangePasswordA).
using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, DWORD);
// Asks for the saver password's change, owned by the foreground window.
void ChangePasswordWith(PwdChangePasswordFunction change);
// Through `function` of `module`; does nothing where either is missing.
void ChangePasswordThrough(const wchar_t* module, const char* function);

// The system's verification through `function` of `module`; where either is
// missing the system itself guards the desktop, so it counts as passed.
BOOL VerifyPasswordThrough(const wchar_t* module, const char* function, HWND window);

}  // namespace quillane
