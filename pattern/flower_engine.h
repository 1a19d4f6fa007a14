#pragma once
// The flower growth engine: four slots of flowers, started and advanced by the
// ticks of four timers that differ only in how a new flower starts.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "pattern/pattern_params.h"

namespace quillane {

// Uniform random numbers in [0, 1); injectable so a run can be replayed.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double Next() = 0;
};

// What a tick draws on. Colours are 0x00BBGGRR.
struct CanvasPoint {
  std::int32_t X;
  std::int32_t Y;
};
// A closed outline: the centre, one side corner, the tip, the other side corner.
using Petal = std::array<CanvasPoint, 4>;
class FlowerCanvas {
 public:
  virtual ~FlowerCanvas() = default;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  // Outlines every petal of one flower in one colour, in the order given.
  virtual void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) = 0;
};

// Timer1: downward, many colours; Timer2: sideways, many colours;
// Timer3: sideways, one dark colour; Timer4: downward, one dark colour.
enum class TimerKind { Timer1 = 0, Timer2 = 1, Timer3 = 2, Timer4 = 3 };

struct FlowerSlot {
  std::int32_t Petals = 0;  // 0: free
  std::int32_t CenterX = 0, CenterY = 0;
  std::int32_t StepX = 0, StepY = 0;
  std::int32_t Angle = 0, Spin = 0;
  std::int32_t Radius = 0, InnerLen = 0, HalfWidth = 0;
  float Scale = 0.0f, ScaleStep = 0.0f;
  std::int32_t Red = 0, Green = 0, Blue = 0;
  std::int32_t RedStep = 0, GreenStep = 0, BlueStep = 0;
};

inline constexpr int kFlowerSlotCount = 4;

struct PolarPoint {
  std::int32_t X;
  std::int32_t Y;
};
// Offset of a point at that radius and angle (degrees, clockwise on screen).
PolarPoint PolarOffset(float radius, float degrees);

class FlowerEngine {
 public:
  explicit FlowerEngine(RandomSource& random) : random_(random) {}

  // One tick of that timer: maybe start a flower in a free slot, then draw and
  // advance every live flower among the first FlowerCount slots.
  void Tick(TimerKind kind, const PatternParams& params, FlowerCanvas& canvas);

  // Halves petal radii, for the preview box.
  void SetPreview(bool preview) { preview_ = preview; }

  const std::array<FlowerSlot, kFlowerSlotCount>& Slots() const { return slots_; }
  std::array<FlowerSlot, kFlowerSlotCount>& Slots() { return slots_; }

 private:
  void StartFlower(TimerKind kind, const PatternParams& params, const FlowerCanvas& canvas,
                   FlowerSlot& slot);
  void DrawFlower(const FlowerSlot& slot, FlowerCanvas& canvas);
  void UpdateFlower(const PatternParams& params, const FlowerCanvas& canvas, FlowerSlot& slot) const;

  RandomSource& random_;
  bool preview_ = false;
  std::array<FlowerSlot, kFlowerSlotCount> slots_{};
  std::vector<Petal> petals_;  // reused by every flower drawn, so a tick allocates nothing
};

}  // namespace quillane
