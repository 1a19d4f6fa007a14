// Opens the capture from the flower window's menu and drags out a region,
// for a screenshot (see look_test.cpp):
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='CaptureLook.*'
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

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

TEST_F(CaptureLook, ARegionWithItsLabelsHandlesAndStrip) {
  const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS");
  if (!seconds || std::atof(seconds) <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  Open();
  // Some flowers first, so the frozen picture has something to show.
  testing_support::WaitUntil([&] { return window.Engine().Slots()[0].Petals + window.Engine().Slots()[1].Petals > 0; },
                             20000);
  testing_support::PumpFor(2500);
  RECT frame{}, item{};
  GetWindowRect(window.Handle(), &frame);
  GetMenuItemRect(window.Handle(), GetMenu(window.Handle()), 5, &item);  // "截屏(screenshot)"
  lookScript = [&] {
    testing_support::Drag(nullptr, {frame.left + 120, frame.top + 90}, {frame.left + 560, frame.top + 300},
                          Delivery::Real);
    testing_support::MoveMouse(nullptr, {frame.left + 520, frame.top + 270}, Delivery::Real);
    testing_support::PumpFor(static_cast<DWORD>(std::atof(seconds) * 1000));
    testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  };
  SetTimer(nullptr, 0, 20, &RunLookScript);
  const POINT entry{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  testing_support::WhilePumping([&] { testing_support::Click(nullptr, entry, Delivery::Real); });
  testing_support::WaitUntil([] { return !FindWindowW(win::kCaptureWindowClass, nullptr); },
                             static_cast<DWORD>(std::atof(seconds) * 1000) + 5000);
}

}  // namespace
}  // namespace quillane
