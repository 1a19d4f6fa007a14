#include "win32/message_loop.h"

namespace quillane::win {

namespace {
void Dispatch(MSG& message) {
  // Keyboard navigation (Tab, Enter) for whichever dialog-like window owns the focus.
  // Within the preview box the root is another process's window: leave it alone.
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && GetWindowThreadProcessId(root, nullptr) == GetCurrentThreadId() &&
      (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &message))
    return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}
}  // namespace

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
