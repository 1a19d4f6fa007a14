// Opens the capture over the flower window with a region dragged out, for a
// screenshot (see look_test.cpp):
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='CaptureLook.*'
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "capture/frm_screen_capture.h"
#include "input_driver.h"
#include "main_window_fixture.h"
#include "waiting.h"

namespace quillane {
namespace {

using CaptureLook = testing_support::MainWindowTest;

TEST_F(CaptureLook, ARegionWithItsLabelsHandlesAndStrip) {
  const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS");
  if (!seconds || std::atof(seconds) <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  Open();
  // Some flowers first, so the frozen picture has something to show.
  testing_support::WaitUntil([&] { return window.Engine().Slots()[0].Petals + window.Engine().Slots()[1].Petals > 0; },
                             20000);
  testing_support::PumpFor(2500);
  win::Owned<capture::FrmScreenCapture> capture(capture::CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(window.Handle()));
  ShowWindow(capture.Handle(), SW_SHOW);
  RECT frame{};
  GetWindowRect(window.Handle(), &frame);
  using testing_support::Delivery;
  testing_support::Drag(nullptr, {frame.left + 120, frame.top + 90}, {frame.left + 560, frame.top + 300},
                        Delivery::Real);
  testing_support::MoveMouse(nullptr, {frame.left + 520, frame.top + 270}, Delivery::Real);
  testing_support::PumpFor(static_cast<DWORD>(std::atof(seconds) * 1000));
}

}  // namespace
}  // namespace quillane
