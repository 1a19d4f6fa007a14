#include "config/saver_settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace quillane {
namespace {

// An in-memory store that also records every write in order.
class MemoryStore final : public SettingsStore {
 public:
  using Path = std::tuple<std::wstring, std::wstring, std::wstring>;

  std::optional<std::wstring> ReadText(std::wstring_view application, std::wstring_view section,
                                       std::wstring_view key) const override {
    const auto found = values_.find(Path(application, section, key));
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  bool WriteText(std::wstring_view application, std::wstring_view section, std::wstring_view key,
                 std::wstring_view text) override {
    writes_.push_back({Path(application, section, key), std::wstring(text)});
    if (failWrites_) return false;
    values_[Path(application, section, key)] = text;
    return true;
  }

  void Put(std::wstring_view key, std::wstring_view text) { values_[Path(L"Vorsting_Flower", L"Config", key)] = text; }
  void PutAll(const std::array<const wchar_t*, 6>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) Put(kSaverSettingKeys[i], texts[i]);
  }
  void FailWrites() { failWrites_ = true; }
  const std::vector<std::pair<Path, std::wstring>>& Writes() const { return writes_; }

  std::map<Path, std::wstring> values_;

 private:
  std::vector<std::pair<Path, std::wstring>> writes_;
  bool failWrites_ = false;
};

void ExpectStartValues(const PatternParams& p) {
  EXPECT_EQ(p.FlowerCount, 1);
  EXPECT_EQ(p.Size, 5);
  EXPECT_EQ(p.PetalWidth, 1);
  EXPECT_EQ(p.PetalCount, 3);
  EXPECT_EQ(p.Fork, 2);
  EXPECT_EQ(p.Spin, 1);
  EXPECT_EQ(p.LineWidth, 160);
  EXPECT_EQ(p.ScaleFloor, 9.005f);
}

TEST(SettingsStoreUse, WithoutStoredSettingsEveryStartValueIsAsDesigned) {
  const MemoryStore store;
  ExpectStartValues(LoadStartParams(store));
}

TEST(SettingsStoreUse, AllSixStoredAreAppliedToTheStartValues) {
  MemoryStore store;
  store.PutAll({L"10", L"0", L"5", L"3", L"7", L"1"});
  const PatternParams p = LoadStartParams(store);
  EXPECT_EQ(p.FlowerCount, 10);
  EXPECT_EQ(p.Size, 1);
  EXPECT_EQ(p.PetalWidth, 5);
  EXPECT_EQ(p.PetalCount, 4);
  EXPECT_EQ(p.Fork, 8);
  EXPECT_EQ(p.Spin, 90);
  EXPECT_EQ(p.LineWidth, 160);
  EXPECT_EQ(p.ScaleFloor, 9.005f);
}

TEST(SettingsStoreUse, AMissingOrMalformedValueLeavesEveryStartValue) {
  for (std::size_t at = 0; at < kSaverSettingCount; ++at) {
    MemoryStore missing;
    missing.PutAll({L"10", L"10", L"10", L"10", L"10", L"10"});
    missing.values_.erase(MemoryStore::Path(L"Vorsting_Flower", L"Config", kSaverSettingKeys[at]));
    ExpectStartValues(LoadStartParams(missing));

    MemoryStore malformed;
    malformed.PutAll({L"10", L"10", L"10", L"10", L"10", L"10"});
    malformed.Put(kSaverSettingKeys[at], L"11");
    ExpectStartValues(LoadStartParams(malformed));
  }
}

TEST(SettingsStoreUse, ReadsOnlyTheApplicationsConfigSection) {
  MemoryStore store;
  for (std::size_t i = 0; i < kSaverSettingCount; ++i) {
    store.values_[MemoryStore::Path(L"Vorsting_Flower", L"Other", kSaverSettingKeys[i])] = L"10";
    store.values_[MemoryStore::Path(L"Other", L"Config", kSaverSettingKeys[i])] = L"10";
  }
  ExpectStartValues(LoadStartParams(store));
}

TEST(SettingsStoreUse, TheDialogShowsEachValueOnItsOwn) {
  MemoryStore store;
  store.Put(L"Qty", L"4");
  store.Put(L"Width", L"11");
  store.Put(L"Petals", L"abc");
  store.Put(L"Forked", L"-3");
  store.Put(L"Speed", L"9");
  const SliderPositions expected = {4, 0, 10, 0, 0, 9};  // "Size" never stored
  EXPECT_EQ(ReadDisplayedPositions(store), expected);
}

TEST(SettingsStoreUse, StoresTheSixPositionsInOrderAsDecimalText) {
  MemoryStore store;
  StoreSliderPositions(store, {3, 10, 0, 1, 9, 5});
  const std::vector<std::pair<MemoryStore::Path, std::wstring>> expected = {
      {{L"Vorsting_Flower", L"Config", L"Qty"}, L"3"},    {{L"Vorsting_Flower", L"Config", L"Size"}, L"10"},
      {{L"Vorsting_Flower", L"Config", L"Width"}, L"0"},  {{L"Vorsting_Flower", L"Config", L"Petals"}, L"1"},
      {{L"Vorsting_Flower", L"Config", L"Forked"}, L"9"}, {{L"Vorsting_Flower", L"Config", L"Speed"}, L"5"},
  };
  EXPECT_EQ(store.Writes(), expected);
}

TEST(SettingsStoreUse, AFailedWriteDoesNotStopTheOthers) {
  MemoryStore store;
  store.FailWrites();
  StoreSliderPositions(store, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(store.Writes().size(), 6u);
}

TEST(SettingsStoreUse, StoredPositionsReadBackAsTheSameStartValues) {
  MemoryStore store;
  StoreSliderPositions(store, {10, 0, 5, 3, 7, 1});
  const PatternParams p = LoadStartParams(store);
  EXPECT_EQ(p.FlowerCount, 10);
  EXPECT_EQ(p.Spin, 90);
  const SliderPositions shown = {10, 0, 5, 3, 7, 1};
  EXPECT_EQ(ReadDisplayedPositions(store), shown);
}

}  // namespace
}  // namespace quillane
