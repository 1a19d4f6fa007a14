#include <windows.h>
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/gdi_flower_canvas.h"
#include "pixel_probe.h"
#include "soak.h"
#include "win32/gdi.h"
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
  window.ShowCanvas();
  EXPECT_GT(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 100);
}

TEST_F(SaverWindowTest, RepeatedTicksAndRepaintsLeaveNoGdiObjectBehind) {
  Open();
  StopTimers();
  RunMenu(kMenuDeploy);
  // By then the canvas and the mask new shapes are stroked in are made; both are kept.
  Tick(400);
  const auto live = win::LiveGdiObjects();
  for (int i = 0, rounds = testing_support::SoakRounds(); i < rounds; ++i) {
    Tick(1);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  EXPECT_EQ(win::LiveGdiObjects(), live);
  // The count sees what an owner holds.
  const auto held = win::LiveGdiObjects();
  const win::Pen pen(CreatePen(PS_SOLID, 1, 0));
  EXPECT_EQ(win::LiveGdiObjects(), held + 1);
}

// The ticks draw on the canvas in memory, and the window is shown it once a
// frame; what it shows is still exactly what drawing every tick straight on
// it would show, also where the window was erased between two frames: part
// of it repainted, and the place of the mixer panel once the panel closes.
TEST_F(SaverWindowTest, TheWindowShowsThePixelsOfEveryTickDrawnStraightOnItAlsoAcrossErases) {
  PatternParams params;
  params.FlowerCount = 4;
  window.SetStartParams(params);
  Open();
  StopTimers();
  // Wholly on the screen and above the rest, so every pixel of it is shown.
  SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
  // The real timers may have ticked before they stopped: both start from nothing.
  window.Engine().Slots() = {};
  random = ScriptedRandom{ScriptedRandom::AfterScript::Seeded, 20261208};
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  const SIZE size = testing_support::ClientSize(window.Handle());

  // The same seeded ticks, one Polygon per petal, into memory; what the
  // window erases is filled in the background colour there too.
  ScriptedRandom referenceRandom{ScriptedRandom::AfterScript::Seeded, 20261208};
  FlowerEngine reference(referenceRandom);
  const win::MemoryDc dc(nullptr);
  const win::DibSection expected = win::CreateDibSection(size.cx, size.cy);
  const win::SelectGuard selected(dc.Get(), expected.Handle.Get());
  PatBlt(dc.Get(), 0, 0, size.cx, size.cy, BLACKNESS);
  const auto erase = [&](const RECT& area) { FillRect(dc.Get(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); };
  const auto tick = [&](int ticks, const RECT* covered = nullptr) {
    for (int i = 0; i < ticks; ++i) {
      const auto kind = static_cast<TimerKind>(i % 3);
      window.Tick(kind);
      const int saved = SaveDC(dc.Get());
      if (covered) ExcludeClipRect(dc.Get(), covered->left, covered->top, covered->right, covered->bottom);
      GdiFlowerCanvas canvas(dc.Get(), size, window.DrawWidth(), PetalPath::EveryPetal);
      reference.Tick(kind, window.ReadPatternParams(), canvas);
      RestoreDC(dc.Get(), saved);
    }
  };
  const auto expectShown = [&](const char* when) {
    window.ShowCanvas();
    GdiFlush();
    const testing_support::Pixels shown = testing_support::ClientPixels(window.Handle());
    int differ = 0, lit = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        const std::uint32_t p = expected.Pixels[static_cast<std::size_t>(y) * size.cx + x];
        const COLORREF want = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
        differ += shown.At(x, y) != want;
        lit += want != RGB(0, 0, 0);
      }
    EXPECT_EQ(differ, 0) << when;
    EXPECT_GT(lit, size.cx * size.cy / 20) << when;
  };

  tick(300);
  expectShown("after the first ticks");

  // Ticks not yet shown, then two parts of the window repainted.
  tick(5);
  const RECT left{size.cx / 5, 0, size.cx / 2, size.cy / 2}, right{size.cx / 2, size.cy / 3, size.cx * 4 / 5, size.cy};
  InvalidateRect(window.Handle(), &left, TRUE);
  InvalidateRect(window.Handle(), &right, TRUE);
  UpdateWindow(window.Handle());
  erase(left);
  erase(right);
  tick(80);
  expectShown("after a repaint of two parts");

  // Ticks under the open mixer panel, which the window does not show; its
  // place is erased when it closes.
  RunMenu(kMenuDeploy);
  UpdateWindow(window.Handle());
  RECT panel{};
  GetWindowRect(window.Panel().Handle(), &panel);
  MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&panel), 2);
  tick(120, &panel);
  window.Panel().HidePanel();
  UpdateWindow(window.Handle());
  erase(panel);
  tick(80);
  expectShown("after the panel closed");
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
  window.ShowCanvas();

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
  window.ShowCanvas();
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
