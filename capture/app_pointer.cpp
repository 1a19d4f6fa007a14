#include "capture/app_pointer.h"

namespace quillane::capture {

namespace {
// Only the user-interface thread sets and reads it.
Pointer current = Pointer::Default;
}  // namespace

HCURSOR CursorFor(Pointer shape) {
  const wchar_t* id = IDC_ARROW;
  switch (shape) {
    case Pointer::Default:
    case Pointer::Arrow: id = IDC_ARROW; break;
    case Pointer::Cross: id = IDC_CROSS; break;
    case Pointer::Move: id = IDC_SIZEALL; break;
    case Pointer::SizeNESW: id = IDC_SIZENESW; break;
    case Pointer::SizeNS: id = IDC_SIZENS; break;
    case Pointer::SizeNWSE: id = IDC_SIZENWSE; break;
    case Pointer::SizeWE: id = IDC_SIZEWE; break;
  }
  // Shared system cursors: nothing to free.
  return LoadCursorW(nullptr, id);
}

void SetAppPointer(Pointer shape) {
  current = shape;
  SetCursor(CursorFor(shape));
}

Pointer AppPointer() { return current; }

bool ShowAppPointer() {
  if (current == Pointer::Default) return false;
  SetCursor(CursorFor(current));
  return true;
}

}  // namespace quillane::capture
