#include "capture/capture_geometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillane::capture {
namespace {

constexpr SizeF kHandle{4, 4};
constexpr SizeF kStrip{241, 26};

TEST(CaptureGeometry, HandlesSitOnTheCornersAndMiddlesWithTheirPointers) {
  const FrameRect frame{100, 50, 320, 240};
  const auto places = PlaceHandles(frame, kHandle);
  struct Row {
    PointF At;
    int PointerCode;
  };
  const Row expected[kHandleCount] = {
      {{98, 48}, 8},         {{258, 48}, 7},  {{417.333333f, 48}, 6}, {{98, 168}, 9},
      {{98, 288}, 6},        {{258, 288}, 7}, {{418, 288}, 8},        {{418, 168}, 9},
  };
  for (int i = 0; i < kHandleCount; ++i) {
    EXPECT_FLOAT_EQ(places[i].X, expected[i].At.X) << "handle " << i;
    EXPECT_FLOAT_EQ(places[i].Y, expected[i].At.Y) << "handle " << i;
    EXPECT_EQ(static_cast<int>(HandlePointer(i)), expected[i].PointerCode) << "handle " << i;
  }
  EXPECT_EQ(HandlePointer(8), Pointer::Default);
}

TEST(CaptureGeometry, EachHandleMovesOnlyItsOwnEdges) {
  const FrameEdges atPress{100, 50, 420, 290};
  struct Row {
    PointF Cursor;
    FrameRect Expected;
  };
  // Dragged outwards; left and top edges land half a handle past the cursor.
  const Row rows[kHandleCount] = {
      {{60, 30}, {62, 32, 358, 258}},    {{250, 30}, {100, 32, 320, 258}},  {{500, 30}, {100, 32, 402, 258}},
      {{60, 170}, {62, 50, 358, 240}},   {{60, 330}, {62, 50, 358, 280}},   {{250, 330}, {100, 50, 320, 280}},
      {{500, 330}, {100, 50, 400, 280}}, {{500, 170}, {100, 50, 400, 240}},
  };
  for (int i = 0; i < kHandleCount; ++i) {
    const auto frame = ResizeByHandle(i, atPress, rows[i].Cursor, kHandle);
    ASSERT_TRUE(frame) << "handle " << i;
    EXPECT_EQ(*frame, rows[i].Expected) << "handle " << i;
  }
  EXPECT_FALSE(ResizeByHandle(8, atPress, {0, 0}, kHandle));
}

TEST(CaptureGeometry, AHandleDraggedPastTheOppositeEdgeIsRejectedButZeroIsKept) {
  const FrameEdges atPress{100, 50, 420, 290};
  EXPECT_FALSE(ResizeByHandle(0, atPress, {500, 330}, kHandle));
  EXPECT_FALSE(ResizeByHandle(1, atPress, {250, 300}, kHandle));
  EXPECT_FALSE(ResizeByHandle(6, atPress, {60, 30}, kHandle));
  EXPECT_FALSE(ResizeByHandle(7, atPress, {99, 170}, kHandle));
  EXPECT_FALSE(ResizeByHandle(4, atPress, {60, 49}, kHandle));  // only the height goes negative
  EXPECT_EQ(ResizeByHandle(6, atPress, {100, 50}, kHandle), (FrameRect{100, 50, 0, 0}));
  EXPECT_EQ(ResizeByHandle(3, atPress, {418, 170}, kHandle), (FrameRect{420, 50, 0, 240}));
}

TEST(CaptureGeometry, RubberBandSpansAnchorAndPointerInEveryDirection) {
  const PointF anchor{100, 100};
  struct Row {
    PointF Pointer;
    FrameRect Expected;
  };
  const Row rows[] = {
      {{150, 130}, {100, 100, 50, 30}},  // down-right
      {{40, 130}, {40, 100, 60, 30}},    // down-left
      {{150, 70}, {100, 70, 50, 30}},    // up-right
      {{40, 70}, {40, 70, 60, 30}},      // up-left
      {{100, 130}, {100, 100, 0, 30}},   // on the anchor's column
      {{40, 100}, {40, 100, 60, 0}},     // on the anchor's row
      {{100, 100}, {100, 100, 0, 0}},
      {{-30, -20}, {-30, -20, 130, 120}},  // not limited to the screen
  };
  for (const Row& row : rows)
    EXPECT_EQ(RubberBand(anchor, row.Pointer), row.Expected) << row.Pointer.X << "," << row.Pointer.Y;
}

TEST(CaptureGeometry, AMovedRegionStaysOnTheScreen) {
  const SizeF screen{1280, 800};
  const SizeF region{200, 100};
  const PointF anchor{300, 300}, grab{350, 320};
  struct Row {
    PointF Pointer;
    PointF Expected;
  };
  const Row rows[] = {
      {{400, 330}, {350, 310}},    {{100, 100}, {50, 80}},     {{0, 0}, {0, 0}},
      {{1400, 900}, {1080, 700}},  {{1400, 0}, {1080, 0}},     {{-40, 900}, {0, 700}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(MoveRegion(anchor, grab, row.Pointer, region, screen), row.Expected)
        << row.Pointer.X << "," << row.Pointer.Y;
  // Wider and higher than the screen: the far edges stay on the screen's edges.
  for (const PointF pointer : {PointF{50, 10}, PointF{0, 0}, PointF{-500, 3000}})
    EXPECT_EQ(MoveRegion({0, 0}, {10, 10}, pointer, {1500, 900}, screen), (PointF{-220, -100}));
}

TEST(CaptureGeometry, WindowPixelsAreScreenPixelsLessAVirtualOriginThatMayBeNegative) {
  const ScreenArea area{-1280, -200, 2560, 1024};
  EXPECT_EQ(area.ToWindow(-1280, -200), (PointF{0, 0}));
  EXPECT_EQ(area.ToWindow(0, 0), (PointF{1280, 200}));
  EXPECT_EQ(area.ToWindow(1279, 823), (PointF{2559, 1023}));
  EXPECT_EQ(area.ToWindow(-2147483647 - 1, 0).X, -2147483648.0f + 1280.0f);
  EXPECT_EQ((ScreenArea{0, 0, 1920, 1080}.ToWindow(5, 6)), (PointF{5, 6}));
}

TEST(CaptureGeometry, TheStripGoesBelowTheRegionOrInsideItsBottomAndNeverLeftOfTheScreen) {
  struct Row {
    FrameRect Frame;
    PointF Expected;
  };
  const Row rows[] = {
      {{100, 100, 320, 240}, {179, 344}},   // 4 pixels below, right edges lined up
      {{300, 590, 320, 180}, {379, 774}},   // ends exactly on the screen's bottom: still below
      {{300, 591, 320, 180}, {379, 741}},   // one pixel more: inside, 4 above the bottom edge
      {{10, 100, 50, 50}, {0, 154}},        // narrower than the strip at the left edge
      {{0, 790, 0, 0}, {0, 760}},           // a click near the bottom-left corner
  };
  for (const Row& row : rows)
    EXPECT_EQ(PlaceStrip(row.Frame, kStrip, 800), row.Expected) << row.Frame.Left << "," << row.Frame.Top;
}

TEST(CaptureGeometry, LabelsAndTheirTexts) {
  const LabelPlaces labels = PlaceLabels({100, 50, 320, 240}, 14);
  EXPECT_EQ(labels.Size, (PointF{102, 52}));
  EXPECT_EQ(labels.Info, (PointF{102, 68}));

  EXPECT_EQ(SizeText(320, 240), L"320x240");
  EXPECT_EQ(SizeText(0, 0), L"0x0");
  EXPECT_EQ(SizeText(2.5f, 0.1f), L"2.5x0.1");
  EXPECT_EQ(SizeText(-0.0f, 1234567), L"0x1234567");

  EXPECT_EQ(ColourReadout(0x00332211), L"RGB(17,34,51)");
  EXPECT_EQ(ColourReadout(0x00FFFFFF), L"RGB(255,255,255)");
  EXPECT_EQ(ColourReadout(0), L"RGB(0,0,0)");
  // A failed read has no readout; split as a number it would read -1, 0, 0.
  EXPECT_EQ(ColourReadout(kNoPixel), std::nullopt);
  const SplitRgb invalid = SplitColor(-1);
  EXPECT_EQ(invalid.R, -1);
  EXPECT_EQ(invalid.G, 0);
  EXPECT_EQ(invalid.B, 0);
}

TEST(CaptureGeometry, PixelsRoundHalvesToEven) {
  EXPECT_EQ(Pixel(2.5f), 2);
  EXPECT_EQ(Pixel(3.5f), 4);
  EXPECT_EQ(Pixel(-0.5f), 0);
  EXPECT_EQ(Pixel(417.333f), 417);
}

}  // namespace
}  // namespace quillane::capture
