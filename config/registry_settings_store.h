#pragma once
// The settings store on Windows: REG_SZ values of
// HKEY_CURRENT_USER\Software\<application>\<section>.
#include <string>

#include "config/settings_store.h"

namespace quillane::win {

class RegistrySettingsStore final : public SettingsStore {
 public:
  std::optional<std::wstring> ReadText(std::wstring_view application, std::wstring_view section,
                                       std::wstring_view key) const override;
  bool WriteText(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                 std::wstring_view text) override;

  // "Software\<application>\<section>", relative to HKEY_CURRENT_USER.
  static std::wstring KeyPath(std::wstring_view application, std::wstring_view section);
};

}  // namespace quillane::win
