#pragma once
// The per-user store of program settings, keyed by application, section and
// key. Behind an interface so the portable logic can be tested without the
// registry; the program uses RegistrySettingsStore (config/registry_settings_store.h).
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nothing when the key was never stored (or cannot be read as text).
  virtual std::optional<std::wstring> ReadText(std::wstring_view application, std::wstring_view section,
                                               std::wstring_view key) const = 0;
  // Returns whether the text was stored.
  virtual bool WriteText(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                         std::wstring_view text) = 0;
};

}  // namespace quillane
