// Opens the capture over the flower window, drags out a region, chooses the
// rectangle tool and rests the pointer on the text tool, for a screenshot
// (see look_test.cpp):
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

using CaptureLook = testing_support::MainWindowTest;

TEST_F(CaptureLook, ARegionWithItsToolbarAndOptionsPanel) {
  const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS");
  if (!seconds || std::atof(seconds) <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  Open();
  // Some flowers first, so the frozen picture has something to show.
  testing_support::WaitUntil([&] { return window.Engine().Slots()[0].Petals + window.Engine().Slots()[1].Petals > 0; },
                             20000);
  testing_support::PumpFor(2500);
  RECT frame{};
  GetWindowRect(window.Handle(), &frame);
  win::Owned<capture::FrmScreenCapture> capture(capture::CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(window.Handle()));
  const auto middle = [&](int button) {
    const capture::PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    return POINT{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  };
  lookScript = [&] {
    testing_support::Drag(nullptr, {frame.left + 120, frame.top + 90}, {frame.left + 560, frame.top + 300},
                          Delivery::Real);
    testing_support::Click(capture.Strip(), middle(capture::kRectangleTool), Delivery::Real);
    testing_support::MoveMouse(capture.Strip(), middle(capture::kTextTool), Delivery::Real);
    testing_support::PumpFor(static_cast<DWORD>(std::atof(seconds) * 1000));
    testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  };
  SetTimer(nullptr, 0, 20, &RunLookScript);
  capture.RunModal(window.Handle());
}

}  // namespace
}  // namespace quillane
