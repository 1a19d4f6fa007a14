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
// In the order of the dialog's sliders and of storing.
inline constexpr std::array<std::wstring_view, kSaverSettingCount> kSaverSettingKeys = {
    L"Qty", L"Size", L"Width", L"Petals", L"Forked", L"Speed"};

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

// The position the dialog shows for one stored text: a whole number (optional
// minus sign, digits only) clamped to 0..10; anything else, or nothing, shows 0.
std::int32_t DisplayedSliderPosition(const std::optional<std::wstring>& text);

// The decimal text the dialog stores for a slider position.
std::wstring SettingText(std::int32_t position);

}  // namespace quillane
