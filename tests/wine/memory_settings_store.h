#pragma once
#include <map>
#include <string>
#include <tuple>

#include "config/settings_store.h"

namespace quillane::testing_support {

// Settings kept in memory, for start-up tests that must not touch the registry.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<std::wstring> ReadText(std::wstring_view application, std::wstring_view section,
                                       std::wstring_view key) const override {
    const auto found = values_.find({std::wstring(application), std::wstring(section), std::wstring(key)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  bool WriteText(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                 std::wstring_view text) override {
    values_[{std::wstring(application), std::wstring(section), std::wstring(key)}] = text;
    return true;
  }

 private:
  std::map<std::tuple<std::wstring, std::wstring, std::wstring>, std::wstring> values_;
};

}  // namespace quillane::testing_support
