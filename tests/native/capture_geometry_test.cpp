#include "capture/capture_geometry.h"
#include "capture/monitor_list.h"

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

TEST(CaptureGeometry, EachHandleMovesOnlyItsOwnEdgesByExactlyThePointersMovement) {
  const FrameEdges atPress{100, 50, 420, 290};
  const SizeF screen{1280, 800};
  struct Row {
    PointF Moved;
    FrameRect Expected;
  };
  // Dragged outwards by 40 across and 20 down or up.
  const Row rows[kHandleCount] = {
      {{-40, -20}, {60, 30, 360, 260}}, {{0, -20}, {100, 30, 320, 260}},  {{40, -20}, {100, 30, 360, 260}},
      {{-40, 0}, {60, 50, 360, 240}},   {{-40, 20}, {60, 50, 360, 260}},  {{0, 20}, {100, 50, 320, 260}},
      {{40, 20}, {100, 50, 360, 260}},  {{40, 0}, {100, 50, 360, 240}},
  };
  for (int i = 0; i < kHandleCount; ++i) {
    const auto frame = ResizeByHandle(i, atPress, rows[i].Moved, screen);
    ASSERT_TRUE(frame) << "handle " << i;
    EXPECT_EQ(*frame, rows[i].Expected) << "handle " << i;
    // Not moved: exactly the frame of the press.
    EXPECT_EQ(ResizeByHandle(i, atPress, {0, 0}, screen), (FrameRect{100, 50, 320, 240})) << "handle " << i;
  }
  EXPECT_FALSE(ResizeByHandle(8, atPress, {0, 0}, screen));
}

TEST(CaptureGeometry, AHandleDraggedPastTheOppositeEdgeOrTheScreensStopsThere) {
  const FrameEdges atPress{100, 50, 420, 290};
  const SizeF screen{1280, 800};
  struct Row {
    int Handle;
    PointF Moved;
    FrameRect Expected;
  };
  const Row rows[] = {
      {0, {5000, 5000}, {420, 290, 0, 0}},     {1, {0, 241}, {100, 290, 320, 0}},
      {6, {-5000, -5000}, {100, 50, 0, 0}},    {7, {-321, 0}, {100, 50, 0, 240}},
      {4, {-10, -5000}, {90, 50, 330, 0}},     {0, {-5000, -5000}, {0, 0, 420, 290}},
      {6, {5000, 5000}, {100, 50, 1180, 750}}, {3, {320, 0}, {420, 50, 0, 240}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ResizeByHandle(r.Handle, atPress, r.Moved, screen), r.Expected) << "handle " << r.Handle;
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

// Real layouts: a 1920x1080 primary with a 1280x1024 monitor right of it,
// and the same with the smaller one left of and above the primary (the
// virtual screen's origin negative), all in window pixels.
struct Layout {
  const char* Name;
  ScreenArea Screen;
  std::vector<Monitor> OnScreen;
  PixelBox Big;    // in window pixels
  PixelBox Small;
};
std::vector<Layout> Layouts() {
  return {{"beside", {0, 0, 3200, 1080}, {{{0, 0, 1920, 1080}}, {{1920, 0, 3200, 1024}}}, {0, 0, 1920, 1080},
           {1920, 0, 3200, 1024}},
          {"left and above", {-1280, -300, 3200, 1380}, {{{0, 0, 1920, 1080}}, {{-1280, -300, 0, 724}, 144}},
           {1280, 300, 3200, 1380}, {0, 0, 1280, 1024}}};
}

TEST(CaptureScreenLayout, TheMonitorHoldingARegionPlacesTheStripAndThePanel) {
  for (const Layout& l : Layouts()) {
    SCOPED_TRACE(l.Name);
    const ScreenLayout layout = ScreenLayout::FromScreenMonitors(l.Screen, l.OnScreen);
    ASSERT_EQ(layout.Monitors(), (std::vector<Monitor>{{l.Big}, {l.Small, l.OnScreen[1].DotsPerInch}}));
    const auto f = [](const PixelBox& m, float x, float y, float w, float h) {
      return FrameRect{m.Left + x, m.Top + y, w, h};
    };
    // Near the small monitor's bottom, level with the big one's: the strip goes inside the region.
    const FrameRect low = f(l.Small, 300, 1024 - 40, 400, 30);
    EXPECT_EQ(layout.Holding(low), l.Small);
    EXPECT_EQ(layout.DpiHolding(low), l.OnScreen[1].DotsPerInch);
    EXPECT_EQ(layout.DpiHolding(PointF{low.Left, low.Top}), l.OnScreen[1].DotsPerInch);
    const PointF strip = layout.Strip(low, kStrip);
    EXPECT_EQ(strip, (PointF{low.Right() - 241, low.Bottom() - 26 - 4}));
    EXPECT_LE(layout.Panel(strip, kStrip, 37).Y + 37, l.Small.Bottom);
    EXPECT_GE(layout.Panel(strip, kStrip, 37).Y, l.Small.Top);
    // The same place on the big monitor leaves room below.
    const FrameRect onBig = f(l.Big, 300, 1024 - 40, 400, 30);
    EXPECT_EQ(layout.Strip(onBig, kStrip), (PointF{onBig.Right() - 241, onBig.Bottom() + 4}));
    // Mostly on one monitor: that one holds it.
    const FrameRect across{static_cast<float>(l.Small.Right - 100), 400, 400, 100};
    EXPECT_EQ(layout.Holding(across), l.Small.Right == l.Big.Left ? l.Big : l.Small);
  }
}

TEST(CaptureScreenLayout, AMovedRegionStaysWhereAMonitorShowsIt) {
  for (const Layout& l : Layouts()) {
    SCOPED_TRACE(l.Name);
    const ScreenLayout layout = ScreenLayout::FromScreenMonitors(l.Screen, l.OnScreen);
    const SizeF screen = l.Screen.Size();
    const FrameRect region{static_cast<float>(l.Small.Left + 100), static_cast<float>(l.Small.Top + 100), 300, 200};
    const PointF grab{region.Left + 10, region.Top + 10};
    // Dragged down to the small monitor's last row: its bottom edge stops on that monitor's bottom.
    const PointF down =
        layout.Move({region.Left, region.Top}, grab, {grab.X, static_cast<float>(l.Small.Bottom - 1)}, region, screen);
    EXPECT_EQ(down.Y + 200, l.Small.Bottom);
    EXPECT_TRUE(layout.Shows({down.X, down.Y, 300, 200}));
    // Anywhere the pointer goes, no pixel of the region lies off the monitors.
    for (const PointF to : {PointF{-4000, -4000}, PointF{4000, 4000}, PointF{1900, 1060}, PointF{1300, 1070},
                            PointF{3190, 1075}, PointF{10, 1379}})
      EXPECT_TRUE(layout.Shows([&] {
        const PointF at = layout.Move({region.Left, region.Top}, grab, to, region, screen);
        return FrameRect{at.X, at.Y, 300, 200};
      }())) << to.X << "," << to.Y;
    // Below the small monitor nothing is shown.
    EXPECT_FALSE(layout.Shows({static_cast<float>(l.Small.Left + 10), static_cast<float>(l.Small.Bottom - 10), 300, 20}));
  }
}

TEST(CaptureScreenLayout, ADragOrAHandleReachingTheLastRowOrColumnTakesItIn) {
  const ScreenLayout layout({0, 0, 3200, 1080}, {{{0, 0, 1920, 1080}}, {{1920, 0, 3200, 1024}}});
  EXPECT_EQ(layout.Band({0, 0}, {3199, 1023}), (FrameRect{0, 0, 3200, 1024}));   // the small monitor's last row
  EXPECT_EQ(layout.Band({0, 0}, {1919, 500}), (FrameRect{0, 0, 1919, 500}));  // the big one's edge to the small one
  EXPECT_EQ(layout.Band({0, 0}, {1919, 1079}), (FrameRect{0, 0, 1920, 1080}));  // below the small one it ends
  EXPECT_EQ(layout.Band({3199, 1079}, {0, 0}), (FrameRect{0, 0, 3199, 1079}));   // off every monitor: as dragged
  EXPECT_EQ(layout.Band({100, 100}, {420, 340}), (FrameRect{100, 100, 320, 240}));
  const FrameEdges atPress{100, 100, 420, 340};
  // The bottom-right handle pressed on the corner and moved onto the last pixel.
  EXPECT_EQ(layout.Resize(6, atPress, {420, 340}, {3199, 1023}, {3200, 1080}), (FrameRect{100, 100, 3100, 924}));
  EXPECT_EQ(layout.Resize(6, atPress, {420, 340}, {1000, 1079}, {3200, 1080}), (FrameRect{100, 100, 900, 980}));
  EXPECT_EQ(layout.Resize(0, atPress, {101, 101}, {0, 0}, {3200, 1080}), (FrameRect{0, 0, 420, 340}));
  EXPECT_EQ(layout.Resize(0, atPress, {101, 101}, {40, 40}, {3200, 1080}), (FrameRect{39, 39, 381, 301}));
}

}  // namespace
}  // namespace quillane::capture
