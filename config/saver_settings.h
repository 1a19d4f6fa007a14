#pragma once
// The six screen-saver settings of the configuration dialog and how they
// shape the saver's start values. Each setting is a slider position 0..10
// stored as decimal text.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pattern/pattern_params.h"

namespace quillane {

inline constexpr std::wstring_view kSettingsApplication = L"Vorsting_Flower";
inline constexpr std::wstring_view kSettingsSection = L"Config";

inline constexpr std::size_t kSaverSettingCount = 6;

// A stored setting and the mixer parameter whose start value it gives.
struct SaverSettingKey {
  std::wstring_view Key;
  std::int32_t PatternParams::*Field;
  bool Reversed;  // the dialog's left end is the slider's high end
};
// In the order of the dialog's sliders and of storing. "Speed" is reversed:
// its left end reads fast, and a low Spin turns fast.
inline constexpr std::array<SaverSettingKey, kSaverSettingCount> kSaverSettings{{
    {L"Qty", &PatternParams::FlowerCount, false},
    {L"Size", &PatternParams::Size, false},
    {L"Width", &PatternParams::PetalWidth, false},
    {L"Petals", &PatternParams::PetalCount, false},
    {L"Forked", &PatternParams::Fork, false},
    {L"Speed", &PatternParams::Spin, true},
}};
inline constexpr std::array<std::wstring_view, kSaverSettingCount> kSaverSettingKeys = [] {
  std::array<std::wstring_view, kSaverSettingCount> keys{};
  for (std::size_t i = 0; i < kSaverSettingCount; ++i) keys[i] = kSaverSettings[i].Key;
  return keys;
}();

inline constexpr std::int32_t kSettingMin = 0;
inline constexpr std::int32_t kSettingMax = 10;

// Slider positions 0..10, indexed like kSaverSettingKeys.
using SliderPositions = std::array<std::int32_t, kSaverSettingCount>;

struct SaverSettings {
  SliderPositions Positions{};  // each 0..10
};

// The six stored texts, indexed like kSaverSettingKeys; nothing for a key never stored.
using StoredSettingTexts = std::array<std::optional<std::wstring>, kSaverSettingCount>;

// A stored value counts only as plain ASCII digits ("0" .. "10", leading zeros
// allowed) with no blanks, sign or decimal point: that is all the dialog ever
// writes, so anything else was not written by it.
std::optional<std::int32_t> ParseSettingValue(std::wstring_view text);

// All six or nothing: one key missing or malformed leaves every start value
// as it is, so a half-edited store never gives a mixed pattern.
std::optional<SaverSettings> ParseSaverSettings(const StoredSettingTexts& texts);

// Only the slider start values change; LineWidth and ScaleFloor stay. A
// position v becomes lo + Round(v*(hi-lo)/10) on the matching slider range;
// Speed is reversed (its left end reads fast): Spin = hi - Round(v*(hi-lo)/10).
PatternParams ApplySaverSettings(const SaverSettings& settings, PatternParams starts);

// The value one setting's position gives its parameter.
std::int32_t SettingValue(std::size_t key, std::int32_t position);

// The position of setting `key` that gives its parameter's designed start
// value, so confirming the dialog unchanged keeps the designed saver.
std::int32_t DesignedSliderPosition(std::size_t key);

// The position the dialog shows for setting `key`: a stored whole number
// (optional minus sign, digits only) clamped to 0..10; for a key never
// stored, or text that is no whole number, the designed position.
std::int32_t DisplayedSliderPosition(std::size_t key, const std::optional<std::wstring>& text);

// The decimal text the dialog stores for a slider position.
std::wstring SettingText(std::int32_t position);

}  // namespace quillane
