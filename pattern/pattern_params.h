#pragma once
// The numbers that shape the flowers, read from the mixer panel on every tick.
#include <cstdint>

namespace quillane {

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

// Slider ranges and start values of the mixer panel.
struct SliderRange {
  std::int32_t Min;
  std::int32_t Max;
  std::int32_t Start;
};
inline constexpr SliderRange kLineWidthRange{10, 200, 160};   // HScroll1
inline constexpr SliderRange kFlowerCountRange{1, 10, 1};     // HScroll2
inline constexpr SliderRange kSizeRange{1, 10, 5};            // HScroll3
inline constexpr SliderRange kPetalWidthRange{1, 10, 1};      // HScroll4
inline constexpr SliderRange kPetalCountRange{1, 10, 3};      // HScroll5
inline constexpr SliderRange kForkRange{2, 10, 2};            // HScroll6
inline constexpr SliderRange kSpinRange{1, 100, 1};           // HScroll7

}  // namespace quillane
