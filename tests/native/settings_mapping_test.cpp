#include "config/saver_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillane {
namespace {

StoredSettingTexts Texts(std::wstring qty, std::wstring size, std::wstring width, std::wstring petals,
                         std::wstring forked, std::wstring speed) {
  return {qty, size, width, petals, forked, speed};
}

SaverSettings Positions(std::int32_t qty, std::int32_t size, std::int32_t width, std::int32_t petals,
                        std::int32_t forked, std::int32_t speed) {
  return SaverSettings{{qty, size, width, petals, forked, speed}};
}

TEST(SettingsMapping, KeysAreStoredInTheSliderOrder) {
  EXPECT_EQ(kSettingsApplication, L"Vorsting_Flower");
  EXPECT_EQ(kSettingsSection, L"Config");
  const std::array<std::wstring_view, 6> expected = {L"Qty", L"Size", L"Width", L"Petals", L"Forked", L"Speed"};
  EXPECT_EQ(kSaverSettingKeys, expected);
}

TEST(SettingsMapping, AcceptsWholeNumbersFromZeroToTen) {
  for (int v = 0; v <= 10; ++v) EXPECT_EQ(ParseSettingValue(std::to_wstring(v)), v) << v;
  // Leading zeros are still plain decimal digits.
  EXPECT_EQ(ParseSettingValue(L"04"), 4);
  EXPECT_EQ(ParseSettingValue(L"010"), 10);
  EXPECT_EQ(ParseSettingValue(L"00000000000000000000007"), 7);
}

TEST(SettingsMapping, RejectsEverythingElseIncludingBlanks) {
  for (const wchar_t* text : {L"", L"11", L"-1", L"3.5", L"abc", L" 4", L"4 ", L"+4", L"4a", L"1e1", L"-0",
                              L"99999999999999999999", L"\uFF14" /* full-width 4 */})
    EXPECT_EQ(ParseSettingValue(text), std::nullopt) << "text: [" << text << "]";
}

TEST(SettingsMapping, ParsesAllSixInKeyOrder) {
  const auto settings = ParseSaverSettings(Texts(L"1", L"2", L"3", L"4", L"5", L"10"));
  ASSERT_TRUE(settings);
  const SliderPositions expected = {1, 2, 3, 4, 5, 10};
  EXPECT_EQ(settings->Positions, expected);
}

TEST(SettingsMapping, OneMissingKeyIgnoresAllSix) {
  for (std::size_t missing = 0; missing < kSaverSettingCount; ++missing) {
    StoredSettingTexts texts = Texts(L"1", L"2", L"3", L"4", L"5", L"6");
    texts[missing].reset();
    EXPECT_EQ(ParseSaverSettings(texts), std::nullopt) << "missing key " << missing;
  }
}

TEST(SettingsMapping, OneMalformedValueIgnoresAllSix) {
  for (const wchar_t* bad : {L"", L"11", L"-1", L"3.5", L"abc", L" 4"}) {
    for (std::size_t at = 0; at < kSaverSettingCount; ++at) {
      StoredSettingTexts texts = Texts(L"1", L"2", L"3", L"4", L"5", L"6");
      texts[at] = bad;
      EXPECT_EQ(ParseSaverSettings(texts), std::nullopt) << "key " << at;
    }
  }
}

TEST(SettingsMapping, EachKeySetsItsOwnStartValue) {
  const PatternParams starts;
  const PatternParams p = ApplySaverSettings(Positions(10, 0, 5, 3, 7, 1), starts);
  EXPECT_EQ(p.FlowerCount, 10);  // Qty 10 on 1..10
  EXPECT_EQ(p.Size, 1);          // Size 0 on 1..10
  EXPECT_EQ(p.PetalWidth, 5);    // Width 5: 1 + Round(4.5) = 1 + 4
  EXPECT_EQ(p.PetalCount, 4);    // Petals 3: 1 + Round(2.7)
  EXPECT_EQ(p.Fork, 8);          // Forked 7 on 2..10: 2 + Round(5.6)
  EXPECT_EQ(p.Spin, 90);         // Speed 1 on 1..100, reversed: 100 - Round(9.9)
}

TEST(SettingsMapping, LineWidthAndScaleFloorStay) {
  PatternParams starts;
  starts.LineWidth = 42;
  starts.ScaleFloor = 0.005f;
  const PatternParams p = ApplySaverSettings(Positions(10, 10, 10, 10, 10, 10), starts);
  EXPECT_EQ(p.LineWidth, 42);
  EXPECT_EQ(p.ScaleFloor, 0.005f);
}

// One row per position 0..10; the other keys stay at 0.
struct ForwardCase {
  std::size_t Key;
  std::int32_t PatternParams::*Field;
  std::array<std::int32_t, 11> Expected;
};

TEST(SettingsMapping, MapsEveryPositionWithHalvesToEven) {
  // 1..10: v*9/10 = 4.5 at v = 5 rounds to 4, so 4 and 5 both give 5.
  constexpr std::array<std::int32_t, 11> kOneToTen = {1, 2, 3, 4, 5, 5, 6, 7, 8, 9, 10};
  // 2..10: v*8/10 never ends in a half.
  constexpr std::array<std::int32_t, 11> kTwoToTen = {2, 3, 4, 4, 5, 6, 7, 8, 8, 9, 10};
  const ForwardCase cases[] = {
      {0, &PatternParams::FlowerCount, kOneToTen}, {1, &PatternParams::Size, kOneToTen},
      {2, &PatternParams::PetalWidth, kOneToTen},  {3, &PatternParams::PetalCount, kOneToTen},
      {4, &PatternParams::Fork, kTwoToTen},
  };
  for (const ForwardCase& c : cases) {
    for (std::int32_t v = 0; v <= 10; ++v) {
      SaverSettings settings;
      settings.Positions[c.Key] = v;
      EXPECT_EQ(ApplySaverSettings(settings, PatternParams{}).*c.Field, c.Expected[v])
          << "key " << c.Key << " position " << v;
    }
  }
}

TEST(SettingsMapping, SpeedIsReversedBecauseItsLeftEndReadsFast) {
  // Spin = 100 - Round(v*99/10); 49.5 at v = 5 rounds to the even 50.
  constexpr std::array<std::int32_t, 11> kExpected = {100, 90, 80, 70, 60, 50, 41, 31, 21, 11, 1};
  for (std::int32_t v = 0; v <= 10; ++v) {
    SaverSettings settings;
    settings.Positions[5] = v;
    EXPECT_EQ(ApplySaverSettings(settings, PatternParams{}).Spin, kExpected[v]) << "position " << v;
  }
}

TEST(SettingsMapping, DisplayClampsWholeNumbersAndShowsTheDesignedPositionForTheRest) {
  constexpr std::size_t kSize = 1;
  const std::int32_t designed = DesignedSliderPosition(kSize);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"7"), 7);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"10"), 10);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"11"), 10);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"99999999999999999999"), 10);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"-1"), 0);
  EXPECT_EQ(DisplayedSliderPosition(kSize, L"-99999999999999999999"), 0);
  for (const auto& unreadable : {std::optional<std::wstring>{}, std::optional<std::wstring>{L"3.5"},
                                 std::optional<std::wstring>{L"abc"}, std::optional<std::wstring>{L""},
                                 std::optional<std::wstring>{L"-"}, std::optional<std::wstring>{L" 4"}})
    EXPECT_EQ(DisplayedSliderPosition(kSize, unreadable), designed) << unreadable.value_or(L"(never stored)").size();
}

TEST(SettingsMapping, TheDesignedPositionsGiveTheDesignedStartValues) {
  // Confirming the dialog unchanged must leave the saver as designed.
  SaverSettings settings;
  for (std::size_t key = 0; key < kSaverSettingCount; ++key) settings.Positions[key] = DesignedSliderPosition(key);
  const PatternParams applied = ApplySaverSettings(settings, PatternParams{});
  const PatternParams designed;
  for (const MixerSlider& slider : kMixerSliders) EXPECT_EQ(applied.*slider.Field, designed.*slider.Field) << slider.Number;
  EXPECT_EQ(settings.Positions, (SliderPositions{0, 4, 0, 2, 0, 10}));
}

TEST(SettingsMapping, StoresPlainDecimalText) {
  EXPECT_EQ(SettingText(0), L"0");
  EXPECT_EQ(SettingText(7), L"7");
  EXPECT_EQ(SettingText(10), L"10");
}

}  // namespace
}  // namespace quillane
