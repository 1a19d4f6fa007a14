// The system's dialogs shown from a skinned window take the skin when they
// become active. They wait for a person, so each test answers them itself:
// a timer of this thread runs inside the dialog's own loop, looks at the
// dialog, and clicks its buttons with the real pointer.
#include <windows.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "skin/skinner.h"
#include "skin_test_support.h"
#include "waiting.h"
#include "test_windows.h"
#include "win32/gdi.h"

namespace quillane {
namespace {

using testing_support::ButtonType;
using testing_support::ShownPixel;
using testing_support::SkinTestForm;

using testing_support::DialogScript;

class SkinDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(skin::SkinnedCount(), 0);
    gdiBefore = win::LiveGdiObjects();
    ASSERT_EQ(skin::StartSkin(form.Handle()), 1);
    SetForegroundWindow(form.Handle());
    win::PumpPendingMessages();
    formWindows = skin::SkinnedCount();
  }
  void TearDown() override {
    EXPECT_EQ(skin::SkinnedCount(), formWindows) << "the dialog's windows were all unskinned";
    form.Destroy();
    EXPECT_EQ(skin::SkinnedCount(), 0);
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  }
  // What a step saw of a skinned push button.
  struct ButtonSeen {
    bool Skinned = false;
    LONG_PTR Type = -1;
    unsigned LeftEdge = 0;
  };
  static ButtonSeen Look(HWND button) {
    RECT r{};
    GetWindowRect(button, &r);
    return {skin::IsSkinned(button), ButtonType(button), ShownPixel(button, 0, (r.bottom - r.top) / 2)};
  }
  static void ExpectSkinnedPushButton(const ButtonSeen& seen, const char* which) {
    EXPECT_TRUE(seen.Skinned) << which;
    EXPECT_EQ(seen.Type, BS_OWNERDRAW) << which;
    EXPECT_EQ(seen.LeftEdge, 0x1B8FD5u) << which;
  }

  std::int64_t gdiBefore = 0;
  int formWindows = 0;
  SkinTestForm form;
};

TEST_F(SkinDialogTest, AMessageBoxIsSkinnedAndItsButtonAnswersAClick) {
  bool boxSkinned = false;
  std::wstring caption;
  ButtonSeen ok;
  DialogScript script(form.Handle(), {[&](HWND box) {
                        boxSkinned = skin::IsSkinned(box);
                        caption = testing_support::WindowText(box);
                        ok = Look(GetDlgItem(box, IDOK));
                        testing_support::Click(GetDlgItem(box, IDOK), testing_support::Middle(GetDlgItem(box, IDOK)), testing_support::Delivery::Real);
                      }});
  EXPECT_EQ(MessageBoxW(form.Handle(), L"皮肤里的消息", L"消息框", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(boxSkinned);
  EXPECT_EQ(caption, L"消息框");
  ExpectSkinnedPushButton(ok, "OK");
}

// The skinned buttons answer the dialog's keys as push buttons: Tab makes
// the next one the default and Enter pushes it.
TEST_F(SkinDialogTest, EnterInASkinnedMessageBoxPushesTheFocusedButton) {
  ButtonSeen no;
  DialogScript script(form.Handle(), {[&](HWND) { testing_support::PressKey(VK_TAB, testing_support::Delivery::Real); },
                                      [&](HWND box) {
                                        no = Look(GetDlgItem(box, IDNO));
                                        testing_support::PressKey(VK_RETURN, testing_support::Delivery::Real);
                                      }});
  EXPECT_EQ(MessageBoxW(form.Handle(), L"要继续吗？", L"问题", MB_YESNO | MB_DEFBUTTON1), IDNO);
  EXPECT_TRUE(script.Finished());
  ExpectSkinnedPushButton(no, "No");
}

TEST_F(SkinDialogTest, AFileDialogIsSkinnedItsCheckBoxKeepsItsLookAndWorks) {
  constexpr int kReadOnly = 0x410;  // the dialog's "open as read-only" box
  bool dialogSkinned = false;
  ButtonSeen open, cancel;
  LONG_PTR checkType = -1;
  bool checkSkinned = false;
  LRESULT checkedAfterClick = -1;
  DialogScript script(form.Handle(),
                      {[&](HWND dialog) {
                         dialogSkinned = skin::IsSkinned(dialog);
                         open = Look(GetDlgItem(dialog, IDOK));
                         cancel = Look(GetDlgItem(dialog, IDCANCEL));
                         const HWND check = GetDlgItem(dialog, kReadOnly);
                         checkType = ButtonType(check);
                         checkSkinned = skin::IsSkinned(check);
                         testing_support::Click(check, testing_support::Middle(check), testing_support::Delivery::Real);
                       },
                       [&](HWND dialog) {
                         checkedAfterClick = SendMessageW(GetDlgItem(dialog, kReadOnly), BM_GETCHECK, 0, 0);
                         testing_support::Click(GetDlgItem(dialog, IDCANCEL), testing_support::Middle(GetDlgItem(dialog, IDCANCEL)), testing_support::Delivery::Real);
                       }});
  wchar_t name[MAX_PATH]{};
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = form.Handle();
  request.lpstrFilter = L"图片 (*.bmp)\0*.bmp\0";
  request.lpstrFile = name;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  EXPECT_FALSE(GetOpenFileNameW(&request));
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "closed by its cancel button";
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(dialogSkinned);
  ExpectSkinnedPushButton(open, "Open");
  ExpectSkinnedPushButton(cancel, "Cancel");
  EXPECT_TRUE(checkSkinned);
  EXPECT_EQ(checkType, BS_AUTOCHECKBOX);
  EXPECT_EQ(checkedAfterClick, BST_CHECKED);
}

}  // namespace
}  // namespace quillane
