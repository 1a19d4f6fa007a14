// The skin on real windows: a dialog-class form with the system's controls.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <vector>
#include <string>
#include <thread>

#include "skin/skinner.h"
#include "skin_test_support.h"
#include "soak.h"
#include "waiting.h"
#include "test_windows.h"
#include "win32/gdi.h"

namespace quillane {
namespace {

using testing_support::ButtonType;
using testing_support::Property;
using testing_support::ShownPixel;
using testing_support::SkinTestForm;
using testing_support::WaitUntil;

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(skin::SkinnedCount(), 0);
    gdiBefore = win::LiveGdiObjects();
  }
  void TearDown() override {
    form.Destroy();
    EXPECT_EQ(skin::SkinnedCount(), 0);
    EXPECT_FALSE(skin::SkinImagesBuilt());
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  }
  HWND Ok() const { return form.Control(SkinTestForm::kOk); }
  HWND Cancel() const { return form.Control(SkinTestForm::kCancel); }
  // The button's fade timer runs one step per call until it stops.
  int RunFadeSteps(HWND button) {
    int steps = 0;
    while (Property(button, L"TIMERID") != 0 && steps < 1000) {
      SendMessageW(button, WM_TIMER, skin::FadeTimerId(), 0);
      ++steps;
    }
    return steps;
  }

  std::int64_t gdiBefore = 0;
  SkinTestForm form;
};

TEST_F(SkinWindowTest, FormAndDescendantsAreSkinnedAndOnlyPushButtonsOwnerDrawn) {
  ASSERT_EQ(skin::StartSkin(form.Handle()), 1);
  EXPECT_EQ(skin::SkinnedCount(), form.WindowCount());
  EXPECT_TRUE(skin::SkinImagesBuilt());
  EXPECT_EQ(skin::StartSkin(form.Handle()), 0) << "already skinned";
  EXPECT_EQ(skin::SkinWindow(nullptr), 0);
  EnumChildWindows(form.Handle(), [](HWND child, LPARAM) {
    EXPECT_NE(Property(child, L"PROCADDR"), 0) << GetDlgCtrlID(child);
    return TRUE;
  }, 0);
  // Push and default push buttons are the skin's; other button types, and
  // push buttons showing a picture, keep the system's look and their type.
  EXPECT_EQ(ButtonType(Ok()), BS_OWNERDRAW);
  EXPECT_EQ(ButtonType(Cancel()), BS_OWNERDRAW);
  EXPECT_EQ(Property(Ok(), L"OLDSTYLE") & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_NE(Property(Ok(), L"0HDC"), 0);
  EXPECT_NE(Property(Ok(), L"3BMP"), 0);
  for (auto [id, type] : {std::pair{SkinTestForm::kCheck, BS_AUTOCHECKBOX}, std::pair{SkinTestForm::kRadio1, BS_AUTORADIOBUTTON},
                          std::pair{SkinTestForm::kGroup, BS_GROUPBOX}, std::pair{SkinTestForm::kOwnerDraw, BS_OWNERDRAW},
                          std::pair{SkinTestForm::kPicture, BS_PUSHBUTTON}}) {
    EXPECT_EQ(ButtonType(form.Control(id)), type) << id;
    EXPECT_EQ(Property(form.Control(id), L"0HDC"), 0) << id;
  }
  // Pointer-sized properties: -1 reads back as -1.
  EXPECT_EQ(Property(form.Control(SkinTestForm::kHeader), L"HDINDEX"), -1);
  EXPECT_EQ(Property(form.Control(SkinTestForm::kHeader), L"HMINDEX"), -1);

  // The system's check boxes and radio buttons still work.
  SendMessageW(form.Control(SkinTestForm::kCheck), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(form.Control(SkinTestForm::kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(form.Control(SkinTestForm::kRadio2), BM_CLICK, 0, 0);
  SendMessageW(form.Control(SkinTestForm::kRadio1), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(form.Control(SkinTestForm::kRadio1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(form.Control(SkinTestForm::kRadio2), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  const HWND header = form.Control(SkinTestForm::kHeader);
  form.Destroy();
  EXPECT_FALSE(IsWindow(header));
}

TEST_F(SkinWindowTest, UnskinningRestoresEveryWindow) {
  skin::StartSkin(form.Handle());
  EXPECT_EQ(skin::UnskinWindow(form.Handle()), 1);
  EXPECT_EQ(skin::UnskinWindow(form.Handle()), 0);
  EXPECT_EQ(skin::SkinnedCount(), 0);
  EXPECT_FALSE(skin::SkinImagesBuilt());
  EXPECT_EQ(ButtonType(Ok()), BS_DEFPUSHBUTTON);
  EXPECT_EQ(ButtonType(Cancel()), BS_PUSHBUTTON);
  const win::Region region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(Ok(), region.Get()), ERROR);
  for (const wchar_t* name : {L"PROCADDR", L"OLDSTYLE", L"OLDSTATE", L"TIMERID", L"0HDC", L"3BMP"})
    EXPECT_EQ(Property(Ok(), name), 0) << name;
  EXPECT_EQ(Property(form.Control(SkinTestForm::kHeader), L"HDINDEX"), 0);
}

TEST_F(SkinWindowTest, HeadersAndComboBoxesAreTrackedAndADroppedListIsSkinned) {
  const HWND header = form.Control(SkinTestForm::kHeader);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.cxy = 100;
  item.pszText = const_cast<wchar_t*>(L"名称");
  for (int i = 0; i < 2; ++i) SendMessageW(header, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  const HWND combo = form.Control(SkinTestForm::kCombo);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"一号"));
  skin::StartSkin(form.Handle());

  SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(150, 5));
  EXPECT_EQ(Property(header, L"HMINDEX"), 1);
  EXPECT_EQ(Property(header, L"MOUSEFLAG"), 1);
  SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Property(header, L"HMINDEX"), -1);
  EXPECT_EQ(Property(header, L"MOUSEFLAG"), 0);

  SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Property(combo, L"OLDSTATE"), 1);
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  UpdateWindow(info.hwndList);
  EXPECT_TRUE(skin::IsSkinned(info.hwndList)) << "skinned when it asked for its colours";
  SendMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Property(combo, L"OLDSTATE"), 2) << "pressed while the list is open";
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

// Rows and columns of a 21-high button map one to one onto the frames.
using testing_support::Probe;
void ExpectShows(HWND button, std::initializer_list<Probe> probes, const char* what) {
  testing_support::ExpectPixels(testing_support::ClientPixels(button), probes, what);
}
constexpr std::initializer_list<Probe> kNormal{{0, 10, 0x1B8FD5}, {1, 3, 0xF5FAFD}, {4, 3, 0xF1F8FC}, {4, 17, 0xB1D0EA}};
constexpr std::initializer_list<Probe> kHot{{0, 10, 0x1B8FD5}, {1, 6, 0x4CC3FB}, {4, 6, 0xE2F2FC}};
constexpr std::initializer_list<Probe> kPressed{{0, 10, 0x1B8FD5}, {1, 6, 0x3AB9F9}, {4, 6, 0xB7DBF3}};
constexpr std::initializer_list<Probe> kDisabled{{0, 10, 0x87C3E8}, {4, 3, 0xF2F7FB}};

TEST_F(SkinWindowTest, PushButtonShowsRestPressedAndFadesBackInSixtySixSteps) {
  skin::StartSkin(form.Handle());
  UpdateWindow(form.Handle());
  win::PumpPendingMessages();
  ExpectShows(Cancel(), kNormal, "at rest");

  SendMessageW(Cancel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  ExpectShows(Cancel(), kPressed, "pressed, at once");
  EXPECT_EQ(Property(Cancel(), L"OLDSTATE"), 2);

  SendMessageW(Cancel(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(Property(Cancel(), L"TIMERID"), static_cast<INT_PTR>(skin::FadeTimerId()));
  EXPECT_EQ(Property(Cancel(), L"ALPHALEVEL"), 60);
  EXPECT_EQ(Property(Cancel(), L"OLDSTATE"), 0);
  ExpectShows(Cancel(), kPressed, "released, before the first step");
  EXPECT_EQ(RunFadeSteps(Cancel()), 66);
  ExpectShows(Cancel(), kNormal, "after the fade");
  EXPECT_EQ(Property(Cancel(), L"ALPHALEVEL"), 0);
}

TEST_F(SkinWindowTest, OnlyTheSkinsOwnTimerDrivesTheFadeAndStopFadeKillsOnlyIt) {
  skin::StartSkin(form.Handle());
  // A timer of the control's own, numbered like the first timer of any window.
  ASSERT_EQ(SetTimer(Ok(), 1, 60000, nullptr), 1u);
  SendMessageW(Ok(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(Ok(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  SendMessageW(Ok(), WM_TIMER, 1, 0);
  EXPECT_EQ(Property(Ok(), L"ALPHALEVEL"), 60) << "a foreign timer is no fade step";
  SendMessageW(Ok(), WM_TIMER, skin::FadeTimerId(), 0);
  EXPECT_EQ(Property(Ok(), L"ALPHALEVEL"), 63);
  skin::StopFade(Ok());
  EXPECT_EQ(Property(Ok(), L"TIMERID"), 0);
  EXPECT_FALSE(KillTimer(Ok(), skin::FadeTimerId()));
  EXPECT_TRUE(KillTimer(Ok(), 1)) << "the control's own timer still runs";
}

TEST_F(SkinWindowTest, DisablingShowsTheDisabledLookAtOnce) {
  skin::StartSkin(form.Handle());
  UpdateWindow(form.Handle());
  win::PumpPendingMessages();
  // Let a finished fade leave its alpha at 0, as after any hover.
  SendMessageW(Cancel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(Cancel(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  RunFadeSteps(Cancel());
  SetFocus(form.Control(SkinTestForm::kEdit));
  win::PumpPendingMessages();
  RunFadeSteps(Cancel());
  // No message is pumped: what shows comes from WM_ENABLE itself.
  EnableWindow(Cancel(), FALSE);
  ExpectShows(Cancel(), kDisabled, "disabled");
  EXPECT_EQ(Property(Cancel(), L"OLDSTATE"), 3);
  EnableWindow(Cancel(), TRUE);
  ExpectShows(Cancel(), kNormal, "enabled again");
  // A disabled button shows the disabled frame on every paint.
  EnableWindow(Cancel(), FALSE);
  RedrawWindow(Cancel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ExpectShows(Cancel(), kDisabled, "repainted while disabled");
}

TEST_F(SkinWindowTest, RealPointerHoverFadesInAndTheLeaveNoticeFadesOut) {
  skin::StartSkin(form.Handle());
  SetForegroundWindow(form.Handle());
  UpdateWindow(form.Handle());
  testing_support::MoveMouse(nullptr, {5, 5}, testing_support::Delivery::Real);
  win::PumpPendingMessages();

  testing_support::MoveMouse(Cancel(), testing_support::Middle(Cancel()), testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return Property(Cancel(), L"MOUSEFLAG") == 1; }));
  EXPECT_EQ(Property(Cancel(), L"OLDSTATE"), 1);
  EXPECT_NE(Property(Cancel(), L"TIMERID"), 0) << "the hot look fades in";
  ASSERT_TRUE(WaitUntil([&] { return Property(Cancel(), L"TIMERID") == 0; }, testing_support::kFadeWaitMs));
  ExpectShows(Cancel(), kHot, "hovered");

  testing_support::MoveMouse(nullptr, {5, 5}, testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return Property(Cancel(), L"MOUSEFLAG") == 0; }, testing_support::kFadeWaitMs)) << "no leave notice arrived";
  EXPECT_EQ(Property(Cancel(), L"OLDSTATE"), 0);
  ASSERT_TRUE(WaitUntil([&] { return Property(Cancel(), L"TIMERID") == 0; }, testing_support::kFadeWaitMs));
  ExpectShows(Cancel(), kNormal, "after leaving");
}

TEST_F(SkinWindowTest, TextStaysUnicodeAndResultsKeepTheirSixtyFourBits) {
  skin::StartSkin(form.Handle());
  EXPECT_TRUE(IsWindowUnicode(Ok()));
  EXPECT_EQ(testing_support::WindowText(Ok()), L"确定");
  const auto before = testing_support::ClientPixels(Ok());
  SetWindowTextW(Ok(), L"关闭close 😀");
  EXPECT_EQ(testing_support::WindowText(Ok()), L"关闭close 😀");
  EXPECT_NE(testing_support::ClientPixels(Ok()), before) << "the new caption shows at once";
  const HWND combo = form.Control(SkinTestForm::kCombo);
  ASSERT_EQ(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"一号")), 0);
  constexpr LRESULT kData = static_cast<LRESULT>(0x8765432112345678ULL);
  SendMessageW(combo, CB_SETITEMDATA, 0, kData);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 0, 0), kData);
  wchar_t item[16]{};
  SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"一号");
}

int endsSeen = 0;
LRESULT CALLBACK ObserveEnd(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (m == WM_NCDESTROY) {
    ++endsSeen;
    RemoveWindowSubclass(w, ObserveEnd, id);
  }
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(SkinWindowTest, ASubclassAddedAfterSkinningStillSeesTheEnd) {
  skin::StartSkin(form.Handle());
  endsSeen = 0;
  for (HWND w : {Ok(), form.Handle()}) ASSERT_TRUE(SetWindowSubclass(w, ObserveEnd, 7, 0));
  form.Destroy();
  EXPECT_EQ(endsSeen, 2);
}

// The form's own procedure: a click on the cancel button destroys the form
// while the button's WM_LBUTTONUP is still being handled.
LRESULT CALLBACK CloseOnCancel(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (m == WM_COMMAND && LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED) {
    DestroyWindow(w);
    return 0;
  }
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(SkinWindowTest, AClickThatClosesTheFormLeavesNothingBehind) {
  ASSERT_TRUE(SetWindowSubclass(form.Handle(), CloseOnCancel, 1, 0));
  skin::StartSkin(form.Handle());
  SetForegroundWindow(form.Handle());
  UpdateWindow(form.Handle());
  testing_support::Click(Cancel(), testing_support::Middle(Cancel()), testing_support::Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(form.Handle()); }));
  EXPECT_TRUE(WaitUntil([] { return skin::SkinnedCount() == 0; })) << skin::SkinnedCount();
}

TEST_F(SkinWindowTest, RepeatedSkinAndUnskinCyclesLeakNothing) {
  const auto propertyCount = [](HWND w) {
    int n = 0;
    EnumPropsExW(w, [](HWND, LPWSTR, HANDLE, ULONG_PTR count) { ++*reinterpret_cast<int*>(count); return TRUE; },
                 reinterpret_cast<LPARAM>(&n));
    return n;
  };
  const int propertiesBefore = propertyCount(Ok());
  ShowWindow(form.Handle(), SW_HIDE);  // nothing to paint: only the skin's own work is timed
  const auto start = std::chrono::steady_clock::now();
  const int rounds = testing_support::SoakRounds();
  for (int i = 0; i < rounds; ++i) {
    ASSERT_EQ(skin::StartSkin(form.Handle()), 1);
    ASSERT_EQ(skin::UnskinWindow(form.Handle()), 1);
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("[ skin     ] %d skin and unskin cycles of a %d-window form: %lld ms\n", rounds, form.WindowCount(),
              static_cast<long long>(ms.count()));
  EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(propertyCount(Ok()), propertiesBefore);
  EXPECT_EQ(ButtonType(Ok()), BS_DEFPUSHBUTTON);
}

// Another thread's windows, as the control panel's preview box is another
// program's: never skinned, also when they become active against ours.
TEST_F(SkinWindowTest, WindowsOfAnotherThreadAreLeftAlone) {
  std::atomic<HWND> otherForm{nullptr};
  std::atomic<bool> quit{false};
  std::thread other([&] {
    SkinTestForm foreign(L"别的线程");
    otherForm = foreign.Handle();
    while (!quit) {
      win::PumpPendingMessages();
      Sleep(5);
    }
  });
  ASSERT_TRUE(WaitUntil([&] { return otherForm.load() != nullptr; }));
  const HWND foreignOk = GetDlgItem(otherForm, IDOK);
  EXPECT_EQ(skin::StartSkin(otherForm), 0);
  EXPECT_EQ(skin::SkinWindow(foreignOk), 0);
  EXPECT_FALSE(skin::SkinImagesBuilt());

  skin::StartSkin(form.Handle());
  const int count = skin::SkinnedCount();
  SendMessageW(form.Handle(), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(otherForm.load()));
  SendMessageW(form.Handle(), WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(otherForm.load()));
  EXPECT_EQ(skin::SkinnedCount(), count);
  EXPECT_FALSE(skin::IsSkinned(otherForm));
  EXPECT_EQ(ButtonType(foreignOk), BS_DEFPUSHBUTTON);
  EXPECT_EQ(Property(foreignOk, L"PROCADDR"), 0);
  quit = true;
  other.join();
}

// Counts the clicks the form is told about, by button.
LRESULT CALLBACK CountClicks(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR counts) {
  if (m == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++(*reinterpret_cast<std::map<int, int>*>(counts))[LOWORD(wp)];
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(SkinWindowTest, TwoQuickClicksOnASkinnedButtonCountTwice) {
  std::map<int, int> clicks;
  ASSERT_TRUE(SetWindowSubclass(form.Handle(), CountClicks, 1, reinterpret_cast<DWORD_PTR>(&clicks)));
  skin::StartSkin(form.Handle());
  SetForegroundWindow(form.Handle());
  UpdateWindow(form.Handle());
  testing_support::DoubleClick(Cancel(), testing_support::Middle(Cancel()), testing_support::Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return clicks[IDCANCEL] == 2; })) << clicks[IDCANCEL] << " clicks";
  RemoveWindowSubclass(form.Handle(), CountClicks, 1);
}

// The fade timer is stopped by its own id, whatever starting it returned.
TEST_F(SkinWindowTest, TheFadeTimerIsKilledByItsOwnId) {
  struct Recorder : skin::FadeTimerApi {
    UINT_PTR Set(HWND w, UINT_PTR id, UINT ms) override { return SetTimer(w, id, ms, nullptr) ? 1 : 0; }
    BOOL Kill(HWND w, UINT_PTR id) override {
      killed.push_back(id);
      return KillTimer(w, id);
    }
    std::vector<UINT_PTR> killed;
  } timers;
  skin::UseFadeTimers(&timers);
  skin::StartSkin(form.Handle());
  SendMessageW(Ok(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(Ok(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  skin::StopFade(Ok());
  skin::UseFadeTimers(nullptr);
  ASSERT_FALSE(timers.killed.empty());
  for (const UINT_PTR id : timers.killed) EXPECT_EQ(id, skin::FadeTimerId());
  EXPECT_FALSE(KillTimer(Ok(), skin::FadeTimerId())) << "it no longer runs";
}

// The form is a dialog, which does not clip its children: the parent's
// background must still show in the corners outside a button's rounded outline.
TEST_F(SkinWindowTest, ButtonsInADialogKeepTheirRoundedCorners) {
  skin::StartSkin(form.Handle());
  SetForegroundWindow(form.Handle());
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RedrawWindow(Cancel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r{};
  GetWindowRect(Cancel(), &r);
  const auto at = [](LONG x, LONG y) { return testing_support::RgbOf(testing_support::ScreenPixel({x, y})); };
  const unsigned face = at(r.left - 2, r.top + 10);
  for (const POINT corner : {POINT{r.left, r.top}, POINT{r.right - 1, r.top}, POINT{r.left, r.bottom - 1},
                             POINT{r.right - 1, r.bottom - 1}})
    EXPECT_EQ(testing_support::Hex(at(corner.x, corner.y)), testing_support::Hex(face)) << corner.x - r.left << ", " << corner.y - r.top;
  EXPECT_EQ(testing_support::Hex(at(r.left + 3, r.top)), "1B8FD5") << "the frame itself shows";
}

TEST_F(SkinWindowTest, TheDefaultButtonHasARingOfItsOwnThatMovesWithTheDefault) {
  skin::StartSkin(form.Handle());
  UpdateWindow(form.Handle());
  win::PumpPendingMessages();
  const auto ring = [](HWND b) { return testing_support::Hex(ShownPixel(b, 1, 10)); };
  EXPECT_EQ(ring(Ok()), "3986C4") << "the default";
  EXPECT_NE(ring(Cancel()), "3986C4");
  SendMessageW(Ok(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendMessageW(Cancel(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_NE(ring(Ok()), "3986C4");
  EXPECT_EQ(ring(Cancel()), "3986C4") << "the new default";
  EXPECT_EQ(ButtonType(Cancel()), BS_OWNERDRAW);
}

TEST(SkinProbe, HasExportLoadsALibraryOnlyForTheQuestion) {
  EXPECT_TRUE(skin::HasExport("TrackMouseEvent", L"user32.dll"));
  EXPECT_FALSE(skin::HasExport("NoSuchFunction", L"user32.dll"));
  ASSERT_EQ(GetModuleHandleW(L"imagehlp.dll"), nullptr);
  EXPECT_TRUE(skin::HasExport("ImageLoad", L"imagehlp.dll"));
  EXPECT_EQ(GetModuleHandleW(L"imagehlp.dll"), nullptr) << "released again";
  EXPECT_FALSE(skin::HasExport("ImageLoad", L"no_such_library.dll"));
}

}  // namespace
}  // namespace quillane
