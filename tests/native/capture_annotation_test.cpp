#include "capture/annotation.h"
#include "capture/capture_toolbar.h"
#include "capture/stroke_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "capture/capture_pickers.h"

namespace quillane::capture {
namespace {

TEST(CaptureAnnotation, ArrowWingsEndTenBackAndFiveToEachSideInEveryDirection) {
  struct Row {
    PointF Tip;
    PointF First, Second;
  };
  // From (100, 100); the wings lie 10 back along the shaft and 5 to either side.
  const Row rows[] = {
      {{150, 100}, {140, 105}, {140, 95}},  // right
      {{50, 100}, {60, 95}, {60, 105}},     // left
      {{100, 150}, {95, 140}, {105, 140}},  // down
      {{100, 50}, {105, 60}, {95, 60}},     // up
  };
  for (const Row& r : rows) {
    const auto wings = ArrowWingPoints(100, 100, r.Tip.X, r.Tip.Y, kArrowLen);
    ASSERT_TRUE(wings);
    EXPECT_FLOAT_EQ(wings->First.X, r.First.X) << r.Tip.X << "," << r.Tip.Y;
    EXPECT_FLOAT_EQ(wings->First.Y, r.First.Y) << r.Tip.X << "," << r.Tip.Y;
    EXPECT_FLOAT_EQ(wings->Second.X, r.Second.X) << r.Tip.X << "," << r.Tip.Y;
    EXPECT_FLOAT_EQ(wings->Second.Y, r.Second.Y) << r.Tip.X << "," << r.Tip.Y;
    // Each wing to the tip, then the shaft.
    const auto lines = ArrowLines({100, 100}, r.Tip);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].From, ToPixel(r.First));
    EXPECT_EQ(lines[1].From, ToPixel(r.Second));
    EXPECT_EQ(lines[2].From, (PixelPoint{100, 100}));
    for (const PixelLine& line : lines) EXPECT_EQ(line.To, ToPixel(r.Tip));
  }
  // A diagonal wing is about 11.18 long and opens about 26.57 degrees.
  const auto diagonal = ArrowWingPoints(0, 0, 30, 40, kArrowLen);
  ASSERT_TRUE(diagonal);
  EXPECT_NEAR(std::hypot(diagonal->First.X - 30, diagonal->First.Y - 40), 11.1803, 1e-3);
  // No length, no direction: nothing at all.
  EXPECT_FALSE(ArrowWingPoints(7.5f, 7.5f, 7.5f, 7.5f, kArrowLen));
  EXPECT_TRUE(ArrowLines({320, 300}, {320, 300}).empty());
  EXPECT_TRUE(CoverOf({AnnotationTool::Arrow, {320, 300}, {320, 300}, 0}).empty());
}

TEST(CaptureAnnotation, EndPointsStayOnTheRegionsLastPixelColumnAndRow) {
  const FrameRect region{100, 100, 400, 300};  // pixels 100..499 across, 100..399 down
  struct Row {
    PointF At, Clamped;
  };
  const Row rows[] = {
      {{250, 250}, {250, 250}}, {{700, 600}, {499, 399}}, {{500, 400}, {499, 399}}, {{499, 399}, {499, 399}},
      {{20, 30}, {100, 100}},   {{-5, 250}, {100, 250}},  {{250, 1e9f}, {250, 399}},
  };
  for (const Row& r : rows) EXPECT_EQ(ClampToRegion(r.At, region), r.Clamped) << r.At.X << "," << r.At.Y;
  // A region with no pixels keeps the point on its left and top.
  EXPECT_EQ(ClampToRegion({300, 300}, {50, 60, 0, 0}), (PointF{50, 60}));
  // Strokes start strictly inside: the edges are outside.
  for (const PointF edge : {PointF{100, 200}, PointF{500, 200}, PointF{200, 100}, PointF{200, 400}})
    EXPECT_FALSE(StrictlyInside(edge, region)) << edge.X << "," << edge.Y;
  EXPECT_TRUE(StrictlyInside({100.5f, 399.5f}, region));
}

TEST(CaptureAnnotation, TheEllipseBoxRoundsHalvesToEvenAndIsTheSameEitherWay) {
  struct Row {
    PointF Start, End;
    PixelBox Box;
  };
  const Row rows[] = {
      {{150.5f, 151.5f}, {300.5f, 201.5f}, {150, 152, 300, 202}},
      {{300.5f, 201.5f}, {150.5f, 151.5f}, {150, 152, 300, 202}},  // dragged up-left
      {{10.4f, 10.6f}, {20.6f, 20.4f}, {10, 11, 21, 20}},
      {{2.5f, 3.5f}, {2.5f, 3.5f}, {2, 4, 2, 4}},
  };
  for (const Row& r : rows) EXPECT_EQ(EllipseBox(r.Start, r.End), r.Box) << r.Start.X << "," << r.End.X;
}

TEST(CaptureAnnotation, TheRectangleOutlineRunsThroughBothCorners) {
  EXPECT_EQ(RectangleEdges({250, 220}, {150, 150}),
            (std::vector<PixelBox>{{150, 150, 251, 151}, {150, 220, 251, 221}, {150, 150, 151, 221}, {250, 150, 251, 221}}));
}

bool Covered(const std::vector<PixelBox>& cover, double x, double y) {
  const auto px = static_cast<std::int32_t>(std::lround(x)), py = static_cast<std::int32_t>(std::lround(y));
  for (const PixelBox& b : cover)
    if (b.Contains(px, py)) return true;
  return false;
}

// A preview is erased by repainting its cover alone: every pixel the shape
// may set lies in it, and a large shape's cover is far smaller than its box.
TEST(CaptureAnnotation, TheCoverHoldsEveryPixelOfTheShapeAndLittleElse) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(0, 2000);
  for (int round = 0; round < 200; ++round) {
    const PointF a{coordinate(random), coordinate(random)}, b{coordinate(random), coordinate(random)};
    for (const AnnotationTool tool : {AnnotationTool::Rectangle, AnnotationTool::Ellipse, AnnotationTool::Arrow}) {
      const auto cover = CoverOf({tool, a, b, 0});
      std::vector<std::pair<double, double>> outline;
      if (tool == AnnotationTool::Ellipse) {
        const PixelBox box = EllipseBox(a, b);
        const double cx = (box.Left + box.Right - 1) / 2.0, cy = (box.Top + box.Bottom - 1) / 2.0;
        for (int i = 0; i < 4000; ++i)
          outline.emplace_back(cx + (box.Width() - 1) / 2.0 * std::cos(i * 0.00157),
                               cy + (box.Height() - 1) / 2.0 * std::sin(i * 0.00157));
      } else {
        const auto segment = [&](PixelPoint from, PixelPoint to) {
          for (int i = 0; i <= 4000; ++i)
            outline.emplace_back(from.X + (to.X - from.X) * i / 4000.0, from.Y + (to.Y - from.Y) * i / 4000.0);
        };
        if (tool == AnnotationTool::Arrow) {
          for (const PixelLine& line : ArrowLines(a, b)) segment(line.From, line.To);
        } else {
          const PixelPoint p = ToPixel(a), q = ToPixel(b);
          for (const auto& [from, to] : {std::pair{p, PixelPoint{q.X, p.Y}}, std::pair{p, PixelPoint{p.X, q.Y}},
                                         std::pair{q, PixelPoint{q.X, p.Y}}, std::pair{q, PixelPoint{p.X, q.Y}}})
            segment(from, to);
        }
      }
      for (const auto& [x, y] : outline)
        ASSERT_TRUE(Covered(cover, x, y)) << static_cast<int>(tool) << " at " << x << "," << y << " round " << round;
      long area = 0;
      for (const PixelBox& box : cover) area += static_cast<long>(box.Width()) * box.Height();
      const double length = std::hypot(b.X - a.X, b.Y - a.Y);
      EXPECT_LT(area, 100 * (length + 60)) << static_cast<int>(tool) << " round " << round;
    }
  }
}

TEST(CaptureAnnotation, FontSizesAreWholeNumbersFromOneTo500) {
  struct Row {
    const wchar_t* Text;
    std::optional<float> Size;
  };
  const Row rows[] = {
      {L"11", 11.0f},   {L" 12 ", 12.0f}, {L"500", 500.0f},  {L"1", 1.0f},     {L"9.5", {}},
      {L"１２", 12.0f}, {L"12.", {}},     {L"", {}},         {L"  ", {}},      {L"abc", {}},
      {L"0", {}},       {L"-3", {}},      {L"1e40", {}},     {L"501", {}},     {L"0.5", {}},
      {L"12px", {}},    {L"1 2", {}},     {L".", {}},        {L"1.2.3", {}},   {L"inf", {}},
      {L"nan", {}},     {L"+12", {}},     {L"1e2", {}},      {L"99999999999999999999", {}},
      {L"007", 7.0f},
  };
  for (const Row& r : rows) EXPECT_EQ(ParseFontSize(r.Text), r.Size) << std::wstring(r.Text).size();
  for (const float size : {1.0f, 11.0f, 500.0f}) EXPECT_EQ(ParseFontSize(SizeTextOf(size)), size);
}

TEST(CaptureAnnotation, TheDrawingToolsAreTheirToolbarButtons) {
  const std::pair<int, AnnotationTool> rows[] = {{kRectangleTool, AnnotationTool::Rectangle},
                                                 {kEllipseTool, AnnotationTool::Ellipse},
                                                 {kArrowTool, AnnotationTool::Arrow},
                                                 {kTextTool, AnnotationTool::Text}};
  for (const auto& [button, tool] : rows) {
    EXPECT_EQ(ToolOfButton(button), tool);
    EXPECT_TRUE(IsDrawingTool(button));
  }
  for (const int other : {int{kUndoButton}, int{kCopyButton}, int{kSaveButton}, int{kCloseButton}, int{kRedoButton}, -1, 9})
    EXPECT_EQ(ToolOfButton(other), AnnotationTool::None) << other;
}

}  // namespace
}  // namespace quillane::capture
