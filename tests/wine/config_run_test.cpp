// Start-up's entry to frmConfig: modal with its own loop, or modeless in the caller's loop.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/frm_config_design.h"
#include "config/registry_settings_store.h"
#include "config/run_config_dialog.h"
#include "waiting.h"

namespace quillane::win {
namespace {

namespace design = frmConfigDesign;

constexpr wchar_t kSettingsKey[] = L"Software\\Vorsting_Flower\\Config";

std::optional<std::wstring> StoredText(const wchar_t* key) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, key, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text);
}

HWND FindDialog() { return FindWindowW(design::kClassName, design::kCaption); }

// What the user does once the modal dialog is up, run from a thread timer
// inside the dialog's own loop.
enum class UserAction { PressEnter, PressEscape, QuitTheProgram };
struct ModalScript {
  UserAction Action = UserAction::PressEnter;
  bool Acted = false;
  int TicksSinceActing = 0;
  bool ForcedClosed = false;
  bool SawVisibleWithoutOwner = false;
};
ModalScript g_script;

void CALLBACK ActOnModalDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindDialog();
  if (!dialog) return;
  if (g_script.Acted) {
    // The dialog ignored the user: end it so the test fails instead of hanging.
    if (++g_script.TicksSinceActing > 100) {
      g_script.ForcedClosed = true;
      DestroyWindow(dialog);
    }
    return;
  }
  g_script.Acted = true;
  g_script.SawVisibleWithoutOwner = IsWindowVisible(dialog) && !GetWindow(dialog, GW_OWNER);
  SendMessageW(GetDlgItem(dialog, design::Slider1(0)), TBM_SETPOS, TRUE, 8);
  switch (g_script.Action) {
    case UserAction::PressEnter:
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
      break;
    case UserAction::PressEscape:
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
      break;
    case UserAction::QuitTheProgram:
      PostQuitMessage(3);
      break;
  }
}

class ConfigRun : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower"); }
  void TearDown() override {
    if (HWND left = FindDialog()) DestroyWindow(left);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower");
  }

  int RunModalWith(UserAction action) {
    g_script = ModalScript{action};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ActOnModalDialog);
    const int result = RunConfigDialog(true, store_);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_script.Acted);
    EXPECT_FALSE(g_script.ForcedClosed) << "the dialog did not answer the user";
    return result;
  }

  RegistrySettingsStore store_;
};

TEST_F(ConfigRun, ModalDialogRunsItsOwnLoopAndEnterConfirms) {
  EXPECT_EQ(RunModalWith(UserAction::PressEnter), IDOK);
  EXPECT_TRUE(g_script.SawVisibleWithoutOwner);
  EXPECT_EQ(FindDialog(), nullptr);
  EXPECT_EQ(StoredText(L"Qty"), L"8");
  // Never stored before: the dialog showed, and Enter stored, the designed position.
  EXPECT_EQ(StoredText(L"Speed"), SettingText(DesignedSliderPosition(5)));
}

TEST_F(ConfigRun, ModalDialogEscapeCancels) {
  EXPECT_EQ(RunModalWith(UserAction::PressEscape), IDCANCEL);
  EXPECT_EQ(FindDialog(), nullptr);
  EXPECT_EQ(StoredText(L"Qty"), std::nullopt);
}

TEST_F(ConfigRun, ModalDialogLeavesAQuitForTheCallersLoop) {
  EXPECT_EQ(RunModalWith(UserAction::QuitTheProgram), IDCANCEL);
  EXPECT_EQ(FindDialog(), nullptr);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_EQ(StoredText(L"Qty"), std::nullopt);
}

TEST_F(ConfigRun, ModelessDialogReturnsAtOnceAndEndsTheCallersLoop) {
  ASSERT_EQ(RunConfigDialog(false, store_), 0);
  HWND dialog = FindDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  SendMessageW(GetDlgItem(dialog, design::Slider1(5)), TBM_SETPOS, TRUE, 6);
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);

  // The program's loop, bounded so a fault fails instead of hanging.
  MSG message{};
  EXPECT_TRUE(testing_support::WaitUntil(
      [&] { return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; }, 5000));
  EXPECT_EQ(FindDialog(), nullptr);
  EXPECT_EQ(StoredText(L"Speed"), L"6");
  EXPECT_EQ(StoredText(L"Qty"), L"0");
}

}  // namespace
}  // namespace quillane::win
