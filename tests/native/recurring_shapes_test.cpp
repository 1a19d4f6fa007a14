#include "pattern/recurring_shapes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace quillane {
namespace {

// A one-bit picture as a DIB holds it: rows padded to four bytes, here with
// the padding bits set, which are not pixels.
struct Mask {
  std::int32_t Width, Height;
  std::size_t Stride;
  std::vector<std::uint8_t> Bits;

  Mask(std::int32_t width, std::int32_t height, std::uint32_t seed)
      : Width(width), Height(height), Stride((static_cast<std::size_t>(width) + 31) / 32 * 4),
        Bits(Stride * height, 0xFF) {
    std::mt19937 random(seed);
    // Runs of random lengths, so some end on and some across word edges.
    for (std::int32_t y = 0; y < height; ++y) {
      bool lit = y % 3 == 0;
      for (std::int32_t x = 0; x < width;) {
        const std::int32_t length = 1 + static_cast<std::int32_t>(random() % 70);
        for (std::int32_t end = std::min(width, x + length); x < end; ++x) Set(x, y, lit);
        lit = !lit;
      }
      if (y == 0 || y == height - 1)
        for (std::int32_t x = 0; x < width; ++x) Set(x, y, false);  // blank first and last rows
    }
  }
  void Set(std::int32_t x, std::int32_t y, bool lit) {
    std::uint8_t& byte = Bits[y * Stride + x / 8];
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
    byte = lit ? byte | bit : byte & ~bit;
  }
  bool Lit(std::int32_t x, std::int32_t y) const { return (Bits[y * Stride + x / 8] & (0x80 >> (x % 8))) != 0; }
};

TEST(ShapeSpans, PaintsExactlyTheLitPixelsOfItsMaskWhereverItLiesOnThePicture) {
  constexpr std::int32_t kW = 150, kH = 90;
  constexpr std::uint32_t kPixel = 0x00C08040, kBlank = 0x11111111;
  struct Case {
    std::int32_t Width, Height, Left, Top;
    CanvasPoint Centre;
  };
  const Case cases[] = {
      {1, 5, 0, 0, {10, 10}},         {63, 20, -30, -10, {75, 45}},  {64, 20, 3, 2, {0, 0}},
      {65, 40, -32, -20, {5, 85}},    {130, 60, -65, -30, {140, 3}}, {200, 120, -100, -60, {75, 45}},
      {70, 30, -35, -15, {-40, 45}},  {70, 30, -35, -15, {180, 45}}, {70, 30, -35, -15, {75, -20}},
      {70, 30, -35, -15, {75, 110}},
  };
  std::uint32_t seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " at " << c.Centre.X << "," << c.Centre.Y);
    const Mask mask(c.Width, c.Height, seed++);
    const ShapeSpans shape = ShapeSpans::FromMask(mask.Bits.data(), mask.Stride, c.Width, c.Height, c.Left, c.Top);
    std::vector<std::uint32_t> picture(kW * kH, kBlank);
    PendingShapes pending;
    pending.Add(std::make_shared<const ShapeSpans>(shape), c.Centre, kPixel);
    pending.Land(picture.data(), kW, kH);
    for (std::int32_t y = 0; y < kH; ++y)
      for (std::int32_t x = 0; x < kW; ++x) {
        const std::int32_t mx = x - c.Centre.X - c.Left, my = y - c.Centre.Y - c.Top;
        const bool lit = mx >= 0 && mx < c.Width && my >= 0 && my < c.Height && mask.Lit(mx, my);
        ASSERT_EQ(picture[y * kW + x], lit ? kPixel : kBlank) << "at " << x << "," << y;
      }
  }
  // An empty mask paints nothing and keeps nothing.
  const std::vector<std::uint8_t> empty(8, 0);
  const ShapeSpans none = ShapeSpans::FromMask(empty.data(), 4, 20, 2, 0, 0);
  std::vector<std::uint32_t> picture(kW * kH, kBlank);
  PendingShapes pending;
  pending.Add(std::make_shared<const ShapeSpans>(none), {5, 5}, kPixel);
  pending.Land(picture.data(), kW, kH);
  EXPECT_EQ(picture, std::vector<std::uint32_t>(kW * kH, kBlank));
  EXPECT_EQ(none.Bytes(), 0u);
}

// Shapes landed together leave each pixel in the colour of the last shape
// that covers it, as painting them one after another does, also where they
// overlap only in part of a 64-pixel word, at the picture's edges, and from
// one landing to the next.
TEST(PendingShapes, LandingPaintsWhatPaintingEachShapeInTurnPaints) {
  constexpr std::int32_t kW = 203, kH = 77;  // rows not a whole number of words
  std::mt19937 random(7);
  const auto pick = [&](std::int32_t from, std::int32_t to) {
    return from + static_cast<std::int32_t>(random() % static_cast<std::uint32_t>(to - from + 1));
  };
  std::vector<std::uint32_t> landed(kW * kH, 0), painted(kW * kH, 0);
  PendingShapes pending;
  for (int landing = 0; landing < 12; ++landing) {
    SCOPED_TRACE(testing::Message() << "landing " << landing);
    const int shapes = landing == 0 ? 1 : pick(2, 40);
    for (int s = 0; s < shapes; ++s) {
      const Mask mask(pick(1, 150), pick(1, 60), random());
      const std::int32_t left = -pick(0, mask.Width), top = -pick(0, mask.Height);
      const CanvasPoint centre{pick(-60, kW + 60), pick(-40, kH + 40)};
      const std::uint32_t pixel = random() | 1;
      pending.Add(std::make_shared<const ShapeSpans>(
                      ShapeSpans::FromMask(mask.Bits.data(), mask.Stride, mask.Width, mask.Height, left, top)),
                  centre, pixel);
      for (std::int32_t my = 0; my < mask.Height; ++my)
        for (std::int32_t mx = 0; mx < mask.Width; ++mx) {
          const std::int32_t x = centre.X + left + mx, y = centre.Y + top + my;
          if (mask.Lit(mx, my) && x >= 0 && x < kW && y >= 0 && y < kH) painted[y * kW + x] = pixel;
        }
    }
    EXPECT_EQ(pending.Count(), static_cast<std::size_t>(shapes));
    pending.Land(landed.data(), kW, kH);
    EXPECT_EQ(pending.Count(), 0u);
    ASSERT_EQ(landed, painted);
  }
  // What is cleared never lands.
  const Mask mask(20, 20, 3);
  pending.Add(std::make_shared<const ShapeSpans>(ShapeSpans::FromMask(mask.Bits.data(), mask.Stride, 20, 20, 0, 0)),
              {10, 10}, 1);
  pending.Clear();
  pending.Land(landed.data(), kW, kH);
  EXPECT_EQ(landed, painted);
}

std::vector<Petal> Flower(CanvasPoint centre, int tip) {
  return {{{centre, {centre.X + 3, centre.Y - 2}, {centre.X + tip, centre.Y}, {centre.X + 3, centre.Y + 2}}},
          {{centre, {centre.X - 2, centre.Y + 3}, {centre.X, centre.Y + tip}, {centre.X + 2, centre.Y + 3}}}};
}

// A shape with `rows` rows of 32 one-pixel runs: 32 runs of eight bytes a row.
ShapeSpans Striped(std::int32_t rows) {
  const std::vector<std::uint8_t> bits(static_cast<std::size_t>(rows) * 8, 0xAA);
  return ShapeSpans::FromMask(bits.data(), 8, 64, rows, 0, 0);
}

TEST(RecurringShapes, AShapeIsFoundWhereverItIsDrawnInAnyOrderOfItsPetalsButNotInAnotherPen) {
  RecurringShapes shapes;
  ASSERT_EQ(shapes.Find(90, Flower({10, 10}, 40)), nullptr);
  const std::shared_ptr<const ShapeSpans> kept = shapes.Keep(Striped(3));
  EXPECT_EQ(shapes.Find(90, Flower({-300, 77}, 40)), kept);
  std::vector<Petal> turned = Flower({5, 5}, 40);
  std::swap(turned[0], turned[1]);
  EXPECT_EQ(shapes.Find(90, turned), kept);
  EXPECT_EQ(shapes.Find(10, Flower({10, 10}, 40)), nullptr);
  EXPECT_EQ(shapes.Find(90, Flower({10, 10}, 41)), nullptr);
  EXPECT_EQ(shapes.Count(), 1u);
  EXPECT_EQ(shapes.Bytes(), kept->Bytes());
}

TEST(RecurringShapes, TheLeastRecentlyUsedShapesAreForgottenFirstToStayWithinCountAndBytes) {
  RecurringShapes shapes;
  for (int tip = 0; tip < static_cast<int>(RecurringShapes::kMaxShapes); ++tip) {
    ASSERT_EQ(shapes.Find(90, Flower({0, 0}, tip)), nullptr);
    shapes.Keep(Striped(1));
    // The first shape comes back all the while, so it stays.
    ASSERT_NE(shapes.Find(90, Flower({0, 0}, 0)), nullptr);
  }
  EXPECT_EQ(shapes.Count(), RecurringShapes::kMaxShapes);
  ASSERT_EQ(shapes.Find(90, Flower({0, 0}, 1000)), nullptr);
  shapes.Keep(Striped(1));
  EXPECT_EQ(shapes.Count(), RecurringShapes::kMaxShapes);
  EXPECT_NE(shapes.Find(90, Flower({0, 0}, 0)), nullptr);
  EXPECT_EQ(shapes.Find(90, Flower({0, 0}, 1)), nullptr);  // the oldest unused

  // Large shapes push out as many others as their bytes need.
  const std::int32_t rows = static_cast<std::int32_t>(RecurringShapes::kMaxBytes / (32 * 8) / 3);
  for (int tip = 2000; tip < 2004; ++tip) {
    ASSERT_EQ(shapes.Find(90, Flower({0, 0}, tip)), nullptr);
    shapes.Keep(Striped(rows));
    EXPECT_LE(shapes.Bytes(), RecurringShapes::kMaxBytes);
  }
  EXPECT_EQ(shapes.Find(90, Flower({0, 0}, 2000)), nullptr);
  const std::shared_ptr<const ShapeSpans> waiting = shapes.Find(90, Flower({0, 0}, 2003));
  ASSERT_NE(waiting, nullptr);
  const std::size_t waitingBytes = waiting->Bytes();
  shapes.Clear();
  EXPECT_EQ(shapes.Count(), 0u);
  EXPECT_EQ(shapes.Bytes(), 0u);
  // A shape still waiting to be painted outlives its forgetting.
  EXPECT_EQ(waiting->Bytes(), waitingBytes);
  EXPECT_GT(waitingBytes, 0u);
}

}  // namespace
}  // namespace quillane
