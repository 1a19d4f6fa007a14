#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "main_window_fixture.h"
#include "test_windows.h"
#include "win32/gdi.h"

namespace quillane {
namespace {

using testing_support::PixelsDifferentFrom;

class MainMenuTest : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
  }

  void Click(UINT command) { RunMenu(command); }
  void GrowSomeFlowers() { Tick(600); }
  std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[128]{};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
  }
};

TEST_F(MainMenuTest, TheBarHoldsEveryEntryInOrder) {
  const HMENU bar = GetMenu(window.Handle());
  ASSERT_NE(bar, nullptr);
  const std::vector<std::wstring> expected{L"文件(&file)",   L"抓图(&capture)", L"保存(save)",     L"绘图(drawing)",
                                           L"暂停(pause)",   L"截屏(screenshot)", L"清除(remove)", L"帮助(help)"};
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(expected.size()));
  for (int i = 0; i < GetMenuItemCount(bar); ++i) EXPECT_EQ(MenuText(bar, i), expected[i]) << i;
  const HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(MenuText(file, 0), L"调配(&deploy)");
  EXPECT_EQ(MenuText(file, 1), L"背景色(&B color)");
  EXPECT_EQ(MenuText(file, 2), L"恢复背景色(&restorB color)");
  EXPECT_EQ(MenuText(GetSubMenu(bar, 2), 0), L"图案较大存图时稍等");
  EXPECT_EQ(MenuText(GetSubMenu(bar, 7), 0), L"关于Tessmar(on Lonwick)");
  EXPECT_EQ(GetSubMenu(bar, 1), nullptr);  // entries that act when clicked
}

TEST_F(MainMenuTest, DrawingAndPauseSwitchThreeTimersAndLeaveTimer4) {
  Click(kMenuPause);
  EXPECT_EQ(Timers(), (std::vector<bool>{false, false, false, false}));
  Click(kMenuDrawing);
  EXPECT_EQ(Timers(), (std::vector<bool>{true, true, true, false}));

  // With one colour running, pause leaves Timer4 going and drawing joins it.
  window.SetTimerEnabled(TimerKind::Timer1, false);
  window.SetTimerEnabled(TimerKind::Timer2, false);
  window.SetTimerEnabled(TimerKind::Timer4, true);
  Click(kMenuPause);
  EXPECT_EQ(Timers(), (std::vector<bool>{false, false, false, true}));
  Click(kMenuDrawing);
  EXPECT_EQ(Timers(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(MainMenuTest, BackgroundColourComesFromTheDialogAndACancelKeepsWhatItHeld) {
  Click(kMenuPause);
  window.SetTimerEnabled(TimerKind::Timer1, true);
  GrowSomeFlowers();
  ASSERT_GT(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
  // Cancelled at its very first use: the dialog held black, and the canvas is repainted in it.
  dialogs.ColourAnswers = {std::nullopt};
  Click(kMenuBackColour);
  EXPECT_EQ(window.BackColour(), RGB(0, 0, 0));
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);

  dialogs.ColourAnswers = {RGB(20, 60, 200)};
  Click(kMenuBackColour);
  EXPECT_EQ(window.BackColour(), RGB(20, 60, 200));
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(20, 60, 200)), 0);

  // A later cancel keeps the colour the dialog last held.
  dialogs.ColourAnswers = {std::nullopt};
  Click(kMenuBackColour);
  EXPECT_EQ(window.BackColour(), RGB(20, 60, 200));
  EXPECT_EQ(dialogs.ColourDialogOpenedWith, (std::vector<COLORREF>{RGB(0, 0, 0), RGB(0, 0, 0), RGB(20, 60, 200)}));

  Click(kMenuRestoreBackColour);
  EXPECT_EQ(window.BackColour(), RGB(0, 0, 0));
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
}

TEST_F(MainMenuTest, SettingTheBackgroundErasesThePatternButFlowersLiveOn) {
  Click(kMenuPause);
  window.SetTimerEnabled(TimerKind::Timer1, true);
  GrowSomeFlowers();
  ASSERT_GT(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
  const auto slotsBefore = window.Engine().Slots();
  dialogs.ColourAnswers = {RGB(255, 255, 255)};
  Click(kMenuBackColour);
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(255, 255, 255)), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(window.Engine().Slots()[i].Petals, slotsBefore[i].Petals);
}

TEST_F(MainMenuTest, ClearErasesTheCanvasAndLeavesTheSlots) {
  Click(kMenuPause);
  window.SetTimerEnabled(TimerKind::Timer1, true);
  GrowSomeFlowers();
  ASSERT_GT(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
  const auto before = window.Engine().Slots();
  Click(kMenuRemove);
  EXPECT_EQ(PixelsDifferentFrom(window.Handle(), RGB(0, 0, 0)), 0);
  const auto after = window.Engine().Slots();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(after[i].Petals, before[i].Petals);
    EXPECT_EQ(after[i].CenterX, before[i].CenterX);
    EXPECT_EQ(after[i].CenterY, before[i].CenterY);
  }
}

TEST_F(MainMenuTest, HelpOpensTheMakersPageThroughTheShell) {
  Click(kMenuAbout);
  ASSERT_EQ(shell.Calls.size(), 1u);
  EXPECT_EQ(shell.Calls[0].Owner, window.Handle());
  EXPECT_EQ(shell.Calls[0].Target, kMakersWebPage);
}

TEST_F(MainMenuTest, GrabHoldsThePixelsOfTheClientArea) {
  Click(kMenuPause);
  window.SetTimerEnabled(TimerKind::Timer1, true);
  GrowSomeFlowers();
  Click(kMenuCapture);
  const win::Picture& picture = window.GrabbedPicture();
  ASSERT_TRUE(picture);
  const SIZE client = testing_support::ClientSize(window.Handle());
  const SIZE size = picture.PixelSize();
  EXPECT_EQ(size.cx, client.cx);
  EXPECT_EQ(size.cy, client.cy);

  int compared = 0, differing = 0, coloured = 0;
  {
    const win::WindowDc screen(window.Handle());
    const win::MemoryDc memory(screen.Get());
    const win::SelectGuard selected(memory.Get(), picture.Bitmap());
    for (int y = 0; y < client.cy; y += 7)
      for (int x = 0; x < client.cx; x += 7) {
        const COLORREF onScreen = GetPixel(screen.Get(), x, y);
        ++compared;
        if (GetPixel(memory.Get(), x, y) != onScreen) ++differing;
        if (onScreen != RGB(0, 0, 0)) ++coloured;
      }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_GT(coloured, 10);
  EXPECT_EQ(differing, 0);

  // A second grab replaces the first.
  const HBITMAP first = picture.Bitmap();
  Click(kMenuCapture);
  EXPECT_NE(window.GrabbedPicture().Bitmap(), nullptr);
  if (window.GrabbedPicture().Bitmap() != first)  // the system may hand the freed handle out again
    EXPECT_EQ(GetObjectType(first), 0u) << "the earlier grab's bitmap is freed";
}

}  // namespace
}  // namespace quillane
