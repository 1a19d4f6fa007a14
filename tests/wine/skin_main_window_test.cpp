// The main window wears the skin from the start, in every placement, and its
// mixer buttons show it with hover, press and fade.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fake_saver_host.h"
#include "fake_services.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/main_menu.h"
#include "scripted_random.h"
#include "skin/skinner.h"
#include "skin_test_support.h"
#include "waiting.h"
#include "pattern/run_mode.h"
#include "test_windows.h"
#include "win32/gdi.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using testing_support::ButtonType;
using testing_support::Property;
using testing_support::ShownPixel;
using testing_support::WaitUntil;

class SkinMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRunMode(L"");
    ASSERT_EQ(skin::SkinnedCount(), 0);
    gdiBefore = win::LiveGdiObjects();
  }
  void TearDown() override {
    owned.reset();
    SetRunMode(L"");
    EXPECT_EQ(skin::SkinnedCount(), 0);
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  }
  void StopTimers() {
    for (auto kind : {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3, TimerKind::Timer4})
      owned->SetTimerEnabled(kind, false);
  }
  int Descendants() const { return testing_support::CountDescendants(owned->Handle()); }
  HWND Control(int id) { return owned->Panel().Control(id); }
  // Loaded, shown and still, with the mixer deployed; false when it did not load.
  bool ShowWithMixer() {
    if (!owned->Load(WindowPlacement::Normal)) return false;
    owned->Show();
    StopTimers();
    SendMessageW(owned->Handle(), WM_COMMAND, kMenuDeploy, 0);
    UpdateWindow(owned->Handle());
    return true;
  }
  // The middle of a push button's left edge and of the column inside it:
  // the border, and the ring that tells hot and pressed from normal.
  static unsigned Edge(HWND button, int x) {
    RECT r{};
    GetWindowRect(button, &r);
    return ShownPixel(button, x, (r.bottom - r.top) / 2);
  }

  // A new main window object; the old one goes with its fonts and brushes.
  void NewWindow() {
    owned.reset();
    owned = std::make_unique<win::Owned<FrmScreenSaver>>(MainWindowServices{host, random, dialogs, shell});
  }

  std::int64_t gdiBefore = 0;
  testing_support::FakeSaverHost host;
  testing_support::ScriptedRandom random{testing_support::ScriptedRandom::AfterScript::NeverStart};
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  std::unique_ptr<win::Owned<FrmScreenSaver>> owned = std::make_unique<win::Owned<FrmScreenSaver>>(
      MainWindowServices{host, random, dialogs, shell});
};

TEST_F(SkinMainWindowTest, EveryPlacementIsSkinnedBeforeItIsShown) {
  for (WindowPlacement placement : {WindowPlacement::Normal, WindowPlacement::FullScreen}) {
    NewWindow();
    ASSERT_TRUE(owned->Load(placement));
    EXPECT_FALSE(IsWindowVisible(owned->Handle()));
    EXPECT_TRUE(skin::IsSkinned(owned->Handle()));
    EXPECT_EQ(skin::SkinnedCount(), 1 + Descendants());
    for (int id : {kCommand4, kCommand5, kCommand1}) EXPECT_EQ(ButtonType(Control(id)), BS_OWNERDRAW) << id;
    for (int id : {kOption1, kOption2}) EXPECT_EQ(ButtonType(Control(id)), BS_AUTORADIOBUTTON) << id;
    owned.reset();
    EXPECT_EQ(skin::SkinnedCount(), 0);
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  }
}

// The preview box belongs to another program: the skin stays inside ours.
TEST_F(SkinMainWindowTest, InThePreviewBoxTheBoxAndItsOtherControlsAreNotTouched) {
  SetRunMode(L"Preview");
  std::atomic<HWND> box{nullptr};
  std::atomic<bool> quit{false};
  std::thread other([&] {
    testing_support::SkinTestForm panel(L"显示属性");
    box = panel.Handle();
    while (!quit) {
      win::PumpPendingMessages();
      Sleep(5);
    }
  });
  ASSERT_TRUE(WaitUntil([&] { return box.load() != nullptr; }));
  ASSERT_TRUE(owned->Load(WindowPlacement::PreviewChild));
  ASSERT_TRUE(owned->AdoptAsPreviewOf(box));
  ShowWindow(owned->Handle(), SW_SHOW);
  win::PumpPendingMessages();
  EXPECT_TRUE(skin::IsSkinned(owned->Handle()));
  // A release refreshes the marks beside the window, an activation spreads.
  SendMessageW(owned->Handle(), WM_LBUTTONUP, 0, 0);
  SendMessageW(owned->Handle(), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(box.load()));
  EXPECT_FALSE(skin::IsSkinned(box));
  EXPECT_EQ(ButtonType(GetDlgItem(box, IDOK)), BS_DEFPUSHBUTTON);
  EXPECT_EQ(Property(GetDlgItem(box, IDOK), L"PROCADDR"), 0);
  owned->Destroy();
  quit = true;
  other.join();
}

TEST_F(SkinMainWindowTest, MixerButtonsShowTheSkinHoverPressAndFade) {
  ASSERT_TRUE(ShowWithMixer());
  testing_support::MoveMouse(nullptr, {0, 0}, testing_support::Delivery::Real);
  win::PumpPendingMessages();
  for (int id : {kCommand4, kCommand5, kCommand1}) EXPECT_EQ(Edge(Control(id), 0), 0x1B8FD5u) << id;

  // One hovered, one at rest.
  testing_support::MoveMouse(Control(kCommand4), testing_support::Middle(Control(kCommand4)), testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return Property(Control(kCommand4), L"OLDSTATE") == 1; }));
  ASSERT_TRUE(WaitUntil([&] { return Property(Control(kCommand4), L"TIMERID") == 0; }, testing_support::kFadeWaitMs));
  EXPECT_EQ(Edge(Control(kCommand4), 1), 0x4CC3FBu) << "hot ring";
  EXPECT_NE(Edge(Control(kCommand5), 1), 0x4CC3FBu) << "at rest";

  // A real click: then a fade (back to normal, or to hot again as the
  // pointer stays) that runs over time and is not cut short by the repaint
  // the button asks for on its release.
  testing_support::Click(Control(kCommand5), testing_support::Middle(Control(kCommand5)), testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return owned->TimerEnabled(TimerKind::Timer3); })) << "the click reached the button";
  EXPECT_NE(Property(Control(kCommand5), L"OLDSTATE"), 2);
  ASSERT_TRUE(WaitUntil([&] { return Property(Control(kCommand5), L"ALPHALEVEL") >= 150; }, testing_support::kFadeWaitMs));
  EXPECT_NE(Property(Control(kCommand5), L"TIMERID"), 0) << "still fading";
  testing_support::MoveMouse(nullptr, {0, 0}, testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] {
    return Property(Control(kCommand5), L"TIMERID") == 0 && Property(Control(kCommand4), L"TIMERID") == 0 &&
           Property(Control(kCommand4), L"MOUSEFLAG") == 0;
  }, testing_support::kFadeWaitMs));
  for (int id : {kCommand4, kCommand5}) {
    EXPECT_EQ(Edge(Control(id), 0), 0x1B8FD5u) << id;
    EXPECT_NE(Edge(Control(id), 1), 0x4CC3FBu) << id;
    EXPECT_NE(Edge(Control(id), 1), 0x3AB9F9u) << id;
  }
}

// "曲体 song" and "柱体column" wear the skin's circle at their left, the
// green dot on the chosen one, over the mixer's own colours.
TEST_F(SkinMainWindowTest, OptionButtonsShowTheSkinsCircleAndFollowClicksAndArrowKeys) {
  ASSERT_TRUE(ShowWithMixer());
  win::PumpPendingMessages();
  // Pixels of the dot's middle row, of the ring and of the caption.
  const auto count = [&](int id, unsigned colour) {
    const testing_support::Pixels shown = testing_support::ClientPixels(Control(id));
    int n = 0;
    for (COLORREF c : shown.Data) n += testing_support::RgbOf(c) == colour;
    return n;
  };
  const auto expectChosen = [&](int chosen, const wchar_t* floor, const char* how) {
    ASSERT_TRUE(WaitUntil([&] { return testing_support::WindowText(Control(kText1)) == floor; })) << how;
    win::PumpPendingMessages();
    for (int id : {kOption1, kOption2}) {
      EXPECT_EQ(SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED, id == chosen) << how << ", " << id;
      EXPECT_EQ(count(id, 0x47A812), id == chosen ? 3 : 0) << how << ": the green dot, " << id;
      EXPECT_GT(count(id, 0x83A6D2), 0) << how << ": the skin's circle, " << id;
      EXPECT_GT(count(id, 0x80FFFF), 0) << how << ": the caption keeps its colour, " << id;
      EXPECT_EQ(testing_support::ShownPixel(Control(id), 0, 0), 0x3F671Du) << how << ": on the panel's green, " << id;
    }
  };
  expectChosen(kOption2, L"9.005", "at the start");

  testing_support::Click(Control(kOption1), testing_support::Middle(Control(kOption1)), testing_support::Delivery::Real);
  expectChosen(kOption1, L"0.005", "clicked");
  testing_support::PressKey(VK_RIGHT, testing_support::Delivery::Real);
  expectChosen(kOption2, L"6.005", "arrow key");
  testing_support::PressKey(VK_UP, testing_support::Delivery::Real);
  expectChosen(kOption1, L"0.005", "arrow key back");
  for (int id : {kOption1, kOption2}) {
    EXPECT_TRUE(skin::IsSkinned(Control(id)));
    EXPECT_EQ(ButtonType(Control(id)), BS_AUTORADIOBUTTON);
  }
}

// The capture window opened from the skinned main window wears the skin;
// closed by its own right click, it leaves no skinned window and no GDI
// object behind, and the main window stays skinned.
TEST_F(SkinMainWindowTest, TheCaptureWindowIsSkinnedAndClosingItselfLeavesNothingBehind) {
  ASSERT_TRUE(owned->Load(WindowPlacement::Normal));
  owned->Show();
  StopTimers();
  SetForegroundWindow(owned->Handle());
  win::PumpPendingMessages();
  const int skinned = skin::SkinnedCount();
  const auto gdi = win::LiveGdiObjects();
  HWND capture = nullptr;
  bool skinnedWhileOpen = false, closedByClick = false;
  testing_support::WhenCaptureShows([&](HWND window) {
    capture = window;
    skinnedWhileOpen = WaitUntil([&] { return skin::IsSkinned(window); });
    testing_support::Click(window, {20, 20}, testing_support::Delivery::Real, testing_support::MouseButton::Right);
    closedByClick = WaitUntil([&] { return !IsWindow(window); });
    if (!closedByClick) DestroyWindow(window);  // the test fails, but does not hang
  });
  SendMessageW(owned->Handle(), WM_COMMAND, kMenuScreenshot, 0);  // returns when the capture has closed
  ASSERT_NE(capture, nullptr);
  EXPECT_TRUE(skinnedWhileOpen);
  EXPECT_TRUE(closedByClick);
  EXPECT_EQ(skin::SkinnedCount(), skinned);
  EXPECT_EQ(win::LiveGdiObjects(), gdi);
  EXPECT_TRUE(skin::IsSkinned(owned->Handle()));
}

}  // namespace
}  // namespace quillane
