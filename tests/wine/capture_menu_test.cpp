#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "capture/app_pointer.h"
#include "capture_test_support.h"
#include "fake_saver_host.h"
#include "fake_services.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/random_source.h"
#include "startup/run_mode.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using capture::testing::PumpFor;
using capture::testing::WaitUntil;

// Where the flowers are now; it changes with every growth tick.
long long Motion(FlowerEngine& engine) {
  long long sum = 0;
  for (const FlowerSlot& slot : engine.Slots()) sum += slot.CenterX * 7919LL + slot.CenterY * 31LL + slot.Angle;
  return sum;
}

// Runs once the capture window is there, from the message loop that runs it.
std::function<void()> scriptInModalLoop;
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  if (!FindWindowW(win::kCaptureWindowClass, nullptr)) return;
  KillTimer(nullptr, id);
  if (scriptInModalLoop) std::exchange(scriptInModalLoop, nullptr)();
}

TEST(CaptureFromTheMenu, OpensModallyOverTheGrowingFlowersAndEscClosesIt) {
  SetRunMode(L"");
  testing_support::FakeSaverHost host;
  SeededRandom random(7);
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  win::Owned<FrmScreenSaver> main({host, random, dialogs, shell});
  ASSERT_TRUE(main.Load(WindowPlacement::Normal));
  main.Show();
  PumpFor(200);

  HWND capture = nullptr, owner = nullptr;
  bool mainEnabled = true, grewBehind = false, topmost = false, closed = false;
  scriptInModalLoop = [&] {
    capture = FindWindowW(win::kCaptureWindowClass, nullptr);
    owner = GetWindow(capture, GW_OWNER);
    mainEnabled = IsWindowEnabled(main.Handle()) != FALSE;
    topmost = (GetWindowLongPtrW(capture, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const long long before = Motion(main.Engine());
    PumpFor(300);
    grewBehind = Motion(main.Engine()) != before;
    capture::testing::PressKey(VK_ESCAPE);
    closed = WaitUntil([&] { return !IsWindow(capture); });
    if (!closed) DestroyWindow(capture);  // the test fails, but does not hang
  };
  SetTimer(nullptr, 0, 20, &RunScript);
  RECT item{};
  ASSERT_TRUE(GetMenuItemRect(main.Handle(), GetMenu(main.Handle()), 5, &item));  // "截屏(screenshot)"
  capture::testing::Click({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return closed; }));

  EXPECT_NE(capture, nullptr);
  EXPECT_EQ(owner, main.Handle());
  EXPECT_TRUE(topmost);
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(grewBehind);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_EQ(capture::AppPointer(), capture::Pointer::Default);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  // The main window goes on growing flowers.
  const long long after = Motion(main.Engine());
  PumpFor(100);
  EXPECT_NE(Motion(main.Engine()), after);
}

}  // namespace
}  // namespace quillane
