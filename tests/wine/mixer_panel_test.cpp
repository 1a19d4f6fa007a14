#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "main_window_fixture.h"
#include "input_driver.h"
#include "test_windows.h"
#include "util/numbers.h"
#include "win32/message_loop.h"

namespace quillane {
namespace {

class MixerPanelTest : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    random.After = testing_support::ScriptedRandom::AfterScript::NeverStart;
    Open();
    StopTimers();
  }

  // A key press as the message loop delivers it to the focused control.
  void PressKey(UINT key) { testing_support::PressKey(key, testing_support::Delivery::Posted); }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  int Position(int id) { return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0)); }
};

TEST_F(MixerPanelTest, HiddenAtOpenShownByDeployHiddenByClose) {
  EXPECT_FALSE(window.Panel().Visible());
  RunMenu(kMenuDeploy);
  EXPECT_TRUE(window.Panel().Visible());
  EXPECT_EQ(testing_support::WindowText(Control(kCommand1)), L"关闭close");
  Click(kCommand1);
  EXPECT_FALSE(window.Panel().Visible());
  RunMenu(kMenuDeploy);
  EXPECT_TRUE(window.Panel().Visible());
}

TEST_F(MixerPanelTest, ControlsSitWhereTheDesignPutsThem) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
  const RECT frame = testing_support::PlaceInParent(window.Panel().Handle());
  EXPECT_EQ(frame.left, px(-30));
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right - frame.left, px(2625));
  EXPECT_EQ(frame.bottom - frame.top, px(3375));
  struct Expected {
    int Id, Left, Top, Width, Height;
  };
  for (const Expected& e : {Expected{kHScroll1, 750, 420, 1815, 255}, Expected{kHScroll7, 750, 420, 1815, 255},
                            Expected{kHScroll2, 750, 420, 1815, 255}, Expected{kHScroll3, 750, 960, 1815, 255},
                            Expected{kHScroll6, 750, 1500, 1815, 255}, Expected{kOption2, 1680, 1830, 885, 465},
                            Expected{kCommand4, 120, 2400, 1095, 375}, Expected{kCommand1, 1320, 2880, 1185, 375},
                            Expected{kText1, 840, 3360, 915, 375}}) {
    const RECT r = testing_support::PlaceInParent(Control(e.Id));
    EXPECT_EQ(r.left, px(e.Left)) << e.Id;
    EXPECT_EQ(r.top, px(e.Top)) << e.Id;
    // A caption the replacement font makes wider may grow its control.
    EXPECT_GE(r.right - r.left, px(e.Width)) << e.Id;
    EXPECT_GE(r.bottom - r.top, px(e.Height)) << e.Id;
    EXPECT_LE(r.right - r.left, px(e.Width) + 8) << e.Id;
  }
  EXPECT_FALSE(IsWindowVisible(Control(kText1)));
  EXPECT_EQ(testing_support::WindowText(Control(kText1)), L"9.005");
  EXPECT_EQ(SendMessageW(Control(kOption2), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(kOption1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(MixerPanelTest, SlidersHaveTheirRangesAndStartValues) {
  struct Expected {
    int Id, Min, Max, Start;
  };
  for (const Expected& e : {Expected{kHScroll1, 10, 200, 160}, Expected{kHScroll2, 1, 10, 1},
                            Expected{kHScroll3, 1, 10, 5}, Expected{kHScroll4, 1, 10, 1}, Expected{kHScroll5, 1, 10, 3},
                            Expected{kHScroll6, 2, 10, 2}, Expected{kHScroll7, 1, 100, 1}}) {
    EXPECT_EQ(SendMessageW(Control(e.Id), TBM_GETRANGEMIN, 0, 0), e.Min) << e.Id;
    EXPECT_EQ(SendMessageW(Control(e.Id), TBM_GETRANGEMAX, 0, 0), e.Max) << e.Id;
    EXPECT_EQ(Position(e.Id), e.Start) << e.Id;
  }
  const PatternParams params = window.ReadPatternParams();
  EXPECT_EQ(params.FlowerCount, 1);
  EXPECT_EQ(params.Size, 5);
  EXPECT_EQ(params.PetalCount, 3);
  EXPECT_FLOAT_EQ(params.ScaleFloor, 9.005f);
  // The pen keeps its designed width until the line-width slider moves.
  EXPECT_EQ(window.DrawWidth(), 90);
}

TEST_F(MixerPanelTest, TabReachesEverySliderInOrderAlsoTheCoveredOnes) {
  RunMenu(kMenuDeploy);
  SetFocus(Control(kHScroll1));
  for (int id = kHScroll2; id <= kHScroll7; ++id) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(id)) << "after tab, expected slider " << id - kHScroll1 + 1;
  }
}

TEST_F(MixerPanelTest, AKeyboardMoveOfACoveredSliderShapesTheNextFlowers) {
  RunMenu(kMenuDeploy);
  SetFocus(Control(kHScroll1));
  for (int i = 0; i < 4; ++i) PressKey(VK_TAB);  // to HScroll5, the petal count, under HScroll4
  ASSERT_EQ(GetFocus(), Control(kHScroll5));
  PressKey(VK_END);
  EXPECT_EQ(Position(kHScroll5), 10);
  EXPECT_EQ(window.ReadPatternParams().PetalCount, 10);

  // The next sideways flower takes Int(r x 10 x 5) + 3 petals.
  random.Numbers = {0.0 /* slot 0 */, 0.999 /* petals */};
  window.SetTimerEnabled(TimerKind::Timer2, true);
  SendMessageW(window.Handle(), WM_TIMER, 2, 0);
  EXPECT_EQ(window.Engine().Slots()[0].Petals, 52);
}

TEST_F(MixerPanelTest, MovingTheLineWidthSliderSetsThePenWidth) {
  RunMenu(kMenuDeploy);
  SetFocus(Control(kHScroll1));
  PressKey(VK_HOME);
  EXPECT_EQ(window.DrawWidth(), 10);
  PressKey(VK_RIGHT);
  EXPECT_EQ(window.DrawWidth(), 11);
}

TEST_F(MixerPanelTest, OptionButtonsWriteTheScaleFloor) {
  Click(kOption1);
  EXPECT_EQ(testing_support::WindowText(Control(kText1)), L"0.005");
  EXPECT_FLOAT_EQ(window.ReadPatternParams().ScaleFloor, 0.005f);
  Click(kOption2);
  EXPECT_EQ(testing_support::WindowText(Control(kText1)), L"6.005");
  EXPECT_FLOAT_EQ(window.ReadPatternParams().ScaleFloor, 6.005f);
}

TEST_F(MixerPanelTest, ColourButtonsSwitchTheTimers) {
  Click(kCommand5);
  EXPECT_EQ(Timers(), (std::vector<bool>{false, false, true, true}));
  Click(kCommand4);
  EXPECT_EQ(Timers(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(MixerPanelTest, KeysOnTheCanvasItselfStillEndTheWindow) {
  RunMenu(kMenuDeploy);
  SetFocus(window.Handle());
  PressKey(VK_TAB);
  EXPECT_FALSE(window.Exists());
  EXPECT_EQ(host.SpiCalls.size(), 1u);
}

}  // namespace
}  // namespace quillane
