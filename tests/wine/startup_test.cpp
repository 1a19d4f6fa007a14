#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "fake_saver_host.h"
#include "fake_services.h"
#include "memory_settings_store.h"
#include <commctrl.h>

#include "config/saver_settings.h"
#include "pattern/random_source.h"
#include "pattern/run_mode.h"
#include "startup/startup.h"
#include "test_windows.h"
#include "win32/message_loop.h"
#include "win32/window_classes.h"

namespace quillane {
namespace {

using testing_support::FakeSaverHost;
using testing_support::PlainWindow;

class StartupTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (window) window->Destroy();
    SetRunMode(L"");
  }
  void Begin(const std::wstring& arguments) { window = BeginLaunch(ParseLaunch(arguments), services); }
  static HWND AnyMainWindow() { return FindWindowW(win::kMainWindowClass, nullptr); }

  FakeSaverHost host;
  SeededRandom random{7};
  int modalConfigs = 0;
  int modelessConfigs = 0;
  testing_support::FakeDialogs dialogs;
  testing_support::FakeShell shell;
  testing_support::MemorySettingsStore settings;
  ProgramServices services{{host, random, dialogs, shell}, settings, [this](bool modal) { ++(modal ? modalConfigs : modelessConfigs); }};
  std::unique_ptr<FrmScreenSaver> window;
};

TEST_F(StartupTest, PreviewParentsTheWindowIntoTheWholePreviewBox) {
  PlainWindow box(L"preview box", 320, 240);
  for (const std::wstring separator : {L" ", L":", L"  :  "}) {
    SCOPED_TRACE(testing::Message() << "separator '" << std::string(separator.begin(), separator.end()) << "'");
    Begin(L"/p" + separator + std::to_wstring(reinterpret_cast<UINT_PTR>(box.Handle())));
    ASSERT_TRUE(window);
    EXPECT_EQ(RunMode(), L"Preview");
    EXPECT_EQ(GetAncestor(window->Handle(), GA_PARENT), box.Handle());
    EXPECT_TRUE(GetWindowLongW(window->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    const SIZE boxSize = testing_support::ClientSize(box.Handle());
    const SIZE size = testing_support::ClientSize(window->Handle());
    EXPECT_EQ(size.cx, boxSize.cx);
    EXPECT_EQ(size.cy, boxSize.cy);

    // Keys never end the preview, and its end tells the system nothing.
    SendMessageW(window->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(IsWindow(window->Handle()));
    window->Destroy();
    EXPECT_TRUE(host.SpiCalls.empty());
    EXPECT_TRUE(host.CursorCalls.empty());
  }
}

// Set by a timer of the test's thread, which only its message loop can run.
std::atomic<bool> previewLooping{false};

TEST_F(StartupTest, PreviewEndsWhenItsBoxIsDestroyedByItsOwner) {
  // Another thread owns the box, as the Display control panel's process does.
  previewLooping = false;
  std::atomic<HWND> box{nullptr};
  std::atomic<bool> loopEnded{false};
  std::atomic<bool> watchdogFired{false};
  const DWORD testThread = GetCurrentThreadId();
  std::thread owner([&] {
    PlainWindow ownBox(L"preview box", 160, 120);
    box = ownBox.Handle();
    // The box goes while the preview's loop runs.
    const ULONGLONG giveUp = GetTickCount64() + 5000;
    while (!previewLooping && GetTickCount64() < giveUp) {
      win::PumpPendingMessages();
      Sleep(1);
    }
    DestroyWindow(ownBox.Handle());
    // Watchdog: a loop that missed the end would wait for ever.
    for (int i = 0; i < 100 && !loopEnded; ++i) Sleep(50);
    if (!loopEnded) {
      watchdogFired = true;
      PostThreadMessageW(testThread, WM_QUIT, 0, 0);
    }
  });
  while (!box) Sleep(5);
  Begin(L"/p " + std::to_wstring(reinterpret_cast<UINT_PTR>(box.load())));
  ASSERT_TRUE(window);
  const HWND preview = window->Handle();
  const UINT_PTR marker = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { previewLooping = true; });
  win::RunUntilClosed(preview);
  KillTimer(nullptr, marker);
  loopEnded = true;
  owner.join();
  win::PumpPendingMessages();
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_FALSE(watchdogFired) << "the loop missed the end of its window";
  EXPECT_FALSE(window->Exists());
  EXPECT_TRUE(host.SpiCalls.empty());
}

TEST_F(StartupTest, PreviewIntoNoWindowUnloadsTheMainWindow) {
  for (const wchar_t* arguments : {L"/p 12", L"/p", L"/p 99999999999"}) {
    SCOPED_TRACE(testing::Message() << "arguments " << std::wstring_view(arguments).size());
    Begin(arguments);
    EXPECT_FALSE(window);
    EXPECT_EQ(AnyMainWindow(), nullptr);
    EXPECT_EQ(RunMode(), L"Preview");
    EXPECT_TRUE(host.SpiCalls.empty());
  }
}

TEST_F(StartupTest, SaverStartsOnlyWhenNoWindowCarriesTheSaversTitle) {
  {
    PlainWindow running(L"Vorsting Flowers", 100, 100);
    Begin(L"/s");
    EXPECT_FALSE(window);
    EXPECT_EQ(AnyMainWindow(), nullptr);
    EXPECT_EQ(RunMode(), L"Vorsting Flowers");
  }
  Begin(L"/S");
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_STYLE) & WS_CAPTION, 0);
  window->Destroy();

  Begin(L"");
  ASSERT_TRUE(window);
  EXPECT_EQ(RunMode(), L"Vorsting Flowers");
  EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
}

TEST_F(StartupTest, ConfigurationAndPasswordSwitchesReachTheirHandlers) {
  Begin(L"/c:1234");
  Begin(L"/C");
  Begin(L"x");
  Begin(L"sx");
  Begin(L"/a");
  EXPECT_FALSE(window);
  EXPECT_EQ(modalConfigs, 2);
  EXPECT_EQ(modelessConfigs, 2);
  EXPECT_EQ(host.PasswordChanges, 1);
  EXPECT_EQ(RunMode(), L"");
  EXPECT_EQ(AnyMainWindow(), nullptr);
}

TEST_F(StartupTest, StoredSettingsShapeTheSaversStartValuesOnlyWhenAllAreWellFormed) {
  const auto store = [this](const std::array<const wchar_t*, 6>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i)
      settings.WriteText(kSettingsApplication, kSettingsSection, kSaverSettingKeys[i], texts[i]);
  };
  const auto sliders = [this] {
    std::vector<int> values;
    for (int id = kHScroll1; id <= kHScroll7; ++id)
      values.push_back(static_cast<int>(SendMessageW(window->Panel().Control(id), TBM_GETPOS, 0, 0)));
    return values;
  };
  // Line width, count, size, petal width, petal count, fork, spin.
  const std::vector<int> designed{160, 1, 5, 1, 3, 2, 1};

  Begin(L"/s");
  ASSERT_TRUE(window);
  EXPECT_EQ(sliders(), designed) << "nothing stored";
  window->Destroy();

  // Qty, Size, Width, Petals, Forked, Speed; "Speed" 0 (fast) is the largest spin.
  store({L"10", L"5", L"0", L"3", L"10", L"0"});
  Begin(L"/s");
  ASSERT_TRUE(window);
  EXPECT_EQ(sliders(), (std::vector<int>{160, 10, 5, 1, 4, 10, 100}));
  window->Destroy();

  PlainWindow box(L"preview box", 200, 150);
  Begin(L"/p " + std::to_wstring(reinterpret_cast<UINT_PTR>(box.Handle())));
  ASSERT_TRUE(window);
  EXPECT_EQ(sliders(), (std::vector<int>{160, 10, 5, 1, 4, 10, 100}));
  window->Destroy();

  store({L"10", L"5", L"0", L"3", L"10", L"11"});
  Begin(L"/s");
  ASSERT_TRUE(window);
  EXPECT_EQ(sliders(), designed) << "one value out of range";
}

class ExitSaverTest : public StartupTest {
 protected:
  void SetUp() override {
    Begin(L"/s");
    ASSERT_TRUE(window);
    for (auto kind : {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3}) window->SetTimerEnabled(kind, false);
  }
  void PressKey() { SendMessageW(window->Handle(), WM_KEYDOWN, 'A', 0); }
  bool Running() const { return window->Exists(); }
};

TEST_F(ExitSaverTest, WithoutPasswordTheFirstKeyEndsTheSaverAndTellsTheSystem) {
  SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  SendMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
  EXPECT_TRUE(Running());

  PressKey();
  EXPECT_FALSE(Running());
  EXPECT_EQ(host.Verifications, 0);
  ASSERT_EQ(host.SpiCalls.size(), 1u);
  EXPECT_EQ(host.SpiCalls[0].Action, 97u);
  EXPECT_EQ(host.SpiCalls[0].Param, 0u);
  EXPECT_EQ(host.SpiCalls[0].BufferBefore, 1u);
  EXPECT_EQ(host.SpiCalls[0].Flags, 0u);
  EXPECT_EQ(host.CursorCalls, std::vector<BOOL>{TRUE});
}

TEST_F(ExitSaverTest, CancelledVerificationKeepsTheSaverWithTheCursorHidden) {
  host.PasswordEnabled = true;
  host.VerifyAnswer = FALSE;
  PressKey();
  EXPECT_TRUE(Running());
  EXPECT_EQ(host.Verifications, 1);
  EXPECT_EQ(host.VerifiedWindow, window->Handle());
  EXPECT_EQ(host.CursorCount, 0);
  EXPECT_EQ(host.CursorCalls, (std::vector<BOOL>{TRUE, FALSE}));
  EXPECT_TRUE(host.SpiCalls.empty());

  PressKey();
  EXPECT_TRUE(Running());
  EXPECT_EQ(host.Verifications, 2);
}

TEST_F(ExitSaverTest, PassedVerificationEndsTheSaver) {
  host.PasswordEnabled = true;
  host.VerifyAnswer = TRUE;
  PressKey();
  EXPECT_FALSE(Running());
  EXPECT_EQ(host.Verifications, 1);
  EXPECT_EQ(host.CursorCalls, (std::vector<BOOL>{TRUE, TRUE}));
  ASSERT_EQ(host.SpiCalls.size(), 1u);
  EXPECT_EQ(host.SpiCalls[0].Action, static_cast<UINT>(SPI_SCREENSAVERRUNNING));
}

TEST_F(ExitSaverTest, AKeyEndsAWindowStartedWithoutArguments) {
  window->Destroy();
  host.SpiCalls.clear();
  host.CursorCalls.clear();
  Begin(L"");
  ASSERT_TRUE(window);
  SendMessageW(window->Handle(), WM_KEYDOWN, 'A', 0);
  EXPECT_FALSE(Running());
  EXPECT_EQ(host.SpiCalls.size(), 1u);
}

}  // namespace
}  // namespace quillane
