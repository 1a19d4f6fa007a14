#include "pattern/flower_engine.h"

#include <algorithm>
#include <cmath>

#include "util/numbers.h"

namespace quillane {

PolarPoint PolarOffset(float radius, float degrees) {
  const float radians = static_cast<float>(static_cast<double>(degrees) * 0.0174532925);
  return {RoundHalfEven(static_cast<double>(radius) * std::cos(static_cast<double>(radians))),
          RoundHalfEven(static_cast<double>(radius) * std::sin(static_cast<double>(radians)))};
}

namespace {

bool IsDownward(TimerKind kind) { return kind == TimerKind::Timer1 || kind == TimerKind::Timer4; }

// Reflects a colour component at 3 and 253 (the step turns, the value does not clamp).
void StepColour(std::int32_t& value, std::int32_t& step) {
  value += step;
  if (value < 3 || value > 253) step = -step;
}

std::uint32_t PenColour(const FlowerSlot& slot) {
  const auto clamp = [](std::int32_t c) { return static_cast<std::uint32_t>(std::clamp(c, 0, 255)); };
  return clamp(slot.Red) | (clamp(slot.Green) << 8) | (clamp(slot.Blue) << 16);
}

}  // namespace

void FlowerEngine::Tick(TimerKind kind, const PatternParams& params, FlowerCanvas& canvas) {
  const std::int32_t s = IntFloor(random_.Next() * 200);
  if (s < params.FlowerCount && s < kFlowerSlotCount && slots_[s].Petals == 0)
    StartFlower(kind, params, canvas, slots_[s]);

  const int inPlay = std::clamp(params.FlowerCount, 0, kFlowerSlotCount);
  for (int i = 0; i < inPlay; ++i) {
    FlowerSlot& slot = slots_[i];
    if (slot.Petals > 0) {
      DrawFlower(slot, canvas);
      UpdateFlower(params, canvas, slot);
    }
  }
}

void FlowerEngine::StartFlower(TimerKind kind, const PatternParams& params, const FlowerCanvas& canvas,
                               FlowerSlot& slot) {
  auto r = [this] { return random_.Next(); };
  const bool downward = IsDownward(kind);

  slot.Petals = IntFloor(r() * params.PetalCount * (downward ? 2 : 5)) + 3;

  if (downward) {
    slot.CenterX = RoundHalfEven(canvas.ScaleWidth()) / 2;
    slot.CenterY = RoundHalfEven(canvas.ScaleHeight()) / 20;
  } else {
    slot.CenterX = 0;
    slot.CenterY = RoundHalfEven(canvas.ScaleHeight()) / 2;
  }

  do {
    if (downward) {
      slot.StepX = IntFloor(r());
      slot.StepY = IntFloor(r() * 9);
    } else {
      slot.StepX = IntFloor(r() * 9);
      slot.StepY = IntFloor(r());
    }
  } while (slot.StepX == 0 && slot.StepY == 0);

  slot.Angle = IntFloor(r() * 360);
  slot.Spin = RoundHalfEven(IntFloor(r() * params.Spin) - (downward ? 0.6 : 0.3));
  slot.Radius = params.Size * (downward ? 200 : 100) + 20;
  if (preview_) slot.Radius = RoundHalfEven(slot.Radius / 2.0);
  slot.InnerLen = IntFloor(r() * slot.Radius * 0.19 * params.Fork);
  slot.Scale = static_cast<float>(r());
  slot.ScaleStep = static_cast<float>(r() / (downward ? 20 : 30));
  // Sideways starters keep the half-width of the slot's previous flower.
  if (downward) slot.HalfWidth = RoundHalfEven(IntFloor(r() * 8 * params.PetalWidth) + 1);

  std::int32_t* const colour[] = {&slot.Red, &slot.Green, &slot.Blue};
  std::int32_t* const step[] = {&slot.RedStep, &slot.GreenStep, &slot.BlueStep};
  switch (kind) {
    case TimerKind::Timer1:
    case TimerKind::Timer2:
      for (auto* c : colour) *c = IntFloor(r() * 252) + 3;
      for (auto* d : step) *d = IntFloor(r() * 7) - 3;
      break;
    case TimerKind::Timer3:
      for (auto* c : colour) *c = IntFloor(r() * 50) + 1;
      for (auto* d : step) *d = IntFloor(r() * 2) - 1;
      break;
    case TimerKind::Timer4:
      for (auto* c : colour) *c = IntFloor(r() * 50) + 3;
      for (auto* d : step) *d = IntFloor(r() * 2) - 3;
      break;
  }
}

void FlowerEngine::DrawFlower(const FlowerSlot& slot, FlowerCanvas& canvas) {
  const float inner = static_cast<float>(static_cast<double>(slot.Scale) * slot.InnerLen);
  const float tip = static_cast<float>(static_cast<double>(slot.Scale) * slot.Radius);
  const CanvasPoint centre{slot.CenterX, slot.CenterY};
  const auto at = [&](float radius, std::int32_t degrees) {
    const PolarPoint p = PolarOffset(radius, static_cast<float>(degrees));
    return CanvasPoint{centre.X + p.X, centre.Y + p.Y};
  };
  petals_.clear();
  for (std::int32_t k = 0; k < slot.Petals; ++k) {
    const std::int32_t d = RoundHalfEven(360.0 / slot.Petals * k + slot.Angle);
    petals_.push_back({centre, at(inner, d + slot.HalfWidth), at(tip, d), at(inner, d - slot.HalfWidth)});
  }
  canvas.DrawPetals(PenColour(slot), petals_);
}

void FlowerEngine::UpdateFlower(const PatternParams& params, const FlowerCanvas& canvas,
                                FlowerSlot& slot) const {
  slot.CenterX += slot.StepX;
  slot.CenterY += slot.StepY;
  slot.Angle = (slot.Angle + slot.Spin) % 360;
  slot.Scale += slot.ScaleStep;
  if (slot.Scale > 1.0f || params.ScaleFloor > slot.Scale) slot.ScaleStep = -slot.ScaleStep;
  StepColour(slot.Red, slot.RedStep);
  StepColour(slot.Green, slot.GreenStep);
  StepColour(slot.Blue, slot.BlueStep);

  const double e = static_cast<double>(slot.Scale) * slot.Radius;
  const double w = canvas.ScaleWidth();
  const double h = canvas.ScaleHeight();
  if (-e > slot.CenterX || w + e < slot.CenterX || -e > slot.CenterY || h + e < slot.CenterY)
    slot.Petals = 0;
}

}  // namespace quillane
