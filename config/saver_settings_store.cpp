#include "config/saver_settings_store.h"

namespace quillane {

StoredSettingTexts ReadStoredSettingTexts(const SettingsStore& store) {
  StoredSettingTexts texts;
  for (std::size_t i = 0; i < kSaverSettingCount; ++i)
    texts[i] = store.ReadText(kSettingsApplication, kSettingsSection, kSaverSettingKeys[i]);
  return texts;
}

PatternParams LoadStartParams(const SettingsStore& store) {
  const PatternParams starts;
  const auto settings = ParseSaverSettings(ReadStoredSettingTexts(store));
  return settings ? ApplySaverSettings(*settings, starts) : starts;
}

SliderPositions ReadDisplayedPositions(const SettingsStore& store) {
  const StoredSettingTexts texts = ReadStoredSettingTexts(store);
  SliderPositions positions{};
  for (std::size_t i = 0; i < kSaverSettingCount; ++i) positions[i] = DisplayedSliderPosition(i, texts[i]);
  return positions;
}

void StoreSliderPositions(SettingsStore& store, const SliderPositions& positions) {
  for (std::size_t i = 0; i < kSaverSettingCount; ++i)
    store.WriteText(kSettingsApplication, kSettingsSection, kSaverSettingKeys[i], SettingText(positions[i]));
}

}  // namespace quillane
