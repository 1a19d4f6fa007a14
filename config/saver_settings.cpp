#include "config/saver_settings.h"

#include <algorithm>
#include <cstdlib>

#include "util/numbers.h"

namespace quillane {
namespace {

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool AllDigits(std::wstring_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// The digits' value, saturated just above kSettingMax so long texts cannot overflow.
std::int32_t SaturatedDigitsValue(std::wstring_view digits) {
  std::int32_t value = 0;
  for (const wchar_t c : digits) {
    value = value * 10 + (c - L'0');
    if (value > kSettingMax) return kSettingMax + 1;
  }
  return value;
}

std::int32_t Scaled(std::int32_t position, const SliderRange& range) {
  return RoundHalfEven(static_cast<double>(position) * (range.Max - range.Min) / kSettingMax);
}

}  // namespace

std::optional<std::int32_t> ParseSettingValue(std::wstring_view text) {
  if (!AllDigits(text)) return std::nullopt;
  const std::int32_t value = SaturatedDigitsValue(text);
  if (value > kSettingMax) return std::nullopt;
  return value;
}

std::optional<SaverSettings> ParseSaverSettings(const StoredSettingTexts& texts) {
  SaverSettings settings;
  for (std::size_t i = 0; i < kSaverSettingCount; ++i) {
    if (!texts[i]) return std::nullopt;
    const auto value = ParseSettingValue(*texts[i]);
    if (!value) return std::nullopt;
    settings.Positions[i] = *value;
  }
  return settings;
}

std::int32_t SettingValue(std::size_t key, std::int32_t position) {
  const SaverSettingKey& setting = kSaverSettings[key];
  const SliderRange range = MixerSliderFor(setting.Field).Range;
  return setting.Reversed ? range.Max - Scaled(position, range) : range.Min + Scaled(position, range);
}

PatternParams ApplySaverSettings(const SaverSettings& settings, PatternParams starts) {
  for (std::size_t key = 0; key < kSaverSettingCount; ++key)
    starts.*kSaverSettings[key].Field = SettingValue(key, settings.Positions[key]);
  return starts;
}

std::int32_t DesignedSliderPosition(std::size_t key) {
  const std::int32_t designed = PatternParams{}.*kSaverSettings[key].Field;
  std::int32_t best = kSettingMin;
  for (std::int32_t position = kSettingMin; position <= kSettingMax; ++position) {
    const auto distance = [&](std::int32_t p) { return std::abs(SettingValue(key, p) - designed); };
    if (distance(position) < distance(best)) best = position;
  }
  return best;
}

std::int32_t DisplayedSliderPosition(std::size_t key, const std::optional<std::wstring>& text) {
  if (!text) return DesignedSliderPosition(key);
  std::wstring_view rest = *text;
  const bool negative = !rest.empty() && rest.front() == L'-';
  if (negative) rest.remove_prefix(1);
  if (!AllDigits(rest)) return DesignedSliderPosition(key);
  if (negative) return kSettingMin;
  return std::min(SaturatedDigitsValue(rest), kSettingMax);
}

std::wstring SettingText(std::int32_t position) { return std::to_wstring(position); }

}  // namespace quillane
