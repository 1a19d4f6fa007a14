#pragma once
// Driving skinned windows in tests: real pointer input, waiting while
// messages run, reading the pixels a window shows, and a small test form.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "win32/message_loop.h"

namespace quillane::testing_support {

// Runs messages until `done` holds or `timeoutMs` passed; returns `done()`.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return done();
    win::PumpPendingMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

inline void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

// Moves the real pointer (SendInput, absolute) to a point of the screen.
inline void MovePointerTo(POINT screen) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535 + (w - 1) / 2) / (w - 1));
  input.mi.dy = static_cast<LONG>((screen.y * 65535 + (h - 1) / 2) / (h - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  WaitUntil([screen] {
    POINT at{};
    GetCursorPos(&at);
    return at.x == screen.x && at.y == screen.y;
  }, 1000);
}

inline POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A real left click at the middle of `window`, as a person makes it.
inline void ClickCentre(HWND window) {
  MovePointerTo(CentreOf(window));
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

// A real key press and release, to whichever window has the keyboard.
inline void PressKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

// The colour `window` shows at (x, y) of its window rectangle, as 0xRRGGBB.
inline unsigned ShownPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

inline INT_PTR Property(HWND window, const wchar_t* name) {
  return reinterpret_cast<INT_PTR>(GetPropW(window, name));
}

inline LONG_PTR ButtonType(HWND button) { return GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK; }

// A dialog-class form with one control of each kind the skin meets, in the
// system's own classes. Destroyed with the object.
class SkinTestForm {
 public:
  enum Id : int { kOk = IDOK, kCancel = IDCANCEL, kCheck = 100, kRadio1, kRadio2, kGroup, kOwnerDraw, kCombo, kEdit, kHeader };

  explicit SkinTestForm(const wchar_t* caption = L"皮肤测试") {
    form_ = CreateWindowExW(0, L"#32770", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 60, 60, 400,
                            260, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Add(L"Button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, kOk, 10, 10, 120, 21);
    Add(L"Button", L"取消", BS_PUSHBUTTON | WS_TABSTOP, kCancel, 10, 40, 120, 21);
    Add(L"Button", L"选择", BS_AUTOCHECKBOX | WS_TABSTOP, kCheck, 150, 10, 100, 20);
    Add(L"Button", L"甲", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kRadio1, 150, 40, 100, 20);
    Add(L"Button", L"乙", BS_AUTORADIOBUTTON, kRadio2, 150, 70, 100, 20);
    Add(L"Button", L"组", BS_GROUPBOX | WS_GROUP, kGroup, 260, 10, 120, 90);
    Add(L"Button", L"自画", BS_OWNERDRAW, kOwnerDraw, 10, 70, 120, 21);
    Add(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCombo, 10, 100, 150, 120);
    Add(L"Edit", L"文字", WS_BORDER | ES_AUTOHSCROLL, kEdit, 10, 130, 150, 22);
    Add(WC_HEADERW, L"", HDS_HORZ, kHeader, 10, 170, 300, 24);
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
  int WindowCount() const {
    int count = 1;
    EnumChildWindows(form_, [](HWND, LPARAM n) { ++*reinterpret_cast<int*>(n); return TRUE; },
                     reinterpret_cast<LPARAM>(&count));
    return count;
  }

 private:
  void Add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  }
  HWND form_;
};

}  // namespace quillane::testing_support
