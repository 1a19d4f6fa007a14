// The main window driven as a person does: real mouse clicks and key presses.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "input_driver.h"
#include "main_window_fixture.h"
#include "test_windows.h"
#include "waiting.h"

namespace quillane {
namespace {

using testing_support::Delivery;
using testing_support::PressKey;
using testing_support::WhilePumping;

class MainWindowInput : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    StopTimers();
  }
  int Position(int id) const { return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0)); }
  std::vector<int> Positions() const {
    std::vector<int> all;
    for (int id = kHScroll1; id <= kHScroll7; ++id) all.push_back(Position(id));
    return all;
  }
  // The screen centre of a menu-bar entry.
  POINT BarEntry(int position) const {
    RECT r{};
    GetMenuItemRect(window.Handle(), GetMenu(window.Handle()), static_cast<UINT>(position), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The screen centre of an item of a shown drop-down.
  static POINT DropDownItem(HMENU menu, int position) {
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  bool InMenu() const {
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(window.Handle(), nullptr), &info);
    return (info.flags & GUI_INMENUMODE) != 0;
  }
};

TEST_F(MainWindowInput, AClickOnASliderRowReachesTheSliderShownThere) {
  RunMenu(kMenuDeploy);
  // Rows where three sliders share a place: the first one the design lists lies on top.
  struct Row {
    int Shown;  // the slider the click must reach
    const wchar_t* Label;
  };
  for (const Row& row : {Row{kHScroll1, L"叶形 leaf"}, Row{kHScroll3, L"大小 size"}, Row{kHScroll5, L"叶数 number"}}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.Label)));
    const std::vector<int> before = Positions();
    const RECT place = testing_support::PlaceInParent(Control(row.Shown));
    const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    testing_support::Click(window.Panel().Handle(), centre, Delivery::Real);
    const std::vector<int> after = Positions();
    // The growth reads what the slider shows.
    EXPECT_EQ(window.ReadPatternParams().*kMixerSliders[static_cast<std::size_t>(row.Shown - kHScroll1)].Field,
              after[row.Shown - kHScroll1]);
    for (int id = kHScroll1; id <= kHScroll7; ++id) {
      if (id == row.Shown)
        EXPECT_NE(after[id - kHScroll1], before[id - kHScroll1]) << "slider " << id - kHScroll1 + 1;
      else
        EXPECT_EQ(after[id - kHScroll1], before[id - kHScroll1]) << "slider " << id - kHScroll1 + 1 << " lies under";
    }
  }
}

TEST_F(MainWindowInput, EverySliderStepsByOneAlsoForAClickInItsChannel) {
  for (int id = kHScroll1; id <= kHScroll7; ++id) {
    const HWND slider = Control(id);
    SendMessageW(slider, TBM_SETPOS, TRUE, SendMessageW(slider, TBM_GETRANGEMIN, 0, 0));
    // A press in the channel near the right end pages towards it, as the system delivers it.
    const SIZE size = testing_support::ClientSize(slider);
    const LPARAM nearRightEnd = MAKELPARAM(size.cx - 12, size.cy / 2);
    SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, nearRightEnd);
    SendMessageW(slider, WM_LBUTTONUP, 0, nearRightEnd);
    EXPECT_EQ(Position(id), SendMessageW(slider, TBM_GETRANGEMIN, 0, 0) + 1) << "slider " << id - kHScroll1 + 1;
    SetFocus(slider);
    PressKey(VK_NEXT, Delivery::Posted);
    EXPECT_EQ(Position(id), SendMessageW(slider, TBM_GETRANGEMIN, 0, 0) + 2) << "page down, slider " << id - kHScroll1 + 1;
  }
}

TEST_F(MainWindowInput, TheSaveDialogFollowsOnlyChoosingSaveItself) {
  RunMenu(kMenuCapture);
  const HMENU bar = GetMenu(window.Handle());
  const POINT file = BarEntry(0), save = BarEntry(kSaveMenuPosition), canvas = testing_support::ScreenPoint(
                                                                             window.Handle(), {600, 200});
  // As a person does: onto the place, then the click; each step handled
  // (the menu opened, the entry lit) before the next.
  const auto handled = [this] { testing_support::WaitUntilHandled(window.Handle()); };
  const auto click = [&](POINT at) {
    testing_support::MoveMouse(nullptr, at, Delivery::Real);
    handled();
    testing_support::Click(nullptr, at, Delivery::Real);
    handled();
  };
  const auto move = [&](POINT at) {
    testing_support::MoveMouse(nullptr, at, Delivery::Real);
    handled();
  };
  const auto press = [&](UINT key) {
    PressKey(key, Delivery::Real);
    handled();
  };
  struct Case {
    const char* Name;
    std::function<void()> Actions;
    std::size_t Saves;
  };
  const Case cases[] = {
      {"save clicked, then clicked again", [&] { click(save); click(save); }, 1},
      {"save clicked, then the canvas", [&] { click(save); click(canvas); }, 1},
      {"save by keyboard: F10, right twice, down, escape twice",
       [&] {
         for (UINT key : {VK_F10, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_ESCAPE}) press(key);
       },
       1},
      {"file opened, pointer across save, menu left", [&] { click(file); move(save); move(file); click(canvas); }, 0},
      {"file opened, pointer across save and back, deploy chosen",
       [&] { click(file); move(save); move(file); click(DropDownItem(GetSubMenu(bar, 0), 0)); }, 0},
      {"file opened, pointer resting on save, escape twice",
       [&] { click(file); move(save); press(VK_ESCAPE); press(VK_ESCAPE); },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    dialogs.SaveRequests.clear();
    dialogs.SaveAnswers = {std::nullopt};
    EXPECT_TRUE(WhilePumping(c.Actions));
    EXPECT_TRUE(testing_support::WaitUntil([&] { return !InMenu(); }, 2000));
    EXPECT_EQ(dialogs.SaveRequests.size(), c.Saves);
    EXPECT_TRUE(window.Exists());
  }
  EXPECT_TRUE(window.Panel().Visible()) << "deploy was chosen";
}

TEST_F(MainWindowInput, KeysGoBackToTheControlThatHadThemWhenTheWindowIsActiveAgain) {
  RunMenu(kMenuDeploy);
  SetFocus(Control(kHScroll3));
  const int size = Position(kHScroll3);
  {
    testing_support::PlainWindow other(L"another program", 300, 200);
    SetForegroundWindow(other.Handle());
    testing_support::WaitUntil([&] { return GetForegroundWindow() == other.Handle(); });
    ASSERT_NE(GetForegroundWindow(), window.Handle());
  }
  SetForegroundWindow(window.Handle());
  EXPECT_TRUE(testing_support::WaitUntil([&] { return GetFocus() == Control(kHScroll3); }));
  PressKey(VK_RIGHT, Delivery::Real);
  EXPECT_TRUE(window.Exists()) << "the arrow reached the canvas and ended the window";
  EXPECT_EQ(Position(kHScroll3), size + 1);
}

TEST_F(MainWindowInput, EnterPressesTheFocusedMixerButton) {
  RunMenu(kMenuDeploy);
  SetFocus(Control(kCommand5));
  PressKey(VK_RETURN, Delivery::Posted);
  EXPECT_EQ(Timers(), (std::vector<bool>{false, false, true, true})) << "one colour";
  SetFocus(Control(kCommand1));
  PressKey(VK_RETURN, Delivery::Real);
  EXPECT_FALSE(window.Panel().Visible());
  EXPECT_TRUE(window.Exists());
}

TEST_F(MainWindowInput, MenuKeysOpenTheFramedWindowsMenuAndOtherKeysEndIt) {
  struct Case {
    const char* Name;
    UINT Key;
    unsigned Modifiers;
    int EscapesToLeave;  // a drop-down takes one more
  };
  for (const Case& c : {Case{"Alt", VK_MENU, testing_support::kNoModifier, 1},
                        Case{"F10", VK_F10, testing_support::kNoModifier, 1},
                        Case{"Alt+F", 'F', testing_support::kAlt, 2}}) {
    SCOPED_TRACE(c.Name);
    bool menuOpened = false;
    EXPECT_TRUE(WhilePumping([&] {
      PressKey(c.Key, Delivery::Real, c.Modifiers);
      menuOpened = testing_support::WaitUntil([&] { return InMenu(); }, 2000);
      for (int i = 0; menuOpened && i < c.EscapesToLeave; ++i) {
        testing_support::WaitUntilHandled(window.Handle());  // the drop-down shown, if any
        PressKey(VK_ESCAPE, Delivery::Real);
      }
      testing_support::WaitUntil([&] { return !InMenu(); }, 2000);
    }));
    EXPECT_TRUE(menuOpened);
    EXPECT_TRUE(window.Exists());
  }
  // The mnemonic of an entry without a drop-down runs it.
  EXPECT_TRUE(WhilePumping([&] {
    PressKey('C', Delivery::Real, testing_support::kAlt);
    testing_support::WaitUntilHandled(window.Handle());
  }));
  EXPECT_TRUE(window.GrabbedPicture()) << "抓图(&capture) ran";
  EXPECT_TRUE(window.Exists());
  EXPECT_TRUE(host.SpiCalls.empty());
  PressKey('X', Delivery::Real, testing_support::kAlt);
  EXPECT_FALSE(window.Exists()) << "Alt+X is no menu key";
}

TEST_F(MainWindowInput, EveryKeyAltIncludedEndsTheFullScreenSaver) {
  window.Destroy();
  Open(WindowPlacement::FullScreen);
  PressKey(VK_MENU, Delivery::Real);
  EXPECT_FALSE(window.Exists());
}

}  // namespace
}  // namespace quillane
