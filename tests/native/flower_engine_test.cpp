#include "pattern/flower_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

#include "pattern/random_source.h"
#include "scripted_random.h"

namespace quillane {
namespace {

using testing_support::ScriptedRandom;

struct DrawnPolygon {
  std::uint32_t Colour;
  Petal Points;
};

class RecordingCanvas final : public FlowerCanvas {
 public:
  RecordingCanvas(float width, float height) : width_(width), height_(height) {}
  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }
  void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) override {
    for (const Petal& petal : petals) drawn_.push_back({colour, petal});
    flowerSizes_.push_back(petals.size());
  }

  const std::vector<DrawnPolygon>& Drawn() const { return drawn_; }
  // How many petals each call drew: one call per flower drawn.
  const std::vector<std::size_t>& FlowerSizes() const { return flowerSizes_; }
  void Forget() {
    drawn_.clear();
    flowerSizes_.clear();
  }

 private:
  float width_;
  float height_;
  std::vector<DrawnPolygon> drawn_;
  std::vector<std::size_t> flowerSizes_;
};

using Point = std::pair<std::int32_t, std::int32_t>;
using Quad = std::array<Point, 4>;

Quad PointsOf(const DrawnPolygon& polygon) {
  Quad quad;
  for (std::size_t i = 0; i < 4; ++i) quad[i] = {polygon.Points[i].X, polygon.Points[i].Y};
  return quad;
}

auto Fields(const FlowerSlot& s) {
  return std::make_tuple(s.Petals, s.CenterX, s.CenterY, s.StepX, s.StepY, s.Angle, s.Spin, s.Radius,
                         s.InnerLen, s.HalfWidth, s.Scale, s.ScaleStep, s.Red, s.Green, s.Blue, s.RedStep,
                         s.GreenStep, s.BlueStep);
}

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

// A slot-number draw that starts nothing (slot 199).
constexpr double kNoStart = 0.999;

// The parameters the start tables below are worked out with.
PatternParams StartParams() {
  PatternParams p;
  p.FlowerCount = 1;
  p.Size = 5;
  p.PetalWidth = 3;
  p.PetalCount = 4;
  p.Fork = 3;
  p.Spin = 10;
  p.ScaleFloor = 9.005f;
  return p;
}

// Round(801.5) = 802 and Round(459.6) = 460: truncating the size would shift the centres.
constexpr float kStartWidth = 801.5f;
constexpr float kStartHeight = 459.6f;

// A live flower placed by hand, for the drawing and updating rules.
FlowerSlot HandFlower() {
  FlowerSlot f;
  f.Petals = 3;
  f.CenterX = 300;
  f.CenterY = 200;
  f.Radius = 10;
  f.InnerLen = 5;
  f.HalfWidth = 10;
  f.Scale = 0.5f;
  f.Red = f.Green = f.Blue = 100;
  return f;
}

// ---------------------------------------------------------------------------
// Starting flowers

TEST(FlowerStart, Timer1DrawsEveryNumberInOrderAndGrowsDownward) {
  ScriptedRandom random{
      0.0,                 // slot 0
      0.99,                // Petals: Int(0.99*4*2) + 3 = 10
      0.5, 0.05,           // StepX 0, StepY Int(0.45) = 0: both 0, drawn again
      0.7, 0.95,           // StepX 0, StepY Int(8.55) = 8
      0.123,               // Angle Int(44.28) = 44
      0.35,                // Spin Round(Int(3.5) - 0.6) = Round(2.4) = 2
      0.5,                 // InnerLen Int(0.5*1020*0.19*3) = Int(290.7) = 290
      0.25,                // Scale
      0.5,                 // ScaleStep 0.5/20
      0.6,                 // HalfWidth Int(0.6*8*3) + 1 = 15
      0.1, 0.5, 0.999,     // Red 28, Green 129, Blue Int(251.748) + 3 = 254
      0.0, 0.5, 0.99,      // RedStep -3, GreenStep 0, BlueStep Int(6.93) - 3 = 3
  };
  FlowerEngine engine(random);
  RecordingCanvas canvas(kStartWidth, kStartHeight);
  engine.Tick(TimerKind::Timer1, StartParams(), canvas);
  EXPECT_EQ(random.Remaining(), 0u);

  // The start tick draws the new flower once, at its start values.
  const auto& drawn = canvas.Drawn();
  ASSERT_EQ(drawn.size(), 10u);
  EXPECT_EQ(drawn[0].Colour, Rgb(28, 129, 254));
  // Centre (802\2, 460\20); tip at Scale 0.25 x Radius 1020 = 255 along 44 degrees.
  EXPECT_EQ(PointsOf(drawn[0]), (Quad{{{401, 23}, {438, 85}, {584, 200}, {464, 58}}}));

  // Then it has moved once.
  const FlowerSlot& f = engine.Slots()[0];
  EXPECT_EQ(f.Petals, 10);
  EXPECT_EQ(f.CenterX, 401);
  EXPECT_EQ(f.CenterY, 23 + 8);
  EXPECT_EQ(f.StepX, 0);
  EXPECT_EQ(f.StepY, 8);
  EXPECT_EQ(f.Angle, 44 + 2);
  EXPECT_EQ(f.Spin, 2);
  EXPECT_EQ(f.Radius, 1020);
  EXPECT_EQ(f.InnerLen, 290);
  EXPECT_EQ(f.HalfWidth, 15);
  EXPECT_EQ(f.Scale, 0.25f + 0.025f);
  EXPECT_EQ(f.ScaleStep, -0.025f);  // the column floor 9.005 turns it at once
  EXPECT_EQ(f.Red, 28 - 3);
  EXPECT_EQ(f.RedStep, -3);
  EXPECT_EQ(f.Green, 129);
  EXPECT_EQ(f.GreenStep, 0);
  EXPECT_EQ(f.Blue, 254 + 3);
  EXPECT_EQ(f.BlueStep, -3);  // passed 253: turned back
}

TEST(FlowerStart, Timer2GrowsSidewaysInManyColoursAndDrawsNoHalfWidth) {
  ScriptedRandom random{
      0.0,                 // slot 0
      0.49,                // Petals: Int(0.49*4*5) + 3 = 12
      0.1, 0.9,            // StepX Int(0.9) = 0, StepY 0: drawn again
      0.2, 0.99,           // StepX Int(1.8) = 1, StepY 0
      0.999,               // Angle Int(359.64) = 359
      0.95,                // Spin Round(Int(9.5) - 0.3) = Round(8.7) = 9
      0.3,                 // InnerLen Int(0.3*520*0.19*3) = Int(88.92) = 88
      0.8,                 // Scale
      0.6,                 // ScaleStep 0.6/30
      0.0, 0.25, 0.75,     // Red 3, Green 66, Blue 192
      0.2, 0.6, 0.5,       // RedStep Int(1.4) - 3 = -2, GreenStep 1, BlueStep 0
  };
  FlowerEngine engine(random);
  RecordingCanvas canvas(kStartWidth, kStartHeight);
  engine.Tick(TimerKind::Timer2, StartParams(), canvas);
  EXPECT_EQ(random.Remaining(), 0u);

  const auto& drawn = canvas.Drawn();
  ASSERT_EQ(drawn.size(), 12u);
  EXPECT_EQ(drawn[0].Colour, Rgb(3, 66, 192));
  // Left middle; a slot that never held a downward flower has HalfWidth 0, so
  // both side corners sit on the petal's axis.
  EXPECT_EQ(PointsOf(drawn[0]), (Quad{{{0, 230}, {70, 229}, {416, 223}, {70, 229}}}));
  for (const auto& p : drawn) EXPECT_EQ(PointsOf(p)[1], PointsOf(p)[3]);

  const FlowerSlot& f = engine.Slots()[0];
  EXPECT_EQ(f.Petals, 12);
  EXPECT_EQ(f.CenterX, 0 + 1);
  EXPECT_EQ(f.CenterY, 230);
  EXPECT_EQ(f.StepX, 1);
  EXPECT_EQ(f.StepY, 0);
  EXPECT_EQ(f.Angle, (359 + 9) % 360);
  EXPECT_EQ(f.Spin, 9);
  EXPECT_EQ(f.Radius, 520);
  EXPECT_EQ(f.InnerLen, 88);
  EXPECT_EQ(f.HalfWidth, 0);
  EXPECT_EQ(f.Scale, 0.8f + 0.02f);
  EXPECT_EQ(f.ScaleStep, -0.02f);
  EXPECT_EQ(f.Red, 1);
  EXPECT_EQ(f.RedStep, 2);  // went below 3: turned back
  EXPECT_EQ(f.Green, 67);
  EXPECT_EQ(f.GreenStep, 1);
  EXPECT_EQ(f.Blue, 192);
  EXPECT_EQ(f.BlueStep, 0);
}

TEST(FlowerStart, Timer3GrowsSidewaysInOneDarkColour) {
  ScriptedRandom random{
      0.0,                 // slot 0
      0.0,                 // Petals 3
      0.5, 0.5,            // StepX Int(4.5) = 4, StepY 0
      0.0,                 // Angle 0
      0.0,                 // Spin Round(0 - 0.3) = 0
      0.5,                 // InnerLen Int(0.5*520*0.19*3) = Int(148.2) = 148
      0.5,                 // Scale
      0.3,                 // ScaleStep 0.3/30
      0.0, 0.5, 0.999,     // Red 1, Green 26, Blue Int(49.95) + 1 = 50
      0.49, 0.5, 0.99,     // RedStep Int(0.98) - 1 = -1, GreenStep 0, BlueStep 0
  };
  FlowerEngine engine(random);
  RecordingCanvas canvas(kStartWidth, kStartHeight);
  engine.Tick(TimerKind::Timer3, StartParams(), canvas);
  EXPECT_EQ(random.Remaining(), 0u);

  const auto& drawn = canvas.Drawn();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].Colour, Rgb(1, 26, 50));
  EXPECT_EQ(PointsOf(drawn[0]), (Quad{{{0, 230}, {74, 230}, {260, 230}, {74, 230}}}));

  const FlowerSlot& f = engine.Slots()[0];
  EXPECT_EQ(f.Petals, 3);
  EXPECT_EQ(f.CenterX, 4);
  EXPECT_EQ(f.CenterY, 230);
  EXPECT_EQ(f.StepX, 4);
  EXPECT_EQ(f.StepY, 0);
  EXPECT_EQ(f.Angle, 0);
  EXPECT_EQ(f.Spin, 0);
  EXPECT_EQ(f.Radius, 520);
  EXPECT_EQ(f.InnerLen, 148);
  EXPECT_EQ(f.HalfWidth, 0);
  EXPECT_EQ(f.Scale, 0.5f + 0.01f);
  EXPECT_EQ(f.ScaleStep, -0.01f);
  EXPECT_EQ(f.Red, 0);
  EXPECT_EQ(f.RedStep, 1);
  EXPECT_EQ(f.Green, 26);
  EXPECT_EQ(f.GreenStep, 0);
  EXPECT_EQ(f.Blue, 50);
  EXPECT_EQ(f.BlueStep, 0);
}

TEST(FlowerStart, Timer4GrowsDownwardInOneDarkColour) {
  ScriptedRandom random{
      0.0,                 // slot 0
      0.999,               // Petals: Int(7.992) + 3 = 10
      0.0, 0.2,            // StepX 0, StepY Int(1.8) = 1
      0.5,                 // Angle 180
      0.999,               // Spin Round(Int(9.99) - 0.6) = Round(8.4) = 8
      0.1,                 // InnerLen Int(0.1*1020*0.19*3) = Int(58.14) = 58
      0.75,                // Scale
      0.2,                 // ScaleStep 0.2/20
      0.999,               // HalfWidth Int(23.976) + 1 = 24
      0.0, 0.5, 0.999,     // Red 3, Green 28, Blue 52
      0.0, 0.5, 0.999,     // RedStep -3, GreenStep Int(1.0) - 3 = -2, BlueStep -2
  };
  FlowerEngine engine(random);
  RecordingCanvas canvas(kStartWidth, kStartHeight);
  engine.Tick(TimerKind::Timer4, StartParams(), canvas);
  EXPECT_EQ(random.Remaining(), 0u);

  const auto& drawn = canvas.Drawn();
  ASSERT_EQ(drawn.size(), 10u);
  EXPECT_EQ(drawn[0].Colour, Rgb(3, 28, 52));
  EXPECT_EQ(PointsOf(drawn[0]), (Quad{{{401, 23}, {361, 5}, {-364, 23}, {361, 41}}}));

  const FlowerSlot& f = engine.Slots()[0];
  EXPECT_EQ(f.Petals, 10);
  EXPECT_EQ(f.CenterX, 401);
  EXPECT_EQ(f.CenterY, 23 + 1);
  EXPECT_EQ(f.StepX, 0);
  EXPECT_EQ(f.StepY, 1);
  EXPECT_EQ(f.Angle, 180 + 8);
  EXPECT_EQ(f.Spin, 8);
  EXPECT_EQ(f.Radius, 1020);
  EXPECT_EQ(f.InnerLen, 58);
  EXPECT_EQ(f.HalfWidth, 24);
  EXPECT_EQ(f.Scale, 0.75f + 0.01f);
  EXPECT_EQ(f.ScaleStep, -0.01f);
  EXPECT_EQ(f.Red, 0);
  EXPECT_EQ(f.RedStep, 3);
  EXPECT_EQ(f.Green, 26);
  EXPECT_EQ(f.GreenStep, -2);
  EXPECT_EQ(f.Blue, 50);
  EXPECT_EQ(f.BlueStep, -2);
}

// Named draws of one start, listed in the order the engine must take them.
struct StartDraws {
  double Slot = 0.0;
  double Petals = 0.0;
  std::vector<double> Movement;  // empty: one pair that moves 4 pixels
  double Angle = 0.0;
  double Spin = 0.0;
  double InnerLen = 0.0;
  double Scale = 0.5;
  double ScaleStep = 0.0;
  double HalfWidth = 0.0;  // drawn by downward starters only
  std::array<double, 3> Colour{0.5, 0.5, 0.5};
  std::array<double, 3> ColourStep{0.5, 0.5, 0.5};

  void AppendTo(ScriptedRandom& random, TimerKind kind) const {
    const bool downward = kind == TimerKind::Timer1 || kind == TimerKind::Timer4;
    random.Add({Slot, Petals});
    if (Movement.empty())
      random.Add(downward ? std::initializer_list<double>{0.0, 0.5} : std::initializer_list<double>{0.5, 0.0});
    for (double m : Movement) random.Add(m, 1);
    random.Add({Angle, Spin, InnerLen, Scale, ScaleStep});
    if (downward) random.Add(HalfWidth, 1);
    random.Add({Colour[0], Colour[1], Colour[2], ColourStep[0], ColourStep[1], ColourStep[2]});
  }
};

constexpr TimerKind kAllKinds[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3, TimerKind::Timer4};
bool Downward(TimerKind kind) { return kind == TimerKind::Timer1 || kind == TimerKind::Timer4; }

TEST(FlowerStart, SidewaysStartKeepsTheHalfWidthOfTheSlotsLastFlower) {
  // A downward flower with HalfWidth 15 that runs off a 600-high canvas, then a
  // sideways flower in the same slot.
  ScriptedRandom random;
  StartDraws down;
  down.Movement = {0.0, 0.95};  // StepY 8
  down.Scale = 0.0;             // and no size, so it ends once its centre passes 600
  down.HalfWidth = 0.6;         // Int(0.6*8*3) + 1 = 15
  down.AppendTo(random, TimerKind::Timer1);
  random.Add(kNoStart, 71);     // centre 30 + 8*72 = 606 on the 72nd tick
  StartDraws side;
  side.InnerLen = 0.5;  // side corners off the centre, so the half-width shows
  side.AppendTo(random, TimerKind::Timer2);

  FlowerEngine engine(random);
  RecordingCanvas canvas(800, 600);
  const PatternParams params = StartParams();
  for (int t = 0; t < 72; ++t) engine.Tick(TimerKind::Timer1, params, canvas);
  ASSERT_EQ(engine.Slots()[0].Petals, 0);
  EXPECT_EQ(engine.Slots()[0].CenterY, 606);
  EXPECT_EQ(engine.Slots()[0].HalfWidth, 15);

  canvas.Forget();
  engine.Tick(TimerKind::Timer2, params, canvas);
  EXPECT_EQ(random.Remaining(), 0u);
  const FlowerSlot& f = engine.Slots()[0];
  EXPECT_GT(f.Petals, 0);
  EXPECT_EQ(f.StepY, 0);
  EXPECT_EQ(f.HalfWidth, 15);
  ASSERT_FALSE(canvas.Drawn().empty());
  EXPECT_NE(PointsOf(canvas.Drawn()[0])[1], PointsOf(canvas.Drawn()[0])[3]);

  // Timer3 keeps it as well; a downward start draws a new one.
  engine.Slots()[0].Petals = 0;
  side.AppendTo(random, TimerKind::Timer3);
  engine.Tick(TimerKind::Timer3, params, canvas);
  EXPECT_EQ(engine.Slots()[0].HalfWidth, 15);
  engine.Slots()[0].Petals = 0;
  StartDraws narrow;
  narrow.HalfWidth = 0.0;  // Int(0) + 1
  narrow.AppendTo(random, TimerKind::Timer4);
  engine.Tick(TimerKind::Timer4, params, canvas);
  EXPECT_EQ(engine.Slots()[0].HalfWidth, 1);
  EXPECT_EQ(random.Remaining(), 0u);
}

TEST(FlowerStart, MovementIsDrawnAgainUntilTheFlowerMoves) {
  for (TimerKind kind : kAllKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    ScriptedRandom random;
    StartDraws draws;
    // Three standstills (Int(r*9) = 0 needs r < 1/9), then 1 pixel per tick.
    if (Downward(kind))
      draws.Movement = {0.9, 0.0, 0.0, 0.11, 0.999, 0.1, 0.5, 0.12};
    else
      draws.Movement = {0.0, 0.9, 0.11, 0.0, 0.1, 0.999, 0.12, 0.5};
    draws.AppendTo(random, kind);
    FlowerEngine engine(random);
    RecordingCanvas canvas(800, 600);
    engine.Tick(kind, StartParams(), canvas);
    EXPECT_EQ(random.Remaining(), 0u);
    const FlowerSlot& f = engine.Slots()[0];
    EXPECT_EQ(f.StepX, Downward(kind) ? 0 : 1);
    EXPECT_EQ(f.StepY, Downward(kind) ? 1 : 0);
  }
}

TEST(FlowerStart, PreviewHalvesTheRadiusBeforeTheForkIsDrawn) {
  PatternParams params = StartParams();
  params.Fork = 2;
  for (bool preview : {false, true}) {
    for (TimerKind kind : kAllKinds) {
      SCOPED_TRACE(testing::Message() << "preview " << preview << " kind " << static_cast<int>(kind));
      ScriptedRandom random;
      StartDraws draws;
      draws.InnerLen = 0.5;
      draws.AppendTo(random, kind);
      FlowerEngine engine(random);
      engine.SetPreview(preview);
      RecordingCanvas canvas(800, 600);
      engine.Tick(kind, params, canvas);
      EXPECT_EQ(random.Remaining(), 0u);
      const FlowerSlot& f = engine.Slots()[0];
      // Size 5: 1020 down, 520 sideways; 510 and 260 in the preview box.
      // InnerLen Int(0.5 * Radius * 0.19 * 2).
      if (Downward(kind)) {
        EXPECT_EQ(f.Radius, preview ? 510 : 1020);
        EXPECT_EQ(f.InnerLen, preview ? 96 : 193);
      } else {
        EXPECT_EQ(f.Radius, preview ? 260 : 520);
        EXPECT_EQ(f.InnerLen, preview ? 49 : 98);
      }
    }
  }
}

TEST(FlowerStart, SpinOneTurnsEveryDownwardFlowerBackAndNoSidewaysFlower) {
  PatternParams params = StartParams();
  params.Spin = 1;
  for (TimerKind kind : kAllKinds) {
    for (double r : {0.0, 0.5, 0.999999}) {
      SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << " r " << r);
      ScriptedRandom random;
      StartDraws draws;
      draws.Spin = r;
      draws.AppendTo(random, kind);
      FlowerEngine engine(random);
      RecordingCanvas canvas(800, 600);
      engine.Tick(kind, params, canvas);
      EXPECT_EQ(random.Remaining(), 0u);
      EXPECT_EQ(engine.Slots()[0].Spin, Downward(kind) ? -1 : 0);
    }
  }
}

TEST(FlowerStart, SpinRangeEndsOneBelowForDownwardFlowers) {
  // Int(r*100) = 99: Round(98.4) = 98 downward, Round(98.7) = 99 sideways;
  // Int(r*100) = 1: Round(0.4) = 0 downward, Round(0.7) = 1 sideways.
  PatternParams params = StartParams();
  params.Spin = 100;
  for (TimerKind kind : kAllKinds) {
    for (auto [r, down, side] : {std::tuple{0.999999, 98, 99}, std::tuple{0.015, 0, 1}}) {
      SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << " r " << r);
      ScriptedRandom random;
      StartDraws draws;
      draws.Spin = r;
      draws.AppendTo(random, kind);
      FlowerEngine engine(random);
      RecordingCanvas canvas(800, 600);
      engine.Tick(kind, params, canvas);
      EXPECT_EQ(engine.Slots()[0].Spin, Downward(kind) ? down : side);
    }
  }
}

TEST(FlowerStart, LargestPetalCountsAndColourRanges) {
  PatternParams params = StartParams();
  params.PetalCount = 10;
  for (TimerKind kind : kAllKinds) {
    for (double r : {0.0, 0.9999999}) {
      SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << " r " << r);
      ScriptedRandom random;
      StartDraws draws;
      draws.Petals = r;
      draws.Colour = {r, r, r};
      draws.ColourStep = {r, r, r};
      draws.AppendTo(random, kind);
      FlowerEngine engine(random);
      RecordingCanvas canvas(800, 600);
      engine.Tick(kind, params, canvas);
      EXPECT_EQ(random.Remaining(), 0u);
      ASSERT_FALSE(canvas.Drawn().empty());
      const bool low = r == 0.0;
      const FlowerSlot& f = engine.Slots()[0];
      EXPECT_EQ(f.Petals, low ? 3 : (Downward(kind) ? 22 : 52));
      std::int32_t colour = 0, step = 0;
      switch (kind) {
        case TimerKind::Timer1:
        case TimerKind::Timer2: colour = low ? 3 : 254; step = low ? -3 : 3; break;
        case TimerKind::Timer3: colour = low ? 1 : 50; step = low ? -1 : 0; break;
        case TimerKind::Timer4: colour = low ? 3 : 52; step = low ? -3 : -2; break;
      }
      EXPECT_EQ(canvas.Drawn()[0].Colour, Rgb(colour, colour, colour));
      EXPECT_EQ(f.RedStep * f.RedStep, step * step);  // may have turned on the first update
    }
  }
}

// ---------------------------------------------------------------------------
// Drawing

TEST(PolarOffset, ExactValues) {
  struct Case {
    float Radius, Degrees;
    std::int32_t X, Y;
  };
  const Case cases[] = {
      {2.5f, 0.0f, 2, 0},      // halves go to the even neighbour
      {3.5f, 0.0f, 4, 0},
      {0.5f, 0.0f, 0, 0},
      {1.5f, 0.0f, 2, 0},
      {-2.5f, 0.0f, -2, 0},
      {100.0f, 30.0f, 87, 50},
      {100.0f, 45.0f, 71, 71},
      {100.0f, 90.0f, 0, 100},  // y grows downward: positive angles turn clockwise on screen
      {100.0f, -90.0f, 0, -100},
      {100.0f, 180.0f, -100, 0},
      {100.0f, 270.0f, 0, -100},
      // The angle is turned into radians in single precision: cos of the
      // single nearest pi/2 is -4.37e-8, which a large radius makes visible.
      {1e8f, 90.0f, -4, 100000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Radius << " at " << c.Degrees);
    const PolarPoint p = PolarOffset(c.Radius, c.Degrees);
    EXPECT_EQ(p.X, c.X);
    EXPECT_EQ(p.Y, c.Y);
  }
}

TEST(FlowerDrawing, KitePetalsAroundTheCentre) {
  ScriptedRandom random{kNoStart};
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  f.CenterX = 100;
  f.CenterY = 200;
  f.Angle = 10;
  f.HalfWidth = 20;
  f.Radius = 100;
  f.InnerLen = 40;
  f.Scale = 0.5f;
  engine.Slots()[0] = f;
  RecordingCanvas canvas(800, 600);
  engine.Tick(TimerKind::Timer1, StartParams(), canvas);

  // Petals at 10, 130, 250 degrees: centre, side corner at d+20 (radius 20),
  // tip at d (radius 50), side corner at d-20.
  ASSERT_EQ(canvas.Drawn().size(), 3u);
  EXPECT_EQ(PointsOf(canvas.Drawn()[0]), (Quad{{{100, 200}, {117, 210}, {149, 209}, {120, 197}}}));
  EXPECT_EQ(PointsOf(canvas.Drawn()[1]), (Quad{{{100, 200}, {83, 210}, {68, 238}, {93, 219}}}));
  EXPECT_EQ(PointsOf(canvas.Drawn()[2]), (Quad{{{100, 200}, {100, 180}, {83, 153}, {87, 185}}}));
}

TEST(FlowerDrawing, RadiusIsASingleProduct) {
  // 0.1f x 25 is 2.50000004 in double but exactly 2.5 in single precision,
  // which rounds to 2 (and to -2 at 180 degrees) rather than to 3.
  ScriptedRandom random{kNoStart};
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  f.Petals = 2;
  f.CenterX = 50;
  f.CenterY = 60;
  f.Angle = 0;
  f.HalfWidth = 0;
  f.InnerLen = 0;
  f.Radius = 25;
  f.Scale = 0.1f;
  engine.Slots()[0] = f;
  RecordingCanvas canvas(800, 600);
  engine.Tick(TimerKind::Timer1, StartParams(), canvas);
  ASSERT_EQ(canvas.Drawn().size(), 2u);
  EXPECT_EQ(PointsOf(canvas.Drawn()[0]), (Quad{{{50, 60}, {50, 60}, {52, 60}, {50, 60}}}));
  EXPECT_EQ(PointsOf(canvas.Drawn()[1]), (Quad{{{50, 60}, {50, 60}, {48, 60}, {50, 60}}}));
}

TEST(FlowerDrawing, PetalAnglesRoundHalvesToEven) {
  // 16 petals are 22.5 degrees apart: with Angle 10, petal 1 sits at 32.5 -> 32,
  // petal 3 at 77.5 -> 78, petal 5 at 122.5 -> 122.
  ScriptedRandom random{kNoStart};
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  f.Petals = 16;
  f.CenterX = 0;
  f.CenterY = 0;
  f.Angle = 10;
  f.HalfWidth = 0;
  f.InnerLen = 0;
  f.Radius = 1000;
  f.Scale = 1.0f;
  engine.Slots()[0] = f;
  RecordingCanvas canvas(800, 600);
  engine.Tick(TimerKind::Timer1, StartParams(), canvas);
  ASSERT_EQ(canvas.Drawn().size(), 16u);
  EXPECT_EQ(PointsOf(canvas.Drawn()[1])[2], (Point{848, 530}));   // 32 degrees
  EXPECT_EQ(PointsOf(canvas.Drawn()[3])[2], (Point{208, 978}));   // 78 degrees
  EXPECT_EQ(PointsOf(canvas.Drawn()[5])[2], (Point{-530, 848}));  // 122 degrees
}

TEST(FlowerDrawing, PenComponentsAbove255DrawAs255) {
  ScriptedRandom random{kNoStart, kNoStart, kNoStart};
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  f.Red = 253;
  f.RedStep = 3;
  f.Green = 256;
  f.GreenStep = -3;
  f.Blue = 17;
  engine.Slots()[0] = f;
  RecordingCanvas canvas(800, 600);
  const PatternParams params = StartParams();

  engine.Tick(TimerKind::Timer1, params, canvas);
  ASSERT_EQ(canvas.Drawn().size(), 3u);
  for (const auto& p : canvas.Drawn()) EXPECT_EQ(p.Colour, Rgb(253, 255, 17));
  EXPECT_EQ(engine.Slots()[0].Red, 256);

  // Red reached 256: drawn as 255, then turned back.
  canvas.Forget();
  engine.Tick(TimerKind::Timer1, params, canvas);
  ASSERT_EQ(canvas.Drawn().size(), 3u);
  for (const auto& p : canvas.Drawn()) EXPECT_EQ(p.Colour, Rgb(255, 253, 17));

  canvas.Forget();
  engine.Tick(TimerKind::Timer1, params, canvas);
  ASSERT_EQ(canvas.Drawn().size(), 3u);
  EXPECT_EQ(canvas.Drawn()[0].Colour, Rgb(253, 250, 17));
}

TEST(FlowerDrawing, LiveSlotsDrawInAscendingOrderBeforeTheyMove) {
  ScriptedRandom random{kNoStart};
  FlowerEngine engine(random);
  FlowerSlot a = HandFlower();
  a.Petals = 2;
  a.Red = 10;
  a.StepX = 5;
  FlowerSlot b = HandFlower();
  b.Petals = 3;
  b.Red = 20;
  b.StepY = 7;
  engine.Slots()[3] = a;
  engine.Slots()[1] = b;
  PatternParams params = StartParams();
  params.FlowerCount = 4;
  RecordingCanvas canvas(800, 600);
  engine.Tick(TimerKind::Timer2, params, canvas);
  ASSERT_EQ(canvas.Drawn().size(), 5u);
  // Each flower's petals come in one call: one pen, one colour per flower.
  EXPECT_EQ(canvas.FlowerSizes(), (std::vector<std::size_t>{3, 2}));
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(canvas.Drawn()[i].Colour, Rgb(i < 3 ? 20 : 10, 100, 100)) << i;
    EXPECT_EQ(PointsOf(canvas.Drawn()[i])[0], (Point{300, 200})) << i;
  }
  EXPECT_EQ(engine.Slots()[3].CenterX, 305);
  EXPECT_EQ(engine.Slots()[1].CenterY, 207);
}

// ---------------------------------------------------------------------------
// Updating

// Runs one tick over a single hand-placed flower in slot 0 and returns it.
FlowerSlot AfterOneTick(const FlowerSlot& f, float scaleFloor = 9.005f, float width = 800, float height = 600) {
  ScriptedRandom random{kNoStart};
  FlowerEngine engine(random);
  engine.Slots()[0] = f;
  PatternParams params = StartParams();
  params.ScaleFloor = scaleFloor;
  RecordingCanvas canvas(width, height);
  engine.Tick(TimerKind::Timer1, params, canvas);
  return engine.Slots()[0];
}

TEST(FlowerUpdate, AngleKeepsTheSignOfTheDividend) {
  struct Case {
    std::int32_t Angle, Spin, After;
  };
  for (const Case& c : {Case{0, -1, -1}, Case{-1, -1, -2}, Case{359, 2, 1}, Case{350, 10, 0},
                        Case{-359, -2, -1}, Case{-300, 98, -202}, Case{100, 98, 198}}) {
    FlowerSlot f = HandFlower();
    f.Angle = c.Angle;
    f.Spin = c.Spin;
    EXPECT_EQ(AfterOneTick(f).Angle, c.After) << c.Angle << " + " << c.Spin;
  }
}

TEST(FlowerUpdate, CentreMovesByItsSteps) {
  FlowerSlot f = HandFlower();
  f.StepX = -3;
  f.StepY = 8;
  const FlowerSlot after = AfterOneTick(f);
  EXPECT_EQ(after.CenterX, 297);
  EXPECT_EQ(after.CenterY, 208);
}

// Scale and ScaleStep after each of several ticks.
std::vector<std::pair<float, float>> ScaleTrail(float scale, float step, float floor, int ticks) {
  ScriptedRandom random;
  random.Add(kNoStart, ticks);
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  f.Scale = scale;
  f.ScaleStep = step;
  engine.Slots()[0] = f;
  PatternParams params = StartParams();
  params.ScaleFloor = floor;
  RecordingCanvas canvas(800, 600);
  std::vector<std::pair<float, float>> trail;
  for (int t = 0; t < ticks; ++t) {
    engine.Tick(TimerKind::Timer1, params, canvas);
    trail.emplace_back(engine.Slots()[0].Scale, engine.Slots()[0].ScaleStep);
  }
  return trail;
}

TEST(FlowerUpdate, CurvedFloorSwellsToOneAndShrinksToTheFloor) {
  // Exactly 1 is not above 1; 0 is below the floor 0.005.
  using T = std::vector<std::pair<float, float>>;
  EXPECT_EQ(ScaleTrail(0.5f, 0.25f, 0.005f, 9),
            (T{{0.75f, 0.25f}, {1.0f, 0.25f}, {1.25f, -0.25f}, {1.0f, -0.25f}, {0.75f, -0.25f},
               {0.5f, -0.25f}, {0.25f, -0.25f}, {0.0f, 0.25f}, {0.25f, 0.25f}}));
  // A scale equal to the floor is not below it.
  EXPECT_EQ(ScaleTrail(0.75f, -0.25f, 0.25f, 4),
            (T{{0.5f, -0.25f}, {0.25f, -0.25f}, {0.0f, 0.25f}, {0.25f, 0.25f}}));
}

TEST(FlowerUpdate, ColumnFloorTurnsTheStepOnEveryTick) {
  using T = std::vector<std::pair<float, float>>;
  EXPECT_EQ(ScaleTrail(0.5f, 0.25f, 6.005f, 4),
            (T{{0.75f, -0.25f}, {0.5f, 0.25f}, {0.75f, -0.25f}, {0.5f, 0.25f}}));
  EXPECT_EQ(ScaleTrail(0.5f, 0.25f, 9.005f, 2), (T{{0.75f, -0.25f}, {0.5f, 0.25f}}));
}

TEST(FlowerUpdate, ColourStepsTurnBelow3AndAbove253) {
  struct Case {
    std::int32_t Value, Step, After, StepAfter;
  };
  const Case cases[] = {
      {250, 3, 253, 3},   // 253 itself is inside
      {251, 3, 254, -3},
      {253, 3, 256, -3},
      {6, -3, 3, -3},     // 3 itself is inside
      {5, -3, 2, 3},
      {1, -1, 0, 1},
      {0, 1, 1, -1},      // still below 3: turns again
      {100, 0, 100, 0},
      {2, 0, 2, 0},       // a zero step stays zero
  };
  using Member = std::int32_t FlowerSlot::*;
  const std::pair<Member, Member> components[] = {{&FlowerSlot::Red, &FlowerSlot::RedStep},
                                                  {&FlowerSlot::Green, &FlowerSlot::GreenStep},
                                                  {&FlowerSlot::Blue, &FlowerSlot::BlueStep}};
  for (const auto& [value, step] : components) {
    for (const Case& c : cases) {
      FlowerSlot f = HandFlower();
      f.*value = c.Value;
      f.*step = c.Step;
      const FlowerSlot after = AfterOneTick(f);
      EXPECT_EQ(after.*value, c.After) << c.Value << " + " << c.Step;
      EXPECT_EQ(after.*step, c.StepAfter) << c.Value << " + " << c.Step;
      // The other components are left alone.
      for (const auto& [otherValue, otherStep] : components)
        if (otherValue != value) EXPECT_EQ(after.*otherValue, 100);
    }
  }
}

TEST(FlowerUpdate, FlowerOnTheEdgeLivesAndOnePastItEnds) {
  // Scale 0.5 x Radius 100: the flower may reach 50 pixels past each edge of 600 x 400.
  struct Case {
    const char* Edge;
    std::int32_t X, Y, StepX, StepY;
  };
  const Case cases[] = {
      {"right", 649, 200, 1, 0},
      {"left", -49, 200, -1, 0},
      {"bottom", 300, 449, 0, 1},
      {"top", 300, -49, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Edge);
    ScriptedRandom random;
    random.Add(kNoStart, 3);
    FlowerEngine engine(random);
    FlowerSlot f = HandFlower();
    f.Radius = 100;
    f.CenterX = c.X;
    f.CenterY = c.Y;
    f.StepX = c.StepX;
    f.StepY = c.StepY;
    engine.Slots()[0] = f;
    RecordingCanvas canvas(600, 400);
    const PatternParams params = StartParams();
    engine.Tick(TimerKind::Timer1, params, canvas);
    EXPECT_EQ(engine.Slots()[0].Petals, 3) << "on the edge";
    engine.Tick(TimerKind::Timer1, params, canvas);
    EXPECT_EQ(engine.Slots()[0].Petals, 0) << "one past the edge";
    EXPECT_EQ(canvas.Drawn().size(), 6u);  // drawn on both ticks, then never again
    engine.Tick(TimerKind::Timer1, params, canvas);
    EXPECT_EQ(canvas.Drawn().size(), 6u);
  }
}

TEST(FlowerUpdate, EndTestUsesTheScaleJustReached) {
  // Before the update e = 0.5 x 100 = 50 would end a flower at 470 on a 400-high
  // canvas; after it e = 0.75 x 100 = 75 and the flower lives.
  FlowerSlot f = HandFlower();
  f.Radius = 100;
  f.CenterY = 470;
  f.Scale = 0.5f;
  f.ScaleStep = 0.25f;
  EXPECT_EQ(AfterOneTick(f, 9.005f, 600, 400).Petals, 3);
  f.CenterY = 476;
  EXPECT_EQ(AfterOneTick(f, 9.005f, 600, 400).Petals, 0);
}

TEST(FlowerUpdate, Timer1FlowerOn600HighCanvasEndsWhenItsCentrePasses600PlusScaleTimesRadius) {
  ScriptedRandom random;
  StartDraws draws;
  draws.Movement = {0.0, 0.95};  // StepY 8
  draws.Scale = 0.5;
  draws.ScaleStep = 0.0;         // keeps Scale 0.5: 0.5 x 220 = 110 past the bottom
  draws.AppendTo(random, TimerKind::Timer1);
  random.Add(kNoStart, 84);  // the start tick is the first of 85
  PatternParams params = StartParams();
  params.Size = 1;  // Radius 220
  FlowerEngine engine(random);
  RecordingCanvas canvas(800, 600);

  // Starts at 600\20 = 30 and moves 8 per tick: 30 + 8*85 = 710 is on the edge.
  for (int t = 0; t < 85; ++t) engine.Tick(TimerKind::Timer1, params, canvas);
  EXPECT_EQ(engine.Slots()[0].Radius, 220);
  EXPECT_EQ(engine.Slots()[0].CenterY, 710);
  EXPECT_EQ(engine.Slots()[0].Petals, 3);

  random.Add(kNoStart, 1);
  engine.Tick(TimerKind::Timer1, params, canvas);
  EXPECT_EQ(engine.Slots()[0].CenterY, 718);
  EXPECT_EQ(engine.Slots()[0].Petals, 0);
  EXPECT_EQ(random.Remaining(), 0u);
}

// ---------------------------------------------------------------------------
// FlowerCount and the slot draw

TEST(FlowerCount, SlotNumberIsInt200rAndMustBeBelowTheCount) {
  struct Case {
    double R;
    std::int32_t Count;
    int StartedSlot;  // -1: none
  };
  const Case cases[] = {
      {0.0, 1, 0},    {0.0049, 1, 0},  {0.005, 1, -1},  // Int(r*200) = 0, 0, 1
      {0.0199, 4, 3}, {0.0199, 3, -1}, {0.02, 4, -1},    // 3, 3, 4
      {0.0149, 3, 2}, {0.0149, 10, 2},                   // 2
      {0.02, 10, -1}, {0.0499, 10, -1},                  // 4 and 9: no such slot
      {0.999, 10, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "r " << c.R << " count " << c.Count);
    ScriptedRandom random;
    if (c.StartedSlot >= 0) {
      StartDraws draws;
      draws.Slot = c.R;
      draws.AppendTo(random, TimerKind::Timer2);
    } else {
      random.Add(c.R, 1);  // the slot draw alone
    }
    auto engine = std::make_unique<FlowerEngine>(random);  // on the heap, so reading past it shows
    PatternParams params = StartParams();
    params.FlowerCount = c.Count;
    RecordingCanvas canvas(800, 600);
    engine->Tick(TimerKind::Timer2, params, canvas);
    EXPECT_EQ(random.Remaining(), 0u);
    for (int i = 0; i < kFlowerSlotCount; ++i)
      EXPECT_EQ(engine->Slots()[i].Petals > 0, i == c.StartedSlot) << "slot " << i;
  }
}

TEST(FlowerCount, BusySlotTakesNoNewFlower) {
  ScriptedRandom random{0.0};  // slot 0, already live: no start, no further draws
  FlowerEngine engine(random);
  FlowerSlot f = HandFlower();
  engine.Slots()[0] = f;
  RecordingCanvas canvas(800, 600);
  engine.Tick(TimerKind::Timer1, StartParams(), canvas);
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(Fields(engine.Slots()[0]), Fields(AfterOneTick(f)));
}

TEST(FlowerCount, LoweredCountFreezesHigherSlotsUntilRaised) {
  ScriptedRandom random;
  FlowerEngine engine(random);
  FlowerSlot low = HandFlower();
  low.Red = 10;
  low.StepX = 1;
  FlowerSlot high = HandFlower();
  high.Red = 20;
  high.CenterX = 900;  // already past the right edge of an 800-wide canvas
  high.StepX = 1;
  high.Spin = 5;
  high.ScaleStep = 0.1f;
  high.GreenStep = 2;
  engine.Slots()[0] = low;
  engine.Slots()[2] = high;
  PatternParams params = StartParams();
  params.FlowerCount = 2;
  RecordingCanvas canvas(800, 600);

  random.Add(kNoStart, 5);
  for (int t = 0; t < 5; ++t) engine.Tick(TimerKind::Timer1, params, canvas);
  EXPECT_EQ(Fields(engine.Slots()[2]), Fields(high)) << "frozen: not moved, turned, recoloured or ended";
  EXPECT_EQ(engine.Slots()[0].CenterX, 305);
  EXPECT_EQ(canvas.Drawn().size(), 15u);
  for (const auto& p : canvas.Drawn()) EXPECT_EQ(p.Colour, Rgb(10, 100, 100));

  // Raised again: drawn once more, then ended by the edge test.
  canvas.Forget();
  params.FlowerCount = 3;
  random.Add(kNoStart, 1);
  engine.Tick(TimerKind::Timer1, params, canvas);
  ASSERT_EQ(canvas.Drawn().size(), 6u);
  EXPECT_EQ(canvas.Drawn()[3].Colour, Rgb(20, 100, 100));
  EXPECT_EQ(PointsOf(canvas.Drawn()[3])[0], (Point{900, 200}));
  EXPECT_EQ(engine.Slots()[2].Petals, 0);
  EXPECT_EQ(random.Remaining(), 0u);
}

// A long seeded run of mixed kinds; collects what a test wants to look at.
struct SeededRun {
  std::vector<DrawnPolygon> Drawn;
  std::vector<std::array<FlowerSlot, kFlowerSlotCount>> Tables;
  int Starts = 0;
};

SeededRun RunSeeded(std::uint64_t seed, int ticks, PatternParams params, float width = 400, float height = 300) {
  SeededRandom random(seed);
  auto engine = std::make_unique<FlowerEngine>(random);
  RecordingCanvas canvas(width, height);
  static constexpr TimerKind kMix[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3,
                                       TimerKind::Timer1, TimerKind::Timer4, TimerKind::Timer2};
  SeededRun run;
  for (int t = 0; t < ticks; ++t) {
    const auto before = engine->Slots();
    engine->Tick(kMix[t % std::size(kMix)], params, canvas);
    for (int i = 0; i < kFlowerSlotCount; ++i)
      if (before[i].Petals == 0 && engine->Slots()[i].Petals > 0) ++run.Starts;
    run.Tables.push_back(engine->Slots());
  }
  run.Drawn = canvas.Drawn();
  return run;
}

PatternParams MixedParams() {
  PatternParams p;
  p.FlowerCount = 4;
  p.Size = 1;
  p.PetalWidth = 4;
  p.PetalCount = 10;
  p.Fork = 7;
  p.Spin = 20;
  p.ScaleFloor = 0.005f;
  return p;
}

TEST(FlowerCount, CountsAboveFourUseOnlyTheFourSlots) {
  PatternParams params = MixedParams();
  params.FlowerCount = 10;
  const SeededRun run = RunSeeded(7, 4000, params);
  std::array<bool, kFlowerSlotCount> used{};
  for (const auto& table : run.Tables)
    for (int i = 0; i < kFlowerSlotCount; ++i) used[i] = used[i] || table[i].Petals > 0;
  EXPECT_EQ(used, (std::array<bool, kFlowerSlotCount>{true, true, true, true}));
  EXPECT_GT(run.Starts, 20);
}

TEST(FlowerCount, CountOneUsesOnlySlotZero) {
  PatternParams params = MixedParams();
  params.FlowerCount = 1;
  const SeededRun run = RunSeeded(11, 4000, params);
  EXPECT_GT(run.Starts, 3);
  for (const auto& table : run.Tables)
    for (int i = 1; i < kFlowerSlotCount; ++i) ASSERT_EQ(Fields(table[i]), Fields(FlowerSlot{})) << i;
}

TEST(FlowerSeeded, SpinOneHoldsForEveryFlowerOfALongRun) {
  PatternParams params = MixedParams();
  params.Spin = 1;
  const SeededRun run = RunSeeded(3, 4000, params);
  EXPECT_GT(run.Starts, 20);
  for (const auto& table : run.Tables)
    for (const FlowerSlot& f : table) {
      if (f.Petals == 0) continue;
      const bool downward = f.StepY > 0;
      ASSERT_EQ(downward, f.StepX == 0);
      ASSERT_EQ(f.Spin, downward ? -1 : 0);
    }
}

TEST(FlowerSeeded, SameSeedReplaysTheSameRunAndAnotherSeedDoesNot) {
  const PatternParams params = MixedParams();
  const SeededRun a = RunSeeded(20240517, 3000, params);
  const SeededRun b = RunSeeded(20240517, 3000, params);
  const SeededRun c = RunSeeded(20240518, 3000, params);
  EXPECT_GT(a.Starts, 20);
  ASSERT_GT(a.Drawn.size(), 1000u);

  ASSERT_EQ(a.Tables.size(), b.Tables.size());
  for (std::size_t t = 0; t < a.Tables.size(); ++t)
    for (int i = 0; i < kFlowerSlotCount; ++i)
      ASSERT_EQ(Fields(a.Tables[t][i]), Fields(b.Tables[t][i])) << "tick " << t << " slot " << i;
  ASSERT_EQ(a.Drawn.size(), b.Drawn.size());
  for (std::size_t k = 0; k < a.Drawn.size(); ++k) {
    ASSERT_EQ(a.Drawn[k].Colour, b.Drawn[k].Colour) << k;
    ASSERT_EQ(PointsOf(a.Drawn[k]), PointsOf(b.Drawn[k])) << k;
  }

  bool differs = a.Drawn.size() != c.Drawn.size();
  for (std::size_t k = 0; !differs && k < a.Drawn.size(); ++k)
    differs = a.Drawn[k].Colour != c.Drawn[k].Colour || PointsOf(a.Drawn[k]) != PointsOf(c.Drawn[k]);
  EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace quillane
