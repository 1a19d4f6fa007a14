// The capture's toolbar with real input: tooltips, hover frames, the options
// panel the tools open, and undo and redo through the buttons.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "capture/app_pointer.h"
#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::WaitUntil;

using CaptureToolbarTest = testing::CaptureFixture;

// The tooltip shown now, or nothing.
std::wstring ShownTooltip(HWND tooltip) {
  if (!IsWindowVisible(tooltip)) return {};
  wchar_t text[80]{};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = text;
  if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
  return text;
}

TEST_F(CaptureToolbarTest, EachButtonFromLeftToRightShowsItsTooltip) {
  Drag(100, 100, 500, 400);
  const std::array<std::wstring, kToolbarButtonCount> expected{
      L"添加矩形", L"添加椎圆", L"添加文字", L"添加箭头", L"撤销", L"重做", L"保存", L"退出截屏", L"复制退出"};
  std::array<int, kToolbarButtonCount> byPlace{0, 1, 2, 3, 4, 5, 6, 7, 8};
  std::sort(byPlace.begin(), byPlace.end(), [&](int a, int b) { return ButtonMiddle(a).x < ButtonMiddle(b).x; });
  for (int place = 0; place < kToolbarButtonCount; ++place) {
    testing_support::MoveMouse(capture.Strip(), ButtonMiddle(byPlace[static_cast<std::size_t>(place)]),
                               Delivery::Real);
    std::wstring shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = ShownTooltip(capture.Toolbar().Tooltip())) == expected[place]; }))
        << place << ": " << ::testing::PrintToString(shown);
  }
}

TEST_F(CaptureToolbarTest, OnlyTheButtonUnderThePointerIsFramedAndThePointerIsTheArrow) {
  Drag(100, 100, 500, 400);
  const HWND strip = capture.Strip();
  // The frame's outline shows on its top-left pixel.
  const auto framed = [&](int button) {
    const PixelBox& f = capture.Toolbar().Layout().HoverFrames[static_cast<std::size_t>(button)];
    return testing_support::ClientPixels(strip).At(f.Left, f.Top) == ToolbarStrip::kFrame;
  };
  const auto framedButtons = [&] {
    std::string which;
    for (int i = 0; i < kToolbarButtonCount; ++i)
      if (framed(i)) which += static_cast<char>('0' + i);
    return which;
  };
  testing_support::MoveMouse(strip, ButtonMiddle(kRedoButton), Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return framedButtons() == "8"; })) << framedButtons();
  EXPECT_EQ(AppPointer(), Pointer::Arrow);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  testing_support::MoveMouse(strip, ButtonMiddle(kSaveButton), Delivery::Real);  // straight across
  EXPECT_TRUE(WaitUntil([&] { return framedButtons() == "2"; })) << framedButtons();
  testing_support::MoveMouse(strip, {1, 1}, Delivery::Real);  // the strip between buttons
  EXPECT_TRUE(WaitUntil([&] { return framedButtons().empty(); })) << framedButtons();
  testing_support::MoveMouse(strip, ButtonMiddle(kUndoButton), Delivery::Real);
  testing_support::MoveMouse(capture.Handle(), {300, 300}, Delivery::Real);  // off the strip
  EXPECT_TRUE(WaitUntil([&] { return framedButtons().empty(); })) << framedButtons();
}

TEST_F(CaptureToolbarTest, TheChosenToolKeepsAFrameAndTheRegionShowsTheCrossHair) {
  Drag(100, 100, 500, 400);
  const HWND strip = capture.Strip();
  const auto framedButtons = [&] {
    const testing_support::Pixels pixels = testing_support::ClientPixels(strip);
    std::string which;
    for (int i = 0; i < kToolbarButtonCount; ++i) {
      const PixelBox& f = capture.Toolbar().Layout().HoverFrames[static_cast<std::size_t>(i)];
      if (pixels.At(f.Left, f.Top) == ToolbarStrip::kFrame) which += static_cast<char>('0' + i);
    }
    return which;
  };
  testing_support::MoveMouse(capture.Handle(), {300, 300}, Delivery::Real);
  EXPECT_EQ(AppPointer(), Pointer::Move);  // no tool yet: a press there moves the region
  const std::string none;
  for (const int tool : {kRectangleTool, kArrowTool}) {
    ClickButton(tool);
    const std::string chosen(1, static_cast<char>('0' + tool));
    testing_support::MoveMouse(strip, ButtonMiddle(kRedoButton), Delivery::Real);
    std::string both = chosen + static_cast<char>('0' + kRedoButton);
    std::sort(both.begin(), both.end());
    EXPECT_TRUE(WaitUntil([&] { return framedButtons() == both; })) << framedButtons();
    testing_support::MoveMouse(capture.Handle(), {300, 300}, Delivery::Real);
    EXPECT_TRUE(WaitUntil([&] { return framedButtons() == chosen; })) << framedButtons();
    EXPECT_EQ(AppPointer(), Pointer::Cross);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS));
  }
  ClickButton(kUndoButton);  // at the clean desktop: the region goes, and the chosen tool with it
  EXPECT_FALSE(Session().State().annotating);
  EXPECT_EQ(capture.Toolbar().ChosenButton(), kNoButton);
}

TEST_F(CaptureToolbarTest, ToolsOpenShapeAndToggleTheOptionsPanel) {
  Drag(100, 100, 500, 400);
  const RECT strip = PlaceOf(capture.Strip());
  ClickButton(kRectangleTool);
  EXPECT_TRUE(Session().State().annotating);
  EXPECT_EQ(Session().State().currentTool, AnnotationTool::Rectangle);
  ASSERT_TRUE(Visible(capture.OptionsPanel()));
  RECT panel = PlaceOf(capture.OptionsPanel());
  EXPECT_EQ(panel.left, strip.left);
  EXPECT_EQ(panel.top, strip.bottom + 3);
  const RECT colour = PlaceOf(capture.ColourPanel());
  EXPECT_FALSE(Visible(capture.FontPanel()));
  EXPECT_LT(panel.right - panel.left, strip.right - strip.left);
  EXPECT_LE(colour.right, panel.right - panel.left - 1) << "inside the panel's border";
  // The colours sit in the middle of the narrow panel: as much room on their right as on their left.
  const auto margins = [&] {
    const auto shown = testing_support::ClientPixels(capture.OptionsPanel());
    const PixelBox& box = capture.Pickers().Palette()[0];
    const int y = colour.top + (box.Top + box.Bottom) / 2;
    int first = -1, last = -1;
    for (int x = 1; x + 1 < shown.Width; ++x)
      if (shown.At(x, y) != PickerPanel::kFill) {
        if (first < 0) first = x;
        last = x;
      }
    return std::pair{first - 1, shown.Width - 2 - last};
  };
  EXPECT_TRUE(testing_support::WaitUntil([&] { return std::abs(margins().first - margins().second) <= 1; }, 1000))
      << margins().first << " and " << margins().second;

  const int narrowRight = panel.right - panel.left - 1;  // where the narrow panel's border ran
  ClickButton(kTextTool);  // another tool: reshaped, still shown
  panel = PlaceOf(capture.OptionsPanel());
  EXPECT_TRUE(Visible(capture.OptionsPanel()) && Visible(capture.FontPanel()));
  EXPECT_EQ(panel.right - panel.left, strip.right - strip.left);
  // Widened, the panel shows no trace of its old right border.
  const auto oldBorderPixels = [&] {
    const auto shown = testing_support::ClientPixels(capture.OptionsPanel());
    int count = 0;
    for (int y = 1; y + 1 < shown.Height; ++y) count += shown.At(narrowRight, y) == PickerPanel::kFrame;
    return count;
  };
  EXPECT_TRUE(testing_support::WaitUntil([&] { return oldBorderPixels() == 0; }, 1000)) << oldBorderPixels();
  EXPECT_GT(PlaceOf(capture.ColourPanel()).left, PlaceOf(capture.FontPanel()).left);
  // The size box shows one frame, our picture's: nothing of the system's combo box around it.
  const RECT combo = PlaceOf(capture.Pickers().SizeList()), face = PlaceOf(capture.Pickers().Face());
  const auto peeking = [&] {
    const auto shown = testing_support::ClientPixels(capture.FontPanel());
    int count = 0;
    for (int y = std::max<int>(combo.top, 0); y < std::min<int>(combo.bottom, shown.Height); ++y)
      for (int x = std::max<int>(combo.left, 0); x < std::min<int>(combo.right, shown.Width); ++x) {
        const POINT p{x, y};
        count += !PtInRect(&face, p) && shown.At(x, y) != PickerPanel::kFill;
      }
    return count;
  };
  EXPECT_TRUE(testing_support::WaitUntil([&] { return peeking() == 0; }, 1000)) << peeking();
  ClickButton(kTextTool);  // the same tool: hidden, still chosen
  EXPECT_FALSE(Visible(capture.OptionsPanel()));
  EXPECT_EQ(Session().State().currentTool, AnnotationTool::Text);
  EXPECT_EQ(Session().State().currentToolIndex, kTextTool);
}

TEST_F(CaptureToolbarTest, NearTheScreensBottomThePanelOpensAboveTheStrip) {
  Drag(100, area.Height - 150, 500, area.Height - 2);
  const RECT strip = PlaceOf(capture.Strip());
  ASSERT_LT(strip.bottom, area.Height - 2) << "the strip inside the region";
  ClickButton(kArrowTool);
  const RECT panel = PlaceOf(capture.OptionsPanel());
  EXPECT_EQ(panel.bottom, strip.top - 3);
  EXPECT_TRUE(Visible(capture.OptionsPanel()));
}

TEST_F(CaptureToolbarTest, UndoAndRedoThroughTheButtons) {
  Drag(100, 100, 500, 400);
  const COLORREF desktop = BackdropColour(area.Left + 200, area.Top + 200);
  ClickButton(kRedoButton);  // nothing undone
  EXPECT_EQ(Session().Snapshots().snapshotPos(), 1);
  ClickButton(kRectangleTool);
  for (const COLORREF drawn : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    SetPixel(capture.Surface().BackingDc(), 200, 200, drawn);
    capture.Surface().NoteDrawn();
    ASSERT_TRUE(capture.Session().PushSnapshot());
  }
  ClickButton(kUndoButton);
  EXPECT_TRUE(ScreenShows(200, 200, RGB(255, 0, 0)));
  ClickButton(kRectangleTool);  // after the undo click the same tool keeps the panel
  EXPECT_TRUE(Visible(capture.OptionsPanel()));
  ClickButton(kRedoButton);
  EXPECT_TRUE(ScreenShows(200, 200, RGB(0, 0, 255)));
  ClickButton(kUndoButton);
  ClickButton(kUndoButton);
  EXPECT_TRUE(ScreenShows(200, 200, desktop));
  EXPECT_TRUE(Visible(capture.Strip()));
  ClickButton(kUndoButton);  // at the clean desktop: the region goes
  EXPECT_EQ(Session().State().captureMode, CaptureMode::Draw);
  for (const HWND control : {capture.Strip(), capture.OptionsPanel(), capture.SizeLabel(), capture.HandleWindow(0)})
    EXPECT_FALSE(Visible(control));
  EXPECT_TRUE(ScreenShows(100, 300, BackdropColour(area.Left + 100, area.Top + 300))) << "no frame";
  EXPECT_TRUE(capture.Exists());
}

TEST_F(CaptureToolbarTest, TheCloseButtonCloses) {
  Drag(100, 100, 500, 400);
  PutClipboardText(L"untouched");
  ClickButton(kCloseButton);
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(ClipboardText(), L"untouched");
}

}  // namespace
}  // namespace quillane::capture
