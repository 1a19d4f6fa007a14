// The system's dialogs shown from a skinned window take the skin when they
// become active. They wait for a person, so each test answers them itself:
// a timer of this thread runs inside the dialog's own loop, looks at the
// dialog, and clicks its buttons with the real pointer.
#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>
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

// A file dialog's request for bitmaps, owned by `owner`, naming into `name`.
OPENFILENAMEW BitmapFileRequest(HWND owner, wchar_t (&name)[MAX_PATH], DWORD flags) {
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = L"图片 (*.bmp)\0*.bmp\0";
  request.lpstrFile = name;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_EXPLORER | flags;
  return request;
}

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

// Dark pixels along the focus mark's top line, inside the frame.
int FocusMarkPixels(HWND button) {
  const testing_support::Pixels shown = testing_support::ClientPixels(button);
  int dark = 0;
  for (int x = 4; x < shown.Width - 4; ++x) {
    const COLORREF c = shown.At(x, 2);
    dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
  }
  return dark;
}

// As the system's own buttons: a button the mouse focused shows no focus
// mark; once Tab moved the focus, the focused button shows one.
TEST_F(SkinDialogTest, TheFocusMarkShowsOnlyOnceTheKeyboardMovedTheFocus) {
  int afterMouse = -1, afterTab = -1, leftBehind = -1;
  bool mouseFocused = false, tabFocused = false;
  DialogScript script(form.Handle(),
                      {[&](HWND box) {
                         const HWND cancel = GetDlgItem(box, IDCANCEL);
                         // Pressed, then released off the button: focused, not pushed.
                         testing_support::MouseDown(cancel, testing_support::Middle(cancel), testing_support::MouseButton::Left,
                                                    testing_support::Delivery::Real);
                         mouseFocused = GetFocus() == cancel;
                         testing_support::MoveMouse(box, {2, 2}, testing_support::Delivery::Real);
                         testing_support::MouseUp(box, {2, 2}, testing_support::MouseButton::Left, testing_support::Delivery::Real);
                         afterMouse = FocusMarkPixels(cancel);
                         testing_support::PressKey(VK_TAB, testing_support::Delivery::Real);
                       },
                       [&](HWND box) {
                         // The new focus mark fades in with the images.
                         testing_support::WaitUntil([&] { return testing_support::Property(GetDlgItem(box, IDOK), L"TIMERID") == 0; },
                                                    testing_support::kFadeWaitMs);
                         tabFocused = GetFocus() == GetDlgItem(box, IDOK);
                         afterTab = FocusMarkPixels(GetDlgItem(box, IDOK));
                         leftBehind = FocusMarkPixels(GetDlgItem(box, IDCANCEL));
                         testing_support::PressKey(VK_ESCAPE, testing_support::Delivery::Real);
                       }});
  EXPECT_EQ(MessageBoxW(form.Handle(), L"继续吗？", L"问题", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(mouseFocused);
  EXPECT_EQ(afterMouse, 0) << "focused by the mouse";
  EXPECT_TRUE(tabFocused);
  EXPECT_GT(afterTab, 4) << "focused by the keyboard";
  EXPECT_EQ(leftBehind, 0);
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
  OPENFILENAMEW request = BitmapFileRequest(form.Handle(), name, OFN_FILEMUSTEXIST);
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

// Every list view and header below `window`.
std::vector<HWND> ListsAndHeaders(HWND window) {
  std::vector<HWND> found;
  EnumChildWindows(window, [](HWND w, LPARAM p) {
    wchar_t cls[32]{};
    GetClassNameW(w, cls, 32);
    if (std::wstring(cls) == WC_LISTVIEWW || std::wstring(cls) == WC_HEADERW) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The save dialog makes its file list anew for every folder: the new list
// and its header are skinned too, and the list's sunken edge is one blue line.
TEST_F(SkinDialogTest, TheSaveDialogsFileListAndHeaderAreSkinnedAfterChangingFolder) {
  std::vector<HWND> before;
  int lists = 0, skinned = 0;
  unsigned edge = 0;
  DialogScript script(form.Handle(),
                      {[&](HWND dialog) {
                         before = ListsAndHeaders(dialog);
                         // Details view, so the list has a header that shows.
                         SendMessageW(dialog, WM_COMMAND, 0xA004, 0);
                         // A folder for a name and the save button: the dialog goes there.
                         for (const int box : {0x47C, 0x480})
                           SendMessageW(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(L"C:\\windows"));
                         const HWND save = GetDlgItem(dialog, IDOK);
                         testing_support::Click(save, testing_support::Middle(save), testing_support::Delivery::Real);
                       },
                       [&](HWND dialog) {
                         const std::vector<HWND> now = ListsAndHeaders(dialog);
                         for (HWND w : now) {
                           ++lists;
                           skinned += skin::IsSkinned(w);
                           wchar_t cls[32]{};
                           GetClassNameW(w, cls, 32);
                           if (std::wstring(cls) == WC_LISTVIEWW && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
                             RECT r{};
                             GetWindowRect(w, &r);
                             edge = testing_support::RgbOf(testing_support::WindowPixels(w).At(0, (r.bottom - r.top) / 2));
                           }
                         }
                         if (now == before) lists = -1;  // the folder did not change
                         PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                       }});
  wchar_t name[MAX_PATH] = L"图";
  OPENFILENAMEW request = BitmapFileRequest(form.Handle(), name, OFN_OVERWRITEPROMPT);
  EXPECT_FALSE(GetSaveFileNameW(&request));
  EXPECT_TRUE(script.Finished());
  EXPECT_GE(lists, 2) << "a new list and its header";
  EXPECT_EQ(skinned, lists);
  EXPECT_EQ(testing_support::Hex(edge), "54A5D5");
}

}  // namespace
}  // namespace quillane
