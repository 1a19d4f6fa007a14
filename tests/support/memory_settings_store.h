#pragma once
// Settings kept in memory, recording every write: for tests that must not
// touch the registry.
#include <array>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/saver_settings.h"
#include "config/settings_store.h"

namespace quillane::testing_support {

class MemorySettingsStore final : public SettingsStore {
 public:
  using Path = std::tuple<std::wstring, std::wstring, std::wstring>;

  std::optional<std::wstring> ReadText(std::wstring_view application, std::wstring_view section,
                                       std::wstring_view key) const override {
    const auto found = values.find(Path(application, section, key));
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool WriteText(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                 std::wstring_view text) override {
    writes.push_back({Path(application, section, key), std::wstring(text)});
    if (failWrites) return false;
    values[Path(application, section, key)] = text;
    return true;
  }

  // A saver setting, under the saver's application and section.
  static Path SaverKey(std::wstring_view key) { return Path(kSettingsApplication, kSettingsSection, key); }
  void Put(std::wstring_view key, std::wstring_view text) { values[SaverKey(key)] = text; }
  void PutAll(const std::array<const wchar_t*, kSaverSettingCount>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) Put(kSaverSettingKeys[i], texts[i]);
  }
  std::optional<std::wstring> Saved(std::wstring_view key) const { return ReadText(kSettingsApplication, kSettingsSection, key); }

  std::map<Path, std::wstring> values;
  std::vector<std::pair<Path, std::wstring>> writes;
  bool failWrites = false;
};

}  // namespace quillane::testing_support
