// The capture tool opened from the skinned main window: it takes the skin
// while its pictures keep their look, its save dialog and error box take it
// too, and closing it from its own mouse handler leaves the skin and the GDI
// objects as they were.
#include <windows.h>
#include <gtest/gtest.h>

#include "capture/frm_screen_capture.h"
#include "dialog_script.h"
#include "input_driver.h"
#include "main_window_fixture.h"
#include "pixel_probe.h"
#include "skin/skinner.h"
#include "skin_test_support.h"
#include "waiting.h"
#include "win32/design_table.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using testing_support::Delivery;
using testing_support::WaitUntil;

// The capture's window of that class at that place (its strip, a handle).
HWND ChildAt(HWND capture, POINT client) {
  return ChildWindowFromPointEx(capture, client, CWP_SKIPINVISIBLE);
}

class SkinCaptureTest : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    StopTimers();
    ASSERT_TRUE(skin::IsSkinned(window.Handle()));
    skinnedBefore = skin::SkinnedCount();
    gdiBefore = win::LiveGdiObjects();
  }
  void ExpectAllBackAndTheMainWindowSkinned() {
    EXPECT_EQ(skin::SkinnedCount(), skinnedBefore);
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
    EXPECT_TRUE(skin::IsSkinned(window.Handle()));
    EXPECT_EQ(testing_support::ButtonType(Control(kCommand4)), BS_OWNERDRAW);
  }
  int skinnedBefore = 0;
  std::int64_t gdiBefore = 0;
};

// With a region, its handles and the toolbar shown: the pictures keep their
// look, and closing from the capture's own mouse handler leaves nothing.
TEST_F(SkinCaptureTest, ItsPicturesKeepTheirLookAndClosingItselfLeavesNothing) {
  // The strip and a handle as they look without the skin.
  testing_support::Pixels plainStrip, plainHandle;
  {
    win::Owned<capture::FrmScreenCapture> plain(capture::CaptureServices{dialogs});
    ASSERT_TRUE(plain.Open(nullptr));
    ShowWindow(plain.Handle(), SW_SHOW);
    testing_support::Drag(plain.Handle(), {100, 100}, {420, 340}, Delivery::Real);
    plainStrip = testing_support::ClientPixels(plain.Strip());
    plainHandle = testing_support::ClientPixels(plain.HandleWindow(6));
  }
  win::PumpPendingMessages();
  gdiBefore = win::LiveGdiObjects();

  bool skinned = false, stripSkinned = false, closed = false;
  testing_support::Pixels strip, handle;
  testing_support::WhenCaptureShows([&](HWND capture) {
    skinned = WaitUntil([&] { return skin::IsSkinned(capture); });
    testing_support::Drag(capture, {100, 100}, {420, 340}, Delivery::Real);
    const HWND stripWindow = ChildAt(capture, {300, 350});
    stripSkinned = skin::IsSkinned(stripWindow);
    strip = testing_support::ClientPixels(stripWindow);
    handle = testing_support::ClientPixels(ChildAt(capture, {419, 339}));
    // A right click cancels the region, the second closes from the release handler.
    testing_support::Click(capture, {200, 200}, Delivery::Real, testing_support::MouseButton::Right);
    testing_support::Click(capture, {200, 200}, Delivery::Real, testing_support::MouseButton::Right);
    closed = WaitUntil([&] { return !IsWindow(capture); });
    if (!closed) DestroyWindow(capture);
  });
  RunMenu(kMenuScreenshot);
  EXPECT_TRUE(skinned);
  EXPECT_TRUE(stripSkinned);
  EXPECT_TRUE(closed);
  EXPECT_EQ(strip, plainStrip) << "the toolbar keeps its pictures";
  EXPECT_EQ(handle, plainHandle);
  ExpectAllBackAndTheMainWindowSkinned();
}

TEST_F(SkinCaptureTest, ItsSaveDialogAndErrorBoxAreSkinnedAndTheCaptureWaitsForThem) {
  win::SystemDialogs system;
  struct Seen {
    bool Skinned = false;
    bool CaptureDisabled = false;
    bool OnTop = false;
  } dialogSeen, boxSeen;
  const auto look = [](HWND dialog, HWND capture) {
    RECT r{};
    GetWindowRect(dialog, &r);
    const HWND shown = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return Seen{skin::IsSkinned(dialog), !IsWindowEnabled(capture), shown == dialog || IsChild(dialog, shown)};
  };
  bool escIgnored = false, closed = false;
  testing_support::WhenCaptureShows([&](HWND capture) {
    WaitUntil([&] { return skin::IsSkinned(capture); });
    testing_support::Drag(capture, {100, 100}, {420, 340}, Delivery::Real);
    const HWND strip = ChildAt(capture, {300, 350});
    const win::DisplayDpi dpi = win::ScreenDpi();
    const capture::PixelBox button = capture::LayOutToolbar({dpi.X, dpi.Y}).Buttons[capture::kSaveButton];
    const POINT save{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    const testing_support::DialogScript script(
        capture, {[&](HWND dialog) {
                    dialogSeen = look(dialog, capture);
                    PostMessageW(capture, WM_CHAR, VK_ESCAPE, 0);
                    win::PumpPendingMessages();  // the escape handled
                    escIgnored = IsWindow(capture) != FALSE;
                    // A name the export cannot write: its error box follows.
                    testing_support::TypeText(L"shot.webp", Delivery::Real);
                    testing_support::PressKey(VK_RETURN, Delivery::Real);
                    WaitUntil([&] { return !IsWindowVisible(dialog); });
                  },
                  [&](HWND box) {
                    boxSeen = look(box, capture);
                    const HWND ok = GetDlgItem(box, IDOK);
                    testing_support::Click(ok, testing_support::Middle(ok), Delivery::Real);
                  }});
    testing_support::Click(strip, save, Delivery::Real);
    closed = WaitUntil([&] { return !IsWindow(capture); });
    if (!closed) DestroyWindow(capture);
  });
  capture::ShowScreenCapture(window.Handle(), system);
  EXPECT_TRUE(dialogSeen.Skinned && dialogSeen.CaptureDisabled && dialogSeen.OnTop);
  EXPECT_TRUE(boxSeen.Skinned && boxSeen.CaptureDisabled && boxSeen.OnTop);
  EXPECT_TRUE(escIgnored);
  EXPECT_TRUE(closed) << "the region stayed on the clipboard";
  ExpectAllBackAndTheMainWindowSkinned();
}

}  // namespace
}  // namespace quillane
