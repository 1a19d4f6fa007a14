// Opens windows as a person sees them and keeps them up for a screenshot:
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='Look.*'
// then `import -window root shot.png` meanwhile. Skipped in ordinary runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "fake_saver_host.h"
#include "fake_services.h"
#include "pattern/frm_screen_saver.h"
#include "pattern/main_menu.h"
#include "pattern/random_source.h"
#include "skin_test_support.h"
#include "startup/run_mode.h"
#include "win32/message_loop.h"

namespace quillane {
namespace {

double LookSeconds() {
  const char* value = std::getenv("QUILLANE_LOOK_SECONDS");
  return value ? std::atof(value) : 0.0;
}

void KeepShowing(double seconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  while (GetTickCount() < end) {
    win::PumpPendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(Look, MainWindowWithTheMixerPanel) {
  if (LookSeconds() <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  SetRunMode(L"");
  testing_support::FakeSaverHost host;
  SeededRandom random(FreshSeed());
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  win::Owned<FrmScreenSaver> window({host, random, dialogs, shell});
  ASSERT_TRUE(window.Load(WindowPlacement::Normal));
  window.Show();
  SendMessageW(window.Handle(), WM_COMMAND, kMenuDeploy, 0);
  KeepShowing(LookSeconds());
}

// The skinned mixer with the pointer resting on "多 色" and "单 色" at rest.
TEST(Look, MixerWithOneButtonHovered) {
  if (LookSeconds() <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  SetRunMode(L"");
  testing_support::FakeSaverHost host;
  SeededRandom random(FreshSeed());
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  win::Owned<FrmScreenSaver> window({host, random, dialogs, shell});
  ASSERT_TRUE(window.Load(WindowPlacement::Normal));
  window.Show();
  SendMessageW(window.Handle(), WM_COMMAND, kMenuDeploy, 0);
  testing_support::MovePointerTo(testing_support::CentreOf(window.Panel().Control(kCommand4)));
  KeepShowing(LookSeconds());
}

}  // namespace
}  // namespace quillane
