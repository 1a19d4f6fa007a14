#pragma once
// Looking at skinned windows in tests, and a small form to skin.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <utility>

#include "input_driver.h"
#include "pixel_probe.h"
#include "win32/message_loop.h"
#include "win32/window.h"
#include "win32/window_classes.h"

namespace quillane::testing_support {

// Long enough for a whole fade (86 steps of 15 ms) on a busy machine.
inline constexpr DWORD kFadeWaitMs = 8000;

// The middle of a window, in its client coordinates.
inline POINT Middle(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right / 2, r.bottom / 2};
}

// A pixel expected at (x, y), as 0xRRGGBB.
struct Probe {
  int X, Y;
  unsigned Colour;
};

inline std::string Hex(unsigned colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", colour & 0xFFFFFF);
  return text;
}

inline unsigned RgbOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The colour a frameless window shows at (x, y), as 0xRRGGBB.
inline unsigned ShownPixel(HWND window, int x, int y) { return RgbOf(ClientPixels(window).At(x, y)); }

inline void ExpectPixels(const Pixels& shown, std::span<const Probe> probes, const std::string& what) {
  for (const Probe& p : probes) {
    ASSERT_TRUE(p.X >= 0 && p.X < shown.Width && p.Y >= 0 && p.Y < shown.Height) << what;
    EXPECT_EQ(Hex(RgbOf(shown.At(p.X, p.Y))), Hex(p.Colour)) << what << " at (" << p.X << ", " << p.Y << ")";
  }
}
inline void ExpectPixels(const Pixels& shown, std::initializer_list<Probe> probes, const std::string& what) {
  ExpectPixels(shown, std::span<const Probe>(probes.begin(), probes.size()), what);
}

inline INT_PTR Property(HWND window, const wchar_t* name) {
  return reinterpret_cast<INT_PTR>(GetPropW(window, name));
}

inline LONG_PTR ButtonType(HWND button) { return GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK; }

// Every window below `window`, at any depth.
inline int CountDescendants(HWND window) {
  int count = 0;
  EnumChildWindows(window, [](HWND, LPARAM n) { ++*reinterpret_cast<int*>(n); return TRUE; },
                   reinterpret_cast<LPARAM>(&count));
  return count;
}

// Runs `run` once, from the loop of the capture window, as soon as that
// window is shown: the command that opens it returns only when it closed.
inline std::function<void(HWND capture)> inCapture;
inline void CALLBACK RunInCapture(HWND, UINT, UINT_PTR id, DWORD) {
  const HWND capture = FindWindowW(win::kCaptureWindowClass, nullptr);
  if (!capture || !IsWindowVisible(capture)) return;
  KillTimer(nullptr, id);
  if (inCapture) std::exchange(inCapture, nullptr)(capture);
}
inline void WhenCaptureShows(std::function<void(HWND capture)> run) {
  inCapture = std::move(run);
  SetTimer(nullptr, 0, 20, &RunInCapture);
}

// A dialog-class form with one control of each kind the skin meets: the
// system's own classes, the program's option buttons, and the system's
// controls registered under the classic toolkit's names where the program
// has no class of its own. Destroyed with the object.
class SkinTestForm {
 public:
  enum Id : int {
    kOk = IDOK, kCancel = IDCANCEL, kCheck = 100, kRadio1, kRadio2, kGroup, kOwnerDraw, kCombo, kEdit, kHeader, kPicture,
    kSkinCheck, kOptionA, kOptionB, kEditCombo, kSunken, kProgress, kVProgress, kDataList, kGrid,
  };

  explicit SkinTestForm(const wchar_t* caption = L"皮肤测试") {
    win::RegisterSuperclass(WC_BUTTONW, win::kOptionButtonClass);
    win::RegisterSuperclass(WC_BUTTONW, L"ThunderCheckBox");
    win::RegisterSuperclass(PROGRESS_CLASSW, L"ProgressBar20WndClass");
    win::RegisterSuperclass(WC_LISTBOXW, L"DataListWndClass");
    win::RegisterSuperclass(WC_LISTBOXW, L"ApexGridOleDB32");
    form_ = CreateWindowExW(0, L"#32770", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 60, 60, 520,
                            300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Add(L"Button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, kOk, 10, 10, 120, 21);
    Add(L"Button", L"取消", BS_PUSHBUTTON | WS_TABSTOP, kCancel, 10, 40, 120, 21);
    Add(L"Button", L"选择", BS_AUTOCHECKBOX | WS_TABSTOP, kCheck, 150, 10, 100, 20);
    Add(L"Button", L"甲", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kRadio1, 150, 40, 100, 20);
    Add(L"Button", L"乙", BS_AUTORADIOBUTTON, kRadio2, 150, 70, 100, 20);
    Add(L"Button", L"组", BS_GROUPBOX | WS_GROUP, kGroup, 260, 10, 120, 90);
    Add(L"Button", L"自画", BS_OWNERDRAW, kOwnerDraw, 10, 70, 120, 21);
    Add(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCombo, 10, 100, 150, 120);
    Add(L"Edit", L"文字", WS_BORDER | ES_AUTOHSCROLL, kEdit, 10, 130, 150, 22);
    Add(WC_HEADERW, L"", HDS_HORZ | HDS_BUTTONS, kHeader, 10, 170, 300, 20);
    Add(L"Button", L"", BS_PUSHBUTTON | BS_BITMAP, kPicture, 320, 120, 40, 40);
    Add(L"ThunderCheckBox", L"复选", BS_AUTO3STATE | WS_TABSTOP, kSkinCheck, 400, 10, 110, 19);
    Add(win::kOptionButtonClass, L"曲体", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kOptionA, 400, 35, 110, 21);
    Add(win::kOptionButtonClass, L"柱体", BS_AUTORADIOBUTTON, kOptionB, 400, 60, 110, 21);
    Add(L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kEditCombo, 400, 90, 110, 120);
    Add(L"Edit", L"凹边", ES_AUTOHSCROLL, kSunken, 400, 125, 110, 22, WS_EX_CLIENTEDGE);
    Add(L"ProgressBar20WndClass", L"", WS_BORDER, kProgress, 10, 200, 200, 20);
    Add(L"ProgressBar20WndClass", L"", WS_BORDER | PBS_VERTICAL | PBS_SMOOTH, kVProgress, 220, 200, 20, 60);
    Add(L"DataListWndClass", L"", WS_BORDER | WS_VSCROLL, kDataList, 260, 200, 100, 60);
    Add(L"ApexGridOleDB32", L"", WS_BORDER, kGrid, 370, 200, 100, 60);
    win::PumpPendingMessages();
  }
  SkinTestForm(const SkinTestForm&) = delete;
  SkinTestForm& operator=(const SkinTestForm&) = delete;
  ~SkinTestForm() { Destroy(); }

  HWND Handle() const { return form_; }
  HWND Control(int id) const { return GetDlgItem(form_, id); }
  void Destroy() {
    if (IsWindow(form_)) DestroyWindow(form_);
    win::PumpPendingMessages();
  }
  // The form and every window in it.
  int WindowCount() const { return 1 + CountDescendants(form_); }

 private:
  void Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h, DWORD exStyle = 0) {
    CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  }
  HWND form_;
};

}  // namespace quillane::testing_support
