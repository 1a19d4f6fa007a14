#pragma once
// Reading and writing the six screen-saver settings through a SettingsStore.
#include "config/saver_settings.h"
#include "config/settings_store.h"
#include "pattern/pattern_params.h"

namespace quillane {

StoredSettingTexts ReadStoredSettingTexts(const SettingsStore& store);

// The start values a saver run begins with: the stored settings applied when
// all six are stored and well formed, else exactly the sliders' start values.
PatternParams LoadStartParams(const SettingsStore& store);

// What the dialog shows when it opens: each stored value clamped to 0..10, 0
// for one never stored or not a whole number.
SliderPositions ReadDisplayedPositions(const SettingsStore& store);

// Writes "Qty", "Size", "Width", "Petals", "Forked", "Speed" in that order.
// A failed write does not stop the others.
void StoreSliderPositions(SettingsStore& store, const SliderPositions& positions);

}  // namespace quillane
