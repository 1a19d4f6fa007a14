#include "win32/message_loop.h"

namespace quillane::win {

namespace {

bool IsPushButton(HWND window) {
  wchar_t cls[16]{};
  if (!window || !GetClassNameW(window, cls, 16) || lstrcmpiW(cls, L"Button") != 0) return false;
  const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

// Keyboard navigation for whichever dialog-like window (WS_EX_CONTROLPARENT)
// holds the focus; true when the message was used.
bool RouteDialogKeys(MSG& message) {
  // Within the preview box the root is another process's window: leave it alone.
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (!root || GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId() ||
      !(GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
    return false;
  if (message.message == WM_KEYDOWN) {
    const HWND focus = GetFocus();
    const bool plain = GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    // Enter presses the focused button, as Space does.
    if (message.wParam == VK_RETURN && plain && IsPushButton(focus) && IsChild(root, focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    if (message.wParam == VK_TAB && plain && focus && IsChild(root, focus)) {
      const bool backwards = GetKeyState(VK_SHIFT) < 0;
      const auto next = reinterpret_cast<HWND>(
          SendMessageW(root, NextTabStopMessage(), backwards, reinterpret_cast<LPARAM>(focus)));
      if (next) {
        SetFocus(next);
        return true;
      }
    }
  }
  return IsDialogMessageW(root, &message) != FALSE;
}

void Dispatch(MSG& message) {
  if (RouteDialogKeys(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

UINT NextTabStopMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quillane.NextTabStop");
  return message;
}

void RunUntilClosed(HWND window) {
  MSG message;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // let the outer loop see it too
      return;
    }
    if (got == -1) return;
    Dispatch(message);
  }
}

int RunUntilQuit() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    Dispatch(message);
  }
  return static_cast<int>(message.wParam);
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

}  // namespace quillane::win
