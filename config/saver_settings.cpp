#include "config/saver_settings.h"

#include <algorithm>

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

std::int32_t Forward(std::int32_t position, const SliderRange& range) {
  return range.Min + Scaled(position, range);
}

std::int32_t Reversed(std::int32_t position, const SliderRange& range) {
  return range.Max - Scaled(position, range);
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

PatternParams ApplySaverSettings(const SaverSettings& settings, PatternParams starts) {
  const SliderPositions& v = settings.Positions;
  starts.FlowerCount = Forward(v[0], kFlowerCountRange);  // "Qty"
  starts.Size = Forward(v[1], kSizeRange);                // "Size"
  starts.PetalWidth = Forward(v[2], kPetalWidthRange);    // "Width"
  starts.PetalCount = Forward(v[3], kPetalCountRange);    // "Petals"
  starts.Fork = Forward(v[4], kForkRange);                // "Forked"
  starts.Spin = Reversed(v[5], kSpinRange);               // "Speed"
  return starts;
}

std::int32_t DisplayedSliderPosition(const std::optional<std::wstring>& text) {
  if (!text) return 0;
  std::wstring_view rest = *text;
  const bool negative = !rest.empty() && rest.front() == L'-';
  if (negative) rest.remove_prefix(1);
  if (!AllDigits(rest)) return 0;
  if (negative) return kSettingMin;
  return std::min(SaturatedDigitsValue(rest), kSettingMax);
}

std::wstring SettingText(std::int32_t position) { return std::to_wstring(position); }

}  // namespace quillane
