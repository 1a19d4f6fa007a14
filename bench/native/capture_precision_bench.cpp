// The capture's work per mouse move while a region is chosen: the snapping
// hit test over the windows taken at the freeze, and one loupe update.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "capture/loupe.h"
#include "capture/window_snap.h"

namespace quillane::capture {
namespace {

std::uint32_t Next(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

// Windows of every size scattered over the screen, some of them skipped.
std::vector<WindowFacts> Windows(int count, std::int32_t width, std::int32_t height) {
  std::uint32_t seed = 7;
  std::vector<WindowFacts> windows;
  for (int i = 0; i < count; ++i) {
    WindowFacts w;
    w.Handle = static_cast<std::uintptr_t>(i + 1);
    const std::int32_t left = static_cast<std::int32_t>(Next(seed) % width) - 100;
    const std::int32_t top = static_cast<std::int32_t>(Next(seed) % height) - 100;
    w.Area = {left, top, left + 50 + static_cast<std::int32_t>(Next(seed) % 900),
              top + 30 + static_cast<std::int32_t>(Next(seed) % 700)};
    w.Visible = i % 3 != 0;
    w.Minimised = i % 17 == 0;
    windows.push_back(w);
  }
  return windows;
}

void SnapHitTest(benchmark::State& state) {
  const std::int32_t width = static_cast<std::int32_t>(state.range(0)), height = static_cast<std::int32_t>(state.range(1));
  const PixelBox screen{0, 0, width, height};
  const std::vector<PixelBox> monitors{screen};
  const std::vector<WindowFacts> windows = Windows(200, width, height);
  const SnapTargets targets(windows, monitors);
  std::uint32_t seed = 11;
  std::vector<std::pair<std::int32_t, std::int32_t>> points;
  for (int i = 0; i < 1024; ++i)
    points.emplace_back(static_cast<std::int32_t>(Next(seed) % width), static_cast<std::int32_t>(Next(seed) % height));
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [x, y] = points[i++ & 1023];
    benchmark::DoNotOptimize(targets.At(x, y));
  }
  state.counters["visible windows"] = static_cast<double>(targets.Windows().size());
}
BENCHMARK(SnapHitTest)->Args({1920, 1080})->Args({3840, 2160});

void SnapTargetsFromTheList(benchmark::State& state) {
  const std::vector<PixelBox> monitors{{0, 0, 1920, 1080}};
  const std::vector<WindowFacts> windows = Windows(200, 1920, 1080);
  for (auto _ : state) benchmark::DoNotOptimize(SnapTargets(windows, monitors));
}
BENCHMARK(SnapTargetsFromTheList);

// One mouse move: the loupe's place, its lens and its caption, over a
// picture where every pixel differs from its neighbours (the worst case).
void LoupeMouseMove(benchmark::State& state) {
  const std::int32_t width = static_cast<std::int32_t>(state.range(0)), height = static_cast<std::int32_t>(state.range(1));
  std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * height);
  std::uint32_t seed = 3;
  for (std::uint32_t& p : picture) p = Next(seed) & 0xFFFFFF;
  const PixelSource source{picture.data(), width, height, width};
  const PixelBox monitor{0, 0, width, height};
  const std::vector<PixelBox> avoid{{width / 2, height / 2, width / 2 + 241, height / 2 + 26}};
  std::vector<std::uint32_t> lens(static_cast<std::size_t>(kLoupeLensSide) * kLoupeLensSide);
  LoupeLens renderer;
  std::int32_t x = 0, y = 0;
  for (auto _ : state) {
    // A hurried pointer: a few pixels a move, across the whole screen.
    x = (x + 7) % width;
    y = (y + 3) % height;
    benchmark::DoNotOptimize(PlaceLoupe(x, y, monitor, avoid));
    benchmark::DoNotOptimize(renderer.Render(lens, kLoupeLensSide, source, x, y));
    benchmark::DoNotOptimize(LoupeCaption(x, y, renderer.PointerPixel()));
  }
}
BENCHMARK(LoupeMouseMove)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillane::capture
