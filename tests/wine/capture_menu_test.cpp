#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "capture/app_pointer.h"
#include "input_driver.h"
#include "main_window_fixture.h"
#include "waiting.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using testing_support::Delivery;
using testing_support::WaitUntil;

// Where the flowers are now; it changes with every growth tick.
long long Motion(FlowerEngine& engine) {
  long long sum = 0;
  for (const FlowerSlot& slot : engine.Slots()) sum += slot.CenterX * 7919LL + slot.CenterY * 31LL + slot.Angle;
  return sum;
}

// Runs once the capture window is there, from the loop that runs it.
std::function<void()> scriptInModalLoop;
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  if (!FindWindowW(win::kCaptureWindowClass, nullptr)) return;
  KillTimer(nullptr, id);
  if (scriptInModalLoop) std::exchange(scriptInModalLoop, nullptr)();
}

using CaptureFromTheMenu = testing_support::MainWindowTest;

TEST_F(CaptureFromTheMenu, OpensModallyOverTheGrowingFlowersAndEscClosesIt) {
  Open();
  ASSERT_TRUE(WaitUntil([&] { return Motion(window.Engine()) != 0; }, 20000)) << "no flower started";
  HWND capture = nullptr, owner = nullptr;
  bool mainEnabled = true, grewBehind = false, topmost = false, closed = false;
  scriptInModalLoop = [&] {
    capture = FindWindowW(win::kCaptureWindowClass, nullptr);
    owner = GetWindow(capture, GW_OWNER);
    mainEnabled = IsWindowEnabled(window.Handle()) != FALSE;
    topmost = (GetWindowLongPtrW(capture, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    // A flower grows on every tick; between one's end and the next start a while may pass.
    const long long before = Motion(window.Engine());
    grewBehind = WaitUntil([&] { return Motion(window.Engine()) != before; }, 10000);
    testing_support::PressKey(VK_ESCAPE, Delivery::Real);
    closed = WaitUntil([&] { return !IsWindow(capture); });
    if (!closed) DestroyWindow(capture);  // the test fails, but does not hang
  };
  SetTimer(nullptr, 0, 20, &RunScript);
  RECT item{};
  ASSERT_TRUE(GetMenuItemRect(window.Handle(), GetMenu(window.Handle()), 5, &item));  // "截屏(screenshot)"
  const POINT entry{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ASSERT_TRUE(testing_support::WhilePumping([&] { testing_support::Click(nullptr, entry, Delivery::Real); }));
  ASSERT_TRUE(WaitUntil([&] { return closed; }));

  EXPECT_NE(capture, nullptr);
  EXPECT_EQ(owner, window.Handle());
  EXPECT_TRUE(topmost);
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(grewBehind);
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
  EXPECT_EQ(capture::AppPointer(), capture::Pointer::Default);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  // The main window goes on growing flowers.
  const long long after = Motion(window.Engine());
  EXPECT_TRUE(WaitUntil([&] { return Motion(window.Engine()) != after; }, 10000));
}

}  // namespace
}  // namespace quillane
