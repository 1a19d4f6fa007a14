#include "config/registry_settings_store.h"

#include <windows.h>

#include <cwchar>

#include "win32/registry_key.h"

namespace quillane::win {

std::wstring RegistrySettingsStore::KeyPath(std::wstring_view application, std::wstring_view section) {
  std::wstring path = L"Software\\";
  path += application;
  path += L'\\';
  path += section;
  return path;
}

std::optional<std::wstring> RegistrySettingsStore::ReadText(std::wstring_view application,
                                                            std::wstring_view section,
                                                            std::wstring_view key) const {
  const std::wstring path = KeyPath(application, section);
  const std::wstring name(key);
  // The value may change between the size query and the read; retry until both agree.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
      return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    // RegGetValueW guarantees the terminator; keep what precedes it.
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
  }
  return std::nullopt;
}

bool RegistrySettingsStore::WriteText(std::wstring_view application, std::wstring_view section,
                                      std::wstring_view key, std::wstring_view text) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &opened, nullptr) != ERROR_SUCCESS)
    return false;
  const RegistryKey owner(opened);
  const std::wstring name(key);
  const std::wstring data(text);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(owner.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        bytes) == ERROR_SUCCESS;
}

}  // namespace quillane::win
