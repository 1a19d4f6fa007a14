// Opens the capture over the flower window, drags out a region, draws a
// rectangle, an ellipse and an arrow in three colours, starts a text and
// rests the pointer on a swatch; or holds a band half dragged out with the
// loupe beside the pointer; for a screenshot (see look_test.cpp):
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='CaptureLook.*'
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

#include "capture/frm_screen_capture.h"
#include "input_driver.h"
#include "main_window_fixture.h"
#include "waiting.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using testing_support::Delivery;

std::function<void()> lookScript;
void CALLBACK RunLookScript(HWND, UINT, UINT_PTR id, DWORD) {
  if (!FindWindowW(win::kCaptureWindowClass, nullptr)) return;
  KillTimer(nullptr, id);
  if (lookScript) std::exchange(lookScript, nullptr)();
}

class CaptureLook : public testing_support::MainWindowTest {
 protected:
  // How long the picture is held for a screenshot; 0 when nobody asked to look.
  static DWORD HoldMilliseconds() {
    const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS");
    return seconds && std::atof(seconds) > 0 ? static_cast<DWORD>(std::atof(seconds) * 1000) : 0;
  }
  // The flower window with some flowers grown, so the frozen picture has something to show; its frame.
  RECT OpenWithFlowers() {
    Open();
    testing_support::WaitUntil(
        [&] { return window.Engine().Slots()[0].Petals + window.Engine().Slots()[1].Petals > 0; }, 20000);
    testing_support::PumpFor(2500);
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    return frame;
  }
};

TEST_F(CaptureLook, ARegionBeingDraggedOutWithTheLoupe) {
  const DWORD hold = HoldMilliseconds();
  if (!hold) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  const RECT frame = OpenWithFlowers();
  win::Owned<capture::FrmScreenCapture> capture(capture::CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(window.Handle()));
  lookScript = [&] {
    const POINT from{frame.left + 120, frame.top + 90}, to{frame.left + 400, frame.top + 260};
    testing_support::MouseDown(nullptr, from, testing_support::MouseButton::Left, Delivery::Real);
    testing_support::MoveMouse(nullptr, to, Delivery::Real);
    testing_support::PumpFor(hold);
    testing_support::MouseUp(nullptr, to, testing_support::MouseButton::Left, Delivery::Real);
    testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  };
  SetTimer(nullptr, 0, 20, &RunLookScript);
  capture.RunModal(window.Handle());
}

TEST_F(CaptureLook, ARegionWithItsToolbarAndOptionsPanel) {
  const DWORD hold = HoldMilliseconds();
  if (!hold) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  const RECT frame = OpenWithFlowers();
  win::Owned<capture::FrmScreenCapture> capture(capture::CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(window.Handle()));
  const auto middle = [&](int button) {
    const capture::PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    return POINT{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  };
  const auto swatch = [&](int index) {
    const capture::PixelBox& b = capture.Pickers().Palette()[static_cast<std::size_t>(index)];
    return POINT{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  };
  lookScript = [&] {
    const auto at = [&](int x, int y) { return POINT{frame.left + x, frame.top + y}; };
    const auto drag = [&](POINT from, POINT to) { testing_support::Drag(nullptr, from, to, Delivery::Real); };
    drag(at(120, 90), at(560, 330));
    testing_support::Click(capture.Strip(), middle(capture::kRectangleTool), Delivery::Real);
    drag(at(150, 120), at(300, 200));
    testing_support::Click(capture.ColourPanel(), swatch(13), Delivery::Real);
    testing_support::Click(capture.Strip(), middle(capture::kEllipseTool), Delivery::Real);
    drag(at(330, 120), at(520, 220));
    testing_support::Click(capture.ColourPanel(), swatch(4), Delivery::Real);
    testing_support::Click(capture.Strip(), middle(capture::kArrowTool), Delivery::Real);
    drag(at(200, 300), at(290, 215));
    testing_support::Click(capture.Strip(), middle(capture::kTextTool), Delivery::Real);
    testing_support::Click(capture.ColourPanel(), swatch(14), Delivery::Real);
    testing_support::Click(nullptr, at(330, 250), Delivery::Real);
    testing_support::TypeText(L"花开了 in bloom", Delivery::Real);
    testing_support::MoveMouse(capture.ColourPanel(), swatch(12), Delivery::Real);
    testing_support::MoveMouse(capture.ColourPanel(), swatch(13), Delivery::Real);
    testing_support::PumpFor(hold);
    testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  };
  SetTimer(nullptr, 0, 20, &RunLookScript);
  capture.RunModal(window.Handle());
}

}  // namespace
}  // namespace quillane
