#include <windows.h>
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "pattern/frm_screen_saver.h"
#include "test_windows.h"
#include "util/numbers.h"

namespace quillane {
namespace {

using testing_support::PixelsDifferentFrom;
using testing_support::ScriptedRandom;

using SaverWindowTest = testing_support::MainWindowTest;

TEST_F(SaverWindowTest, OpensWithCaptionDesignedClientSizeAndBlackCanvas) {
  Open();
  EXPECT_EQ(testing_support::WindowText(window.Handle()), L"QuillaneV7.1");
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const SIZE client = testing_support::ClientSize(window.Handle());
  EXPECT_EQ(client.cx, TwipsToPixels(18105, dpiX));
  EXPECT_EQ(client.cy, TwipsToPixels(3810, dpiY));
  if (dpiX == 96) EXPECT_EQ(client.cx, 1207);
  if (dpiY == 96) EXPECT_EQ(client.cy, 254);

  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer1));
  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer2));
  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer3));
  EXPECT_FALSE(window.TimerEnabled(TimerKind::Timer4));
  EXPECT_EQ(window.DrawWidth(), 90);

  StopTimers();
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
}

TEST_F(SaverWindowTest, TimerTicksGrowFlowersOnTheCanvas) {
  Open();
  StopTimers();
  window.SetTimerEnabled(TimerKind::Timer1, true);
  window.SetTimerEnabled(TimerKind::Timer2, true);
  for (int i = 0; i < 1500; ++i) SendMessageW(window.Handle(), WM_TIMER, 1 + (i % 2), 0);
  EXPECT_GT(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 100);
}

TEST_F(SaverWindowTest, AThousandTicksAndRepaintsLeaveNoGdiObjectBehind) {
  Open();
  StopTimers();
  RunMenu(kMenuDeploy);
  const auto live = win::LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) {
    Tick(1);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  EXPECT_EQ(win::LiveGdiObjects(), live);
  // The count sees what an owner holds.
  const win::Pen pen(CreatePen(PS_SOLID, 1, 0));
  EXPECT_EQ(win::LiveGdiObjects(), live + 1);
}

TEST_F(SaverWindowTest, DisabledTimersDrawNothing) {
  Open();
  StopTimers();
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  for (int i = 0; i < 800; ++i) SendMessageW(window.Handle(), WM_TIMER, 1 + (i % 4), 0);
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
}

TEST_F(SaverWindowTest, PetalsAreOutlinesInTheFlowersColourAndPenWidth) {
  random.After = ScriptedRandom::AfterScript::NeverStart;
  Open();
  StopTimers();
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);

  // One four-petal flower in the middle: petals reach 100 pixels right, left,
  // down and up, with side corners at 40 pixels and 45 degrees.
  FlowerSlot& slot = window.Engine().Slots()[0];
  slot = {};
  slot.Petals = 4;
  slot.CenterX = 600;
  slot.CenterY = 127;
  slot.Radius = 100;
  slot.InnerLen = 40;
  slot.HalfWidth = 45;
  slot.Scale = 1.0f;
  slot.Spin = 7;
  slot.Red = 250;
  slot.Green = 20;
  slot.Blue = 30;
  window.SetDrawWidth(1);
  window.SetTimerEnabled(TimerKind::Timer1, true);
  SendMessageW(window.Handle(), WM_TIMER, 1, 0);

  HDC dc = GetDC(window.Handle());
  const COLORREF petalColour = RGB(250, 20, 30);
  EXPECT_EQ(GetPixel(dc, 700, 127), petalColour);  // tip of the right petal
  EXPECT_EQ(GetPixel(dc, 600, 27), petalColour);   // tip of the upper petal
  EXPECT_EQ(GetPixel(dc, 660, 127), RGB(0, 0, 0)); // inside the right petal: not filled
  EXPECT_EQ(GetPixel(dc, 600, 187), RGB(0, 0, 0)); // inside the lower petal
  ReleaseDC(window.Handle(), dc);
  // The flower turned on after being drawn.
  EXPECT_EQ(slot.Angle, 7);

  // A wide pen paints the inside too.
  window.SetDrawWidth(30);
  slot.Angle = 0;
  slot.Spin = 0;
  SendMessageW(window.Handle(), WM_TIMER, 1, 0);
  dc = GetDC(window.Handle());
  EXPECT_NE(GetPixel(dc, 660, 127), RGB(0, 0, 0));
  ReleaseDC(window.Handle(), dc);
}

TEST_F(SaverWindowTest, FullScreenSaverIsBorderlessTopmostOverTheWholeScreen) {
  Open(WindowPlacement::FullScreen);
  const LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rect{};
  GetWindowRect(window.Handle(), &rect);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TEST_F(SaverWindowTest, ScaleFloorTextThatIsNoNumberReadsAsItsLeadingNumberOrZero) {
  Open();
  EXPECT_FLOAT_EQ(window.ReadPatternParams().ScaleFloor, 9.005f);
  const HWND text1 = window.Panel().Control(kText1);
  SetWindowTextW(text1, L"0.5x");
  EXPECT_FLOAT_EQ(window.ReadPatternParams().ScaleFloor, 0.5f);
  SetWindowTextW(text1, L"abc");
  EXPECT_FLOAT_EQ(window.ReadPatternParams().ScaleFloor, 0.0f);
}

}  // namespace
}  // namespace quillane
