// The settings store on the real registry of the Wine prefix, and the start
// values a saver run takes from it.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "config/registry_settings_store.h"
#include "config/saver_settings_store.h"

namespace quillane::win {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Vorsting_Flower\\Config";
constexpr std::array<const wchar_t*, 6> kKeys = {L"Qty", L"Size", L"Width", L"Petals", L"Forked", L"Speed"};

void StoreRaw(const wchar_t* key, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, key, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void StoreAllRaw(const std::array<const wchar_t*, 6>& texts) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) StoreRaw(kKeys[i], texts[i]);
}

class ConfigSettings : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower"); }

  RegistrySettingsStore store_;
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

TEST_F(ConfigSettings, WritesStringValuesUnderTheApplicationsConfigKey) {
  ASSERT_TRUE(store_.WriteText(L"Vorsting_Flower", L"Config", L"Qty", L"7"));
  wchar_t text[16] = {};
  DWORD bytes = sizeof text;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Qty", RRF_RT_ANY, &type, text, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(text, L"7");
  EXPECT_EQ(bytes, 2 * sizeof(wchar_t));  // text and terminator
}

TEST_F(ConfigSettings, ReadsWhatIsStoredAndNothingForMissingKeys) {
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Qty"), std::nullopt);  // no key at all
  StoreRaw(L"Qty", L"10");
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Qty"), L"10");
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Size"), std::nullopt);  // key, no value
  StoreRaw(L"Size", L"");
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Size"), L"");
}

TEST_F(ConfigSettings, ReadsLongTextWhole) {
  const std::wstring text(300, L'9');
  StoreRaw(L"Qty", text);
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Qty"), text);
}

TEST_F(ConfigSettings, ANumberStoredAsDwordIsNoText) {
  const DWORD seven = 7;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Qty", REG_DWORD, &seven, sizeof seven), ERROR_SUCCESS);
  EXPECT_EQ(store_.ReadText(L"Vorsting_Flower", L"Config", L"Qty"), std::nullopt);
}

TEST_F(ConfigSettings, WithoutStoredSettingsTheStartValuesAreAsDesigned) {
  ExpectStartValues(LoadStartParams(store_));
}

TEST_F(ConfigSettings, StoredSettingsShapeTheStartValues) {
  StoreAllRaw({L"10", L"0", L"5", L"3", L"7", L"1"});
  const PatternParams p = LoadStartParams(store_);
  EXPECT_EQ(p.FlowerCount, 10);
  EXPECT_EQ(p.Size, 1);
  EXPECT_EQ(p.PetalWidth, 5);
  EXPECT_EQ(p.PetalCount, 4);
  EXPECT_EQ(p.Fork, 8);
  EXPECT_EQ(p.Spin, 90);
  EXPECT_EQ(p.LineWidth, 160);
  EXPECT_EQ(p.ScaleFloor, 9.005f);
}

TEST_F(ConfigSettings, MalformedOrIncompleteSettingsAreIgnored) {
  for (const wchar_t* bad : {L"", L"11", L"-1", L"3.5", L"abc", L" 4"}) {
    StoreAllRaw({L"10", L"10", L"10", L"10", L"10", L"10"});
    StoreRaw(L"Petals", bad);
    ExpectStartValues(LoadStartParams(store_));
  }
  StoreAllRaw({L"10", L"10", L"10", L"10", L"10", L"10"});
  ASSERT_EQ(RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Speed"), ERROR_SUCCESS);
  ExpectStartValues(LoadStartParams(store_));
}

TEST_F(ConfigSettings, WhatTheStoreWritesIsReadBack) {
  StoreSliderPositions(store_, {4, 5, 6, 7, 8, 9});
  const SliderPositions expected = {4, 5, 6, 7, 8, 9};
  EXPECT_EQ(ReadDisplayedPositions(store_), expected);
}

}  // namespace
}  // namespace quillane::win
