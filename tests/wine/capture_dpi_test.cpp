// The capture at 96 and 120 dots per inch. Wine reads the setting when a
// process starts, so each dpi runs in a child process of this binary.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "capture/frm_screen_capture.h"
#include "capture_backdrop.h"
#include "dpi_child.h"
#include "fake_services.h"
#include "input_driver.h"
#include "pixel_probe.h"
#include "test_windows.h"
#include "waiting.h"
#include "win32/design_table.h"
#include "win32/kernel_handle.h"
#include "win32/registry_key.h"

namespace quillane::capture {
namespace {

using testing_support::ChildDpi;

// Disabled in ordinary runs: the child process runs it.
TEST(CaptureAtDpiChild, DISABLED_TheFrozenPictureCoversTheWholeScreen) {
  const int dpi = ChildDpi();
  ASSERT_NE(dpi, 0) << "started by CaptureAtDpi";
  ASSERT_EQ(win::ScreenDpi().X, dpi) << "the setting did not take effect";
  const ScreenArea area = VirtualScreen();
  testing::Backdrop backdrop;
  testing_support::FakeDialogs dialogs;
  win::Owned<FrmScreenCapture> capture(CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(nullptr));
  ShowWindow(capture.Handle(), SW_SHOW);
  UpdateWindow(capture.Handle());

  const testing_support::Pixels frozen = testing_support::BitmapPixels(capture.Surface().Persistent().Bitmap());
  ASSERT_EQ(frozen.Width, area.Width);
  ASSERT_EQ(frozen.Height, area.Height);
  EXPECT_EQ(testing::DifferencesFromBackdrop(frozen, area.Left, area.Top), 0);
  // The bottom-right corner is shown, on the screen.
  const POINT corner{area.Left + area.Width - 1, area.Top + area.Height - 1};
  EXPECT_TRUE(testing_support::WaitUntil(
      [&] { return testing_support::ScreenPixel(corner) == testing::BackdropColour(corner.x, corner.y); }));

  // The strip has its designed size at this dpi; a region moves to the real right and bottom edges.
  const SIZE strip = win::PixelSize(kStripWidthTwips, kStripHeightTwips, {dpi, dpi});
  EXPECT_EQ(capture.Session().Metrics().Strip.Width, strip.cx);
  EXPECT_EQ(capture.Session().Metrics().Strip.Height, strip.cy);
  const auto drag = [&](POINT from, POINT to) {
    testing_support::Drag(capture.Handle(), from, to, testing_support::Delivery::Real);
  };
  drag({10, 10}, {110, 60});
  drag({50, 30}, {area.Width - 1, area.Height - 1});
  EXPECT_EQ(capture.Session().Shown().Frame, (FrameRect{static_cast<float>(area.Width - 100),
                                                        static_cast<float>(area.Height - 50), 100, 50}));

  // The options panel is as wide as the strip for the text tool, and holds
  // the whole palette (its last swatch ends 2360 twips into the colour panel)
  // inside its border for every tool.
  const auto click = [&](int button) {
    const PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    testing_support::Click(capture.Strip(), {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2},
                           testing_support::Delivery::Real);
  };
  const int palette = 2360 * dpi / 1440;
  for (const int tool : {kTextTool, kRectangleTool}) {
    click(tool);
    const RECT panel = testing_support::PlaceInParent(capture.OptionsPanel());
    const RECT colours = testing_support::PlaceInParent(capture.ColourPanel());
    ASSERT_TRUE(IsWindowVisible(capture.OptionsPanel())) << tool;
    if (tool == kTextTool) EXPECT_EQ(panel.right - panel.left, strip.cx);
    EXPECT_LE(colours.right, panel.right - panel.left - 1) << tool;
    EXPECT_GE(colours.right - colours.left, palette) << tool;
  }
}

TEST(CaptureAtDpi, TheFrozenPictureCoversTheWholeScreenAt96And120Dpi) {
  testing_support::ExpectChildrenPassAt({96, 120}, L"CaptureAtDpiChild.*");
}

}  // namespace
}  // namespace quillane::capture
