// Opens the capture over the flower window with a region dragged out, for a
// screenshot (see look_test.cpp):
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='CaptureLook.*'
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "capture/frm_screen_capture.h"
#include "capture_test_support.h"
#include "fake_saver_host.h"
#include "fake_services.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/random_source.h"
#include "startup/run_mode.h"

namespace quillane {
namespace {

TEST(CaptureLook, ARegionWithItsLabelsHandlesAndStrip) {
  const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS");
  if (!seconds || std::atof(seconds) <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  SetRunMode(L"");
  testing_support::FakeSaverHost host;
  SeededRandom random(FreshSeed());
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  win::Owned<FrmScreenSaver> main({host, random, dialogs, shell});
  ASSERT_TRUE(main.Load(WindowPlacement::Normal));
  main.Show();
  capture::testing::PumpFor(1500);

  win::Owned<capture::FrmScreenCapture> window(capture::CaptureServices{dialogs});
  ASSERT_TRUE(window.Open(main.Handle()));
  ShowWindow(window.Handle(), SW_SHOW);
  RECT frame{};
  GetWindowRect(main.Handle(), &frame);
  const POINT from{frame.left + 120, frame.top + 90}, to{frame.left + 560, frame.top + 300};
  capture::testing::Drag(from, to);
  capture::testing::MoveTo({to.x - 40, to.y - 30});
  capture::testing::PumpFor(static_cast<DWORD>(std::atof(seconds) * 1000));
}

}  // namespace
}  // namespace quillane
