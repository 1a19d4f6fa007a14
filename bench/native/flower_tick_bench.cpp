// Cost of one engine tick with every slot holding a flower of the largest
// petal count, drawn on a canvas that only folds the points into a checksum.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <span>

#include "pattern/flower_engine.h"
#include "pattern/random_source.h"

namespace quillane {
namespace {

class ChecksumCanvas final : public FlowerCanvas {
 public:
  ChecksumCanvas(float width, float height) : width_(width), height_(height) {}
  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }
  void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) override {
    for (const Petal& petal : petals) {
      for (const CanvasPoint& p : petal) sum_ = sum_ * 31 + static_cast<std::uint32_t>(p.X ^ (p.Y << 1));
      sum_ += colour;
    }
    polygons_ += petals.size();
  }
  std::uint64_t Sum() const { return sum_; }
  std::uint64_t Polygons() const { return polygons_; }

 private:
  float width_, height_;
  std::uint64_t sum_ = 0;
  std::uint64_t polygons_ = 0;
};

PatternParams LargestFlowers() {
  PatternParams p;
  p.FlowerCount = 4;
  p.Size = 10;
  p.PetalWidth = 10;
  p.PetalCount = 10;  // up to 22 petals downward, 52 sideways
  p.Fork = 10;
  p.Spin = 100;
  p.ScaleFloor = 0.005f;  // the curved look: the scale keeps changing
  return p;
}

// A flower as a start with PetalCount 10 can make it, placed by hand so every
// slot is full from the first measured tick.
FlowerSlot Flower(std::int32_t petals, bool downward, std::int32_t seed) {
  FlowerSlot f;
  f.Petals = petals;
  f.CenterX = downward ? 960 : 0;
  f.CenterY = downward ? 54 : 540;
  f.StepX = downward ? 0 : 1 + seed % 8;
  f.StepY = downward ? 1 + seed % 8 : 0;
  f.Angle = seed * 37 % 360;
  f.Spin = downward ? 97 : 98;
  f.Radius = downward ? 2020 : 1020;
  f.InnerLen = f.Radius * 19 * (seed + 1) / 50;  // r x Radius x 0.19 x Fork 10, r = (seed + 1) / 5
  f.HalfWidth = 1 + seed * 13 % 80;
  f.Scale = 0.3f + 0.1f * static_cast<float>(seed);
  f.ScaleStep = downward ? 0.04f : 0.03f;
  f.Red = 30 + 50 * seed;
  f.Green = 200 - 40 * seed;
  f.Blue = 128;
  f.RedStep = 3;
  f.GreenStep = -2;
  f.BlueStep = 1;
  return f;
}

void Fill(FlowerEngine& engine, int petals, bool mixed) {
  for (int i = 0; i < kFlowerSlotCount; ++i) {
    const bool downward = mixed && i % 2 == 0;
    engine.Slots()[i] = Flower(downward ? 22 : petals, downward, i);
  }
}

// The canvas is far larger than any screen so that no flower ends while a run
// lasts; should one end all the same, its slot is filled again at once.
template <bool kMixed>
void BM_FlowerTick(benchmark::State& state) {
  SeededRandom random(12345);
  FlowerEngine engine(random);
  ChecksumCanvas canvas(4.0e7f, 4.0e7f);
  const PatternParams params = LargestFlowers();
  Fill(engine, 52, kMixed);
  constexpr TimerKind kKinds[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3};
  std::size_t k = 0;
  for (auto _ : state) {
    engine.Tick(kKinds[k], params, canvas);
    k = k == 2 ? 0 : k + 1;
    const auto& slots = engine.Slots();
    if ((slots[0].Petals == 0) | (slots[1].Petals == 0) | (slots[2].Petals == 0) | (slots[3].Petals == 0)) {
      state.PauseTiming();
      Fill(engine, 52, kMixed);
      state.ResumeTiming();
    }
  }
  benchmark::DoNotOptimize(canvas.Sum());
  state.counters["polygons/tick"] =
      benchmark::Counter(static_cast<double>(canvas.Polygons()) / static_cast<double>(state.iterations()));
}

// Four sideways flowers of 52 petals: the most polygons a tick can draw.
BENCHMARK_TEMPLATE(BM_FlowerTick, false)->Name("FlowerTick/Four52PetalFlowers");
// Two downward flowers of 22 petals and two sideways of 52.
BENCHMARK_TEMPLATE(BM_FlowerTick, true)->Name("FlowerTick/Mixed22And52Petals");

// A free-running saver: PetalCount 10, four slots, flowers starting and ending
// by the engine's own draws on a full-HD canvas.
void BM_FlowerTickFreeRunning(benchmark::State& state) {
  SeededRandom random(777);
  FlowerEngine engine(random);
  ChecksumCanvas canvas(1920.0f, 1080.0f);
  const PatternParams params = LargestFlowers();
  constexpr TimerKind kKinds[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3};
  // Warm up until all four slots are live, as in a saver that has been running a while.
  for (int t = 0; t < 100000; ++t) {
    engine.Tick(kKinds[t % 3], params, canvas);
    const auto& s = engine.Slots();
    if (s[0].Petals && s[1].Petals && s[2].Petals && s[3].Petals) break;
  }
  const std::uint64_t before = canvas.Polygons();
  std::size_t k = 0;
  for (auto _ : state) {
    engine.Tick(kKinds[k], params, canvas);
    k = k == 2 ? 0 : k + 1;
  }
  benchmark::DoNotOptimize(canvas.Sum());
  state.counters["polygons/tick"] = benchmark::Counter(static_cast<double>(canvas.Polygons() - before) /
                                                       static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FlowerTickFreeRunning)->Name("FlowerTick/FreeRunningFullHd");

}  // namespace
}  // namespace quillane
