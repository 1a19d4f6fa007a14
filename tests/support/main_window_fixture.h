#pragma once
// The main window with stand-ins for the person and the system, for tests
// that drive it. Flowers grow from a seeded run unless a test scripts them.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "fake_saver_host.h"
#include "fake_services.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/main_menu.h"
#include "pattern/run_mode.h"
#include "scripted_random.h"
#include "win32/message_loop.h"
#include "win32/window.h"

namespace quillane::testing_support {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRunMode(L""); }
  void TearDown() override {
    window.Destroy();
    SetRunMode(L"");
  }

  // Loads and shows the window as start-up does.
  void Open(WindowPlacement placement = WindowPlacement::Normal) {
    ASSERT_TRUE(window.Load(placement));
    window.Show();
    win::PumpPendingMessages();
  }
  // All four growth timers off: nothing draws unless the test ticks.
  void StopTimers() {
    for (auto kind : kAllTimers) window.SetTimerEnabled(kind, false);
    win::PumpPendingMessages();
  }
  // A menu command, as a click on its entry sends it.
  void RunMenu(UINT command) { SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
  HWND Control(int id) const { return window.Panel().Control(id); }
  std::vector<bool> Timers() const {
    std::vector<bool> on;
    for (auto kind : kAllTimers) on.push_back(window.TimerEnabled(kind));
    return on;
  }
  // Ticks the timers of `kinds` in turn, as if they ran, and shows the
  // canvas as the next frame would.
  void Tick(int ticks, std::initializer_list<TimerKind> kinds = {TimerKind::Timer1, TimerKind::Timer2}) {
    for (int i = 0; i < ticks; ++i)
      for (TimerKind kind : kinds) window.Tick(kind);
    window.ShowCanvas();
  }

  static constexpr TimerKind kAllTimers[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3,
                                             TimerKind::Timer4};

  FakeSaverHost host;
  ScriptedRandom random{ScriptedRandom::AfterScript::Seeded, 20261208};
  FakeDialogs dialogs;
  FakeShell shell;
  FakeDisk disk;
  win::Owned<FrmScreenSaver> window{{host, random, dialogs, shell, disk}};
};

}  // namespace quillane::testing_support
