#include "capture/capture_picture.h"

#include <windowsx.h>
#include <commctrl.h>

#include "win32/window_classes.h"

namespace quillane::capture {

bool IsButtonPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

bool IsButtonRelease(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

unsigned ButtonBitsOf(WPARAM keyState) {
  return ((keyState & MK_LBUTTON) ? 1u : 0u) | ((keyState & MK_RBUTTON) ? 2u : 0u) |
         ((keyState & MK_MBUTTON) ? 4u : 0u);
}

bool AnyButtonDown(WPARAM keyState) { return (keyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

namespace {

constexpr const wchar_t* kEscClosedList = L"QuillaneEscClosedList";

bool IsDroppedCombo(HWND window) {
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  return lstrcmpiW(name, L"ComboBox") == 0 && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

LRESULT CALLBACK EscapeToForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR form) {
  // Esc in an open list closes the list only; its character must not end the capture.
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE && IsDroppedCombo(window))
    SetPropW(window, kEscClosedList, reinterpret_cast<HANDLE>(1));
  if (message == WM_CHAR && wParam == VK_ESCAPE) {
    if (RemovePropW(window, kEscClosedList)) return 0;
    return SendMessageW(reinterpret_cast<HWND>(form), message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kEscClosedList);
    RemoveWindowSubclass(window, &EscapeToForm, id);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool ForwardEscape(HWND control, HWND form) {
  return control && SetWindowSubclass(control, &EscapeToForm, 1, reinterpret_cast<DWORD_PTR>(form));
}

bool CapturePicture::Create(HWND parent, const RECT& place, Look look, Events events, Contents contents) {
  look_ = look;
  events_ = std::move(events);
  contents_ = std::move(contents);
  fill_.Reset(CreateSolidBrush(look.Fill));
  if (look.Border) border_.Reset(CreateSolidBrush(*look.Border));
  // Resized, it is painted afresh: its border runs along its edges, which move.
  const ClassStyle cls{win::kCapturePictureClass, nullptr, nullptr, CS_HREDRAW | CS_VREDRAW};
  return CreateWindowOf(cls, 0, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent, nullptr);
}

void CapturePicture::Paint() {
  const win::PaintDc dc(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  if (border_) {
    FillRect(dc.Get(), &client, border_.Get());
    InflateRect(&client, -1, -1);
  }
  FillRect(dc.Get(), &client, fill_.Get());
  if (contents_) {
    GetClientRect(Handle(), &client);
    contents_(dc.Get(), client);
  }
}

LRESULT CapturePicture::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (IsButtonPress(message)) {
    SetCapture(Handle());
    held_ = true;
    if (events_.Press) events_.Press(ButtonOf(message), at);
    return 0;
  }
  if (IsButtonRelease(message)) {
    if (!AnyButtonDown(wParam)) {
      held_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
    }
    if (events_.Release) events_.Release(ButtonOf(message), at);
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      if (events_.Leave && !tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      if (events_.Move) events_.Move(at);
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (events_.Leave) events_.Leave();
      return 0;
    case WM_CAPTURECHANGED:
      // The mouse taken away mid-drag (another window, the system): the drag
      // ends as a release would end it, so no later hover drags on.
      if (held_) {
        held_ = false;
        if (events_.Release) events_.Release(MouseButton::Left, {-1, -1});
      }
      return 0;
    case WM_CHAR:
    case WM_KEYDOWN:
    // Keys belong to the form, whichever of its controls has the focus, and
    // so do the notifications of the system's controls inside a picture.
    case WM_COMMAND:
      return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace quillane::capture
