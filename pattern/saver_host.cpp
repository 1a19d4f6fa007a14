#include "pattern/saver_host.h"

#include <cstdint>
#include <vector>

#include "pattern/password_setting.h"
#include "win32/module.h"
#include "win32/registry_key.h"

namespace quillane {

namespace {

RegistryValueKind KindOf(DWORD type) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return RegistryValueKind::Text;
    case REG_BINARY: return RegistryValueKind::Binary;
    case REG_DWORD: return RegistryValueKind::DWord;
    default: return RegistryValueKind::Other;
  }
}

}  // namespace

bool ReadPasswordSetting(HKEY root, const wchar_t* subKey) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  const win::RegistryKey key(opened);
  DWORD type = 0;
  DWORD size = 0;
  const wchar_t* name = L"ScreenSaveUsePassword";
  if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  // A value too long to be a flag is unreadable as one.
  if (size > 256) return false;
  std::vector<std::uint8_t> data(size);
  if (RegQueryValueExW(key.Get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return false;
  data.resize(size);
  return PasswordSettingOn(KindOf(type), data);
}

void ChangePasswordWith(PwdChangePasswordFunction change) { change("SCRSAVE", GetForegroundWindow(), 0, 0); }

void ChangePasswordThrough(const wchar_t* module, const char* function) {
  const win::LoadedModule library(module);
  if (auto change = library.Find<PwdChangePasswordFunction>(function)) ChangePasswordWith(change);
}

BOOL VerifyPasswordThrough(const wchar_t* module, const char* function, HWND window) {
  using VerifyPwd = BOOL(WINAPI*)(HWND);
  const win::LoadedModule library(module);
  if (auto verify = library.Find<VerifyPwd>(function)) return verify(window);
  return TRUE;
}

bool SystemSaverHost::IsPasswordEnabled() { return ReadPasswordSetting(HKEY_CURRENT_USER, L"Control Panel\\desktop"); }

BOOL SystemSaverHost::VerifyScreenSavePwd(HWND window) {
  return VerifyPasswordThrough(L"password.cpl", "VerifyScreenSavePwd", window);
}

int SystemSaverHost::ShowCursor(BOOL show) { return ::ShowCursor(show); }

BOOL SystemSaverHost::SystemParameters(UINT action, UINT param, void* data, UINT flags) {
  return SystemParametersInfoW(action, param, data, flags);
}

void SystemSaverHost::ChangePassword() { ChangePasswordThrough(L"mpr.dll", "PwdChangePasswordA"); }

}  // namespace quillane
