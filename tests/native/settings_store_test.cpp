#include "config/saver_settings_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "memory_settings_store.h"

namespace quillane {
namespace {

using MemoryStore = testing_support::MemorySettingsStore;

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
    missing.values.erase(MemoryStore::SaverKey(kSaverSettingKeys[at]));
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
    store.values[MemoryStore::Path(L"Vorsting_Flower", L"Other", kSaverSettingKeys[i])] = L"10";
    store.values[MemoryStore::Path(L"Other", L"Config", kSaverSettingKeys[i])] = L"10";
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
  // "Size" never stored and "Petals" unreadable show their designed positions.
  const SliderPositions expected = {4, DesignedSliderPosition(1), 10, DesignedSliderPosition(3), 0, 9};
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
  EXPECT_EQ(store.writes, expected);
}

TEST(SettingsStoreUse, AFailedWriteDoesNotStopTheOthers) {
  MemoryStore store;
  store.failWrites = true;
  StoreSliderPositions(store, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(store.writes.size(), 6u);
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
