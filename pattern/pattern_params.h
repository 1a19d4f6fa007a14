#pragma once
// The numbers that shape the flowers, read from the mixer panel on every tick.
#include <array>
#include <cstdint>

namespace quillane {

// The designed start values are the defaults.
struct PatternParams {
  std::int32_t FlowerCount = 1;  // 1..10; only four slots exist
  std::int32_t Size = 5;         // 1..10
  std::int32_t PetalWidth = 1;   // 1..10
  std::int32_t PetalCount = 3;   // 1..10
  std::int32_t Fork = 2;         // 2..10
  std::int32_t Spin = 1;         // 1..100
  std::int32_t LineWidth = 160;  // 10..200, pen width once the slider moves
  float ScaleFloor = 9.005f;     // the text field read as a single
};

struct SliderRange {
  std::int32_t Min;
  std::int32_t Max;
};

// One slider of the mixer panel and the parameter it holds.
struct MixerSlider {
  int Number;  // n of HScroll<n>
  std::int32_t PatternParams::*Field;
  SliderRange Range;
  std::int32_t Start() const { return PatternParams{}.*Field; }
};

// The mixer's sliders in tab order, HScroll1 to HScroll7. The panel creates
// and reads them from this table, and the saver settings map onto it.
inline constexpr std::array<MixerSlider, 7> kMixerSliders{{
    {1, &PatternParams::LineWidth, {10, 200}},
    {2, &PatternParams::FlowerCount, {1, 10}},
    {3, &PatternParams::Size, {1, 10}},
    {4, &PatternParams::PetalWidth, {1, 10}},
    {5, &PatternParams::PetalCount, {1, 10}},
    {6, &PatternParams::Fork, {2, 10}},
    {7, &PatternParams::Spin, {1, 100}},
}};

// The table's entry for a parameter.
constexpr const MixerSlider& MixerSliderFor(std::int32_t PatternParams::*field) {
  for (const MixerSlider& slider : kMixerSliders)
    if (slider.Field == field) return slider;
  return kMixerSliders[0];
}

}  // namespace quillane
