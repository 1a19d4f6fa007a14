// The capture at 96 and 120 dots per inch. Wine reads the setting when a
// process starts, so each dpi runs in a child process of this binary. And on
// monitors of different dpi side by side, which Wine cannot show: the
// monitor list says so.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "capture/frm_screen_capture.h"
#include "capture_backdrop.h"
#include "dpi_child.h"
#include "fake_services.h"
#include "input_driver.h"
#include "pixel_probe.h"
#include "test_windows.h"
#include "waiting.h"
#include "win32/design_table.h"
#include "win32/dpi_awareness.h"
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

// The screen cut in three monitors of 96, 120 and 144 dpi, left to right.
std::vector<Monitor> ThreeMonitors() {
  const ScreenArea area = VirtualScreen();
  const int third = area.Width / 3;
  std::vector<Monitor> monitors;
  for (const int i : {0, 1, 2})
    monitors.push_back({{area.Left + third * i, area.Top, i == 2 ? area.Left + area.Width : area.Left + third * (i + 1),
                         area.Top + area.Height},
                        96 + 24 * i});
  return monitors;
}

DPI_AWARENESS ThreadAwareness() { return GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()); }

TEST(CaptureMonitorDpi, TheControlsTakeTheDpiOfTheMonitorHoldingTheRegionAsItMoves) {
  testing_support::FakeDialogs dialogs;
  CaptureServices services{dialogs};
  services.Monitors = ThreeMonitors;
  win::Owned<FrmScreenCapture> capture(services);
  // As the program's manifest says (Wine makes every program per-monitor aware).
  const win::ThreadDpiAwareness program(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
  ASSERT_EQ(ThreadAwareness(), DPI_AWARENESS_SYSTEM_AWARE);
  ASSERT_TRUE(capture.Open(nullptr));
  // Only the capture's window is per-monitor aware; the thread is as before.
  EXPECT_EQ(ThreadAwareness(), DPI_AWARENESS_SYSTEM_AWARE);
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(capture.Handle())),
            DPI_AWARENESS_PER_MONITOR_AWARE);
  ShowWindow(capture.Handle(), SW_SHOW);
  UpdateWindow(capture.Handle());
  const int third = VirtualScreen().Width / 3;
  using testing_support::Delivery;
  const auto size = [](HWND window) {
    const RECT r = testing_support::PlaceInParent(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  const auto fontHeight = [](HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
  };
  // Before the first press the loupe beside the pointer takes the dpi of the
  // monitor under it: its size, and its frame on the screen at that size.
  const ScreenArea area = VirtualScreen();
  const struct {
    int Monitor;
    LONG Width, Height;
  } loupes[] = {{0, 137, 157}, {1, 171, 196}, {2, 205, 235}, {0, 137, 157}};
  for (const auto& loupe : loupes) {
    const PixelSpot at{third * loupe.Monitor + third / 4, 60};
    testing_support::MoveMouse(capture.Handle(), {at.X, at.Y}, Delivery::Real);
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] { return capture.Session().Shown().Loupe && capture.Session().Shown().LoupePointer == at; }))
        << loupe.Monitor;
    const PixelBox box = *capture.Session().Shown().Loupe;
    EXPECT_EQ(box.Width(), loupe.Width) << loupe.Monitor;
    EXPECT_EQ(box.Height(), loupe.Height) << loupe.Monitor;
    // The lens's frame: its right column and bottom line, where the loupe of 96 dpi ends sooner.
    const LONG lens = loupe.Width;
    const COLORREF frame = RGB(kLoupeFrame >> 16 & 0xFF, kLoupeFrame >> 8 & 0xFF, kLoupeFrame & 0xFF);
    EXPECT_TRUE(testing_support::WaitUntil([&] {
      return testing_support::ScreenPixel({area.Left + box.Left + lens - 1, area.Top + box.Top + lens / 2}) == frame &&
             testing_support::ScreenPixel({area.Left + box.Left + lens / 2, area.Top + box.Top + lens - 1}) == frame;
    })) << loupe.Monitor;
  }
  // A region 100 wide on the first monitor.
  testing_support::Drag(capture.Handle(), {third / 2, 100}, {third / 2 + 100, 200}, Delivery::Real);
  const struct {
    const char* What;
    std::function<void()> Move;
    int Dpi;
    SIZE Strip;
    int Handle;
    LONG FontHeight;
    int PanelHeight;  // with the text tool chosen; 0: no tool, the region moves with a drag
  } rows[] = {
      {"drawn on the first", [] {}, 96, {241, 26}, 4, -14, 0},
      {"dragged onto the second",
       [&] {
         testing_support::Drag(capture.Handle(), {third / 2 + 50, 150}, {third * 3 / 2 + 50, 150}, Delivery::Real);
       },
       120, {302, 32}, 5, -18, 0},
      {"dragged onto the third", [&] {
         testing_support::Drag(capture.Handle(), {third * 3 / 2 + 50, 150}, {third * 5 / 2 + 50, 150}, Delivery::Real);
       },
       144, {362, 39}, 6, -21, 56},
      {"moved by keys mostly back onto the second, the text tool chosen",
       [&] {
         const int past = static_cast<int>(capture.Session().Shown().Frame.Left) - 2 * third;
         for (int i = 0; i < past / 10 + 6; ++i)
           testing_support::PressKey(VK_LEFT, Delivery::Real, testing_support::kControl);
       },
       120, {302, 32}, 5, -18, 47},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.What);
    row.Move();
    EXPECT_EQ(capture.Session().Shown().Dpi, row.Dpi);
    ASSERT_TRUE(IsWindowVisible(capture.Strip()));
    EXPECT_EQ(size(capture.Strip()).cx, row.Strip.cx);
    EXPECT_EQ(size(capture.Strip()).cy, row.Strip.cy);
    for (int i = 0; i < kHandleCount; ++i) {
      EXPECT_EQ(size(capture.HandleWindow(i)).cx, row.Handle) << i;
      EXPECT_EQ(size(capture.HandleWindow(i)).cy, row.Handle) << i;
    }
    for (const HWND control : {capture.SizeLabel(), capture.InfoLabel(), capture.Pickers().SizeText()})
      EXPECT_EQ(fontHeight(control), row.FontHeight);
    if (row.PanelHeight == 0) continue;
    // The text tool's button where the strip shows it at this dpi opens its panel, as wide as the strip.
    if (!IsWindowVisible(capture.OptionsPanel())) {
      const PixelBox& b = capture.Toolbar().Layout().Buttons[kTextTool];
      testing_support::Click(capture.Strip(), {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2}, Delivery::Real);
    }
    ASSERT_TRUE(IsWindowVisible(capture.OptionsPanel()));
    EXPECT_EQ(size(capture.OptionsPanel()).cx, row.Strip.cx);
    EXPECT_EQ(size(capture.OptionsPanel()).cy, row.PanelHeight);
    // The palette's last swatch (2360 twips into its panel) still lies inside the panel.
    EXPECT_GE(size(capture.ColourPanel()).cx, 2360 * row.Dpi / 1440);
    // Keys for moving the region, not the size box the click may have focused.
    SetFocus(capture.Handle());
  }
  // The save dialog is aware of dpi as the rest of the program is.
  std::optional<DPI_AWARENESS> dialog;
  dialogs.WhileSaveDialogOpen = [&] { dialog = ThreadAwareness(); };
  testing_support::PressKey('S', Delivery::Real, testing_support::kControl);
  EXPECT_TRUE(testing_support::WaitUntil([&] { return !capture.Exists(); }));
  EXPECT_EQ(dialog, std::optional<DPI_AWARENESS>(DPI_AWARENESS_SYSTEM_AWARE));
}

}  // namespace
}  // namespace quillane::capture
