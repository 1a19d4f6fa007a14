// Every drawing path of the flower canvas paints exactly the pixels of the
// plain one-Polygon-per-petal path: seeded ticks of flowers that run off a
// small canvas, and petals placed just outside each edge, at the pen widths
// the mixer offers.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "pattern/flower_engine.h"
#include "pattern/gdi_flower_canvas.h"
#include "pattern/random_source.h"
#include "win32/gdi.h"

namespace quillane {
namespace {

constexpr SIZE kCanvas{480, 300};
constexpr int kPenWidths[] = {1, 10, 90, 160, 200};
constexpr PetalPath kFasterPaths[] = {PetalPath::OnCanvas, PetalPath::OneCall};

// A black 32-bit memory bitmap.
class Bitmap32 {
 public:
  Bitmap32()
      : dc_(nullptr),
        bitmap_(win::CreateDibSection(kCanvas.cx, kCanvas.cy)),
        selected_(dc_.Get(), bitmap_.Handle.Get()) {}
  HDC Dc() const { return dc_.Get(); }
  std::uint32_t* Bits() const { return bitmap_.Pixels; }
  // The bitmap's own pixels, read in place: a copy of each picture after
  // every tick costs more than drawing it.
  std::span<const std::uint32_t> Pixels() const {
    GdiFlush();
    return {bitmap_.Pixels, static_cast<std::size_t>(kCanvas.cx) * kCanvas.cy};
  }

 private:
  win::MemoryDc dc_;
  win::DibSection bitmap_;
  win::SelectGuard selected_;
};

std::size_t Lit(std::span<const std::uint32_t> pixels) {
  std::size_t lit = 0;
  for (std::uint32_t p : pixels) lit += (p & 0xFFFFFF) != 0;
  return lit;
}

// Passes petals on to the real canvas and counts those whose corners all lie
// off the canvas, so a run shows it drew some.
class OffCanvasCounter final : public FlowerCanvas {
 public:
  explicit OffCanvasCounter(FlowerCanvas& canvas) : canvas_(canvas) {}
  float ScaleWidth() const override { return canvas_.ScaleWidth(); }
  float ScaleHeight() const override { return canvas_.ScaleHeight(); }
  void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) override {
    for (const Petal& petal : petals) {
      bool left = true, right = true, above = true, below = true;
      for (const CanvasPoint& p : petal) {
        left = left && p.X < 0;
        right = right && p.X >= kCanvas.cx;
        above = above && p.Y < 0;
        below = below && p.Y >= kCanvas.cy;
      }
      offCanvas_ += left || right || above || below;
    }
    canvas_.DrawPetals(colour, petals);
  }
  int OffCanvas() const { return offCanvas_; }

 private:
  FlowerCanvas& canvas_;
  int offCanvas_ = 0;
};

// Large flowers of every kind, swelling and shrinking, on a canvas smaller
// than they are: most of them hang over the edges, and they run off it.
PatternParams OverhangingFlowers() {
  PatternParams params;
  params.FlowerCount = 4;
  params.Size = 2;
  params.PetalWidth = 4;
  params.PetalCount = 6;
  params.Fork = 6;
  params.Spin = 30;
  params.ScaleFloor = 0.005f;
  return params;
}

// The first pixel that differs, for the failure message.
::testing::AssertionResult SamePixels(std::span<const std::uint32_t> expected,
                                      std::span<const std::uint32_t> actual) {
  std::size_t differ = 0, first = 0;
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (expected[i] != actual[i] && differ++ == 0) first = i;
  if (differ == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << first % kCanvas.cx << ", "
                                       << first / kCanvas.cx << "): " << std::hex << expected[first] << " drawn as "
                                       << actual[first];
}

TEST(FlowerCanvasPixels, SeededTicksPaintThePixelsOfThePlainPathAfterEveryTick) {
  constexpr TimerKind kKinds[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3, TimerKind::Timer4};
  const PatternParams params = OverhangingFlowers();
  for (int width : kPenWidths) {
    SCOPED_TRACE(testing::Message() << "pen width " << width);
    // Every path draws the same ticks from the same seed; the plain picture
    // is drawn once and each faster path compared with it. Wide strokes
    // cover earlier ones, so the pictures are compared after every tick.
    constexpr std::uint64_t kSeed = 20251208;
    SeededRandom plainRandom(kSeed);
    FlowerEngine plainEngine(plainRandom);
    Bitmap32 plain;
    struct Faster {
      explicit Faster(PetalPath path) : Path(path), Random(kSeed), Engine(Random) {}
      PetalPath Path;
      SeededRandom Random;
      FlowerEngine Engine;
      Bitmap32 Bitmap;
    };
    Faster faster[] = {Faster(kFasterPaths[0]), Faster(kFasterPaths[1])};
    static_assert(std::size(faster) == std::size(kFasterPaths));
    int offCanvas = 0;
    for (int t = 0; t < 360; ++t) {
      GdiFlowerCanvas plainCanvas(plain.Dc(), kCanvas, width, PetalPath::EveryPetal);
      OffCanvasCounter counter(plainCanvas);
      plainEngine.Tick(kKinds[t % 4], params, counter);
      offCanvas += counter.OffCanvas();
      for (Faster& f : faster) {
        GdiFlowerCanvas fastCanvas(f.Bitmap.Dc(), kCanvas, width, f.Path);
        f.Engine.Tick(kKinds[t % 4], params, fastCanvas);
        ASSERT_TRUE(SamePixels(plain.Pixels(), f.Bitmap.Pixels()))
            << "path " << static_cast<int>(f.Path) << " after tick " << t;
      }
    }
    // Flowers were drawn, and petals off the canvas among them.
    EXPECT_GT(Lit(plain.Pixels()), static_cast<std::size_t>(kCanvas.cx) * kCanvas.cy / 10);
    EXPECT_GT(offCanvas, 100);
  }
}

// Flower shapes come back: flowers that do not spin swell and shrink between
// two sizes as they drift, and a lone flower turning a degree a tick shows
// the same petals again once it has turned by the angle between two of them.
// Every flower is painted from the pixels of its outlines, kept for when it
// comes back; that is still exactly the pixels of the plain path, also over
// the edges and in the pen widths the mixer offers.
TEST(FlowerCanvasPixels, FlowersPaintedFromTheirKeptOutlinesPaintThePixelsOfThePlainPath) {
  struct Run {
    std::array<TimerKind, 4> Kinds;
    std::uint64_t Seed;
  };
  const Run runs[] = {
      {{TimerKind::Timer2, TimerKind::Timer3, TimerKind::Timer2, TimerKind::Timer1}, 20261208},
      {{TimerKind::Timer1, TimerKind::Timer4, TimerKind::Timer1, TimerKind::Timer4}, 20261211},  // turning only
  };
  PatternParams params = OverhangingFlowers();
  params.Spin = PatternParams{}.Spin;
  params.ScaleFloor = PatternParams{}.ScaleFloor;
  for (const Run& run : runs) {
    for (int width : kPenWidths) {
      SCOPED_TRACE(testing::Message() << "pen width " << width << ", seed " << run.Seed);
      SeededRandom plainRandom(run.Seed), keptRandom(run.Seed);
      FlowerEngine plainEngine(plainRandom), keptEngine(keptRandom);
      Bitmap32 plain, kept;
      FlowerOutlines outlines;
      // They land after one tick, or after several one over another.
      constexpr int kTicksPerLanding[] = {1, 2, 7, 13};
      for (int t = 0, landing = 0, waiting = 0; t < 400; ++t) {
        GdiFlowerCanvas plainCanvas(plain.Dc(), kCanvas, width, PetalPath::EveryPetal);
        plainEngine.Tick(run.Kinds[t % 4], params, plainCanvas);
        GdiFlowerCanvas keptCanvas(kept.Dc(), kCanvas, width, PetalPath::OnCanvas, &outlines, kept.Bits());
        keptEngine.Tick(run.Kinds[t % 4], params, keptCanvas);
        if (++waiting < kTicksPerLanding[landing % 4]) continue;
        outlines.Land(kept.Bits(), kCanvas);
        ASSERT_TRUE(SamePixels(plain.Pixels(), kept.Pixels())) << "after tick " << t;
        waiting = 0;
        ++landing;
      }
      EXPECT_GT(Lit(plain.Pixels()), static_cast<std::size_t>(kCanvas.cx) * kCanvas.cy / 20);
      EXPECT_GT(outlines.Reused(), 50);
    }
  }
}

// A small kite lying wholly beyond one edge (or corner), `gap` pixels out.
Petal PetalBeyond(int side, int gap, int along) {
  // Corners relative to the nearest canvas pixel, before moving out by gap.
  const Petal kite{{{0, 0}, {9, -6}, {30, -2}, {9, 0}}};
  Petal petal;
  for (std::size_t i = 0; i < 4; ++i) {
    const CanvasPoint k = kite[i];
    switch (side) {
      case 0: petal[i] = {along + k.X, -gap + k.Y}; break;                      // above
      case 1: petal[i] = {along + k.X, kCanvas.cy - 1 + gap - k.Y}; break;       // below
      case 2: petal[i] = {-gap + k.Y, along + k.X}; break;                       // left
      case 3: petal[i] = {kCanvas.cx - 1 + gap - k.Y, along + k.X}; break;       // right
      default: petal[i] = {-gap + k.Y - k.X, -gap + k.Y - k.X / 2}; break;       // past the top left corner
    }
  }
  return petal;
}

TEST(FlowerCanvasPixels, PetalsJustOutsideTheEdgesPaintThePixelsOfThePlainPath) {
  for (int width : kPenWidths) {
    SCOPED_TRACE(testing::Message() << "pen width " << width);
    // From touching distance to a little beyond the pen's whole width.
    std::vector<Petal> petals;
    for (int gap = 1, along = 4; gap <= width + 3; gap += std::max(1, width / 12), along += 17)
      for (int side = 0; side < 5; ++side) petals.push_back(PetalBeyond(side, gap, along % 200));
    const auto draw = [&](PetalPath path) {
      Bitmap32 bitmap;
      GdiFlowerCanvas canvas(bitmap.Dc(), kCanvas, width, path);
      canvas.DrawPetals(0x3080F0, petals);
      const auto pixels = bitmap.Pixels();
      return std::vector<std::uint32_t>(pixels.begin(), pixels.end());
    };
    const std::vector<std::uint32_t> plain = draw(PetalPath::EveryPetal);
    // A wide pen reaches in from outside; a one-pixel pen does not.
    if (width > 2) EXPECT_GT(Lit(plain), 0u);
    for (PetalPath path : kFasterPaths) {
      SCOPED_TRACE(testing::Message() << "path " << static_cast<int>(path));
      EXPECT_TRUE(SamePixels(plain, draw(path)));
    }
  }
}

// A flower too large to keep the outlines of is stroked straight on the
// bitmap, after what was painted before it lands and under what comes after.
TEST(FlowerCanvasPixels, AFlowerTooLargeToKeepIsStrokedInItsTurnAmongKeptOnes) {
  struct Flower {
    std::uint32_t Colour;
    Petal Shape;
  };
  const Flower flowers[] = {
      {0x2040F0, {{{100, 80}, {130, 60}, {260, 90}, {130, 110}}}},
      {0xF0C020, {{{150, 90}, {9000, -9000}, {18000, 95}, {9000, 9000}}}},  // wider than any mask
      {0x30E060, {{{120, 70}, {160, 30}, {300, 140}, {150, 120}}}},
  };
  for (int width : {1, 90}) {
    SCOPED_TRACE(testing::Message() << "pen width " << width);
    Bitmap32 plain, kept;
    FlowerOutlines outlines;
    for (const Flower& flower : flowers) {
      GdiFlowerCanvas(plain.Dc(), kCanvas, width, PetalPath::EveryPetal).DrawPetals(flower.Colour, {&flower.Shape, 1});
      GdiFlowerCanvas(kept.Dc(), kCanvas, width, PetalPath::OnCanvas, &outlines, kept.Bits())
          .DrawPetals(flower.Colour, {&flower.Shape, 1});
    }
    outlines.Land(kept.Bits(), kCanvas);
    EXPECT_TRUE(SamePixels(plain.Pixels(), kept.Pixels()));
    EXPECT_GT(Lit(plain.Pixels()), 500u);
  }
}

}  // namespace
}  // namespace quillane
