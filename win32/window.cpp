#include "win32/window.h"

#include <utility>

#include "win32/message_loop.h"

namespace quillane::win {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

bool RegisterSuperclass(const wchar_t* base, const wchar_t* name) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  if (GetClassInfoExW(ModuleInstance(), name, &cls)) return true;
  if (!GetClassInfoExW(nullptr, base, &cls)) return false;
  cls.hInstance = ModuleInstance();
  cls.lpszClassName = name;
  cls.style &= ~CS_GLOBALCLASS;
  return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Window::~Window() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(std::exchange(hwnd_, nullptr));
}

void Window::Destroy() {
  if (!hwnd_) return;
  // A modal window gives the activation back to its owner, as a dialog's end
  // does: the owner must be enabled before this window is hidden.
  if (modalOwner_) EnableWindow(std::exchange(modalOwner_, nullptr), TRUE);
  DestroyWindow(hwnd_);
}

void Window::RunModal(HWND owner) {
  if (!hwnd_) return;
  if (owner && IsWindowEnabled(owner)) {
    modalOwner_ = owner;
    EnableWindow(owner, FALSE);
  }
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  RunUntilClosed(hwnd_);
  if (owner && IsWindow(owner) && !GetActiveWindow()) SetActiveWindow(owner);
}

bool Window::CreateWindowOf(const ClassStyle& cls, DWORD exStyle, const wchar_t* caption, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu) {
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(ModuleInstance(), cls.Name, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = cls.Style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = cls.Cursor ? cls.Cursor : LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.Background;
    wc.lpszClassName = cls.Name;
    if (!RegisterClassExW(&wc)) return false;
  }
  CreateWindowExW(exStyle, cls.Name, caption, style, x, y, width, height, parent, menu, ModuleInstance(),
                  this);
  return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_DESTROY && self->modalOwner_) {
    // Destroyed from outside Destroy(): the owner must not stay disabled.
    EnableWindow(std::exchange(self->modalOwner_, nullptr), TRUE);
  }
  const LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The thunk clears itself so no late message reaches a freed object.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    // A loop waiting for this window to close may get no other message: its
    // timers are gone, and a preview box's owner destroys it from outside.
    PostMessageW(nullptr, WM_NULL, 0, 0);
    self->OnDestroyed();
  }
  return result;
}

}  // namespace quillane::win
