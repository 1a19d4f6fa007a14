#include "pattern/canvas_buffer.h"

#include <algorithm>

namespace quillane {

bool CanvasBuffer::Fit(HWND window, COLORREF background) {
  RECT client{};
  GetClientRect(window, &client);
  const SIZE size{std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)};
  if (*this && size.cx == size_.cx && size.cy == size_.cy) return true;
  // Whatever waits goes to the window before the picture changes size.
  if (*this) Show(window);
  if (!dc_ || !*dc_) dc_.emplace(nullptr);
  win::DibSection resized = win::CreateDibSection(size.cx, size.cy);
  if (!resized.Handle || !*dc_) return false;
  {
    const win::MemoryDc target(Dc());
    const win::SelectGuard selected(target.Get(), resized.Handle.Get());
    const RECT whole{0, 0, size.cx, size.cy};
    const win::Brush brush(CreateSolidBrush(background));
    FillRect(target.Get(), &whole, brush.Get());
    if (*this)
      BitBlt(target.Get(), 0, 0, std::min(size.cx, size_.cx), std::min(size.cy, size_.cy), Dc(), 0, 0, SRCCOPY);
  }
  selected_.Reset();
  bitmap_ = std::move(resized);
  selected_ = win::SelectGuard(Dc(), bitmap_.Handle.Get());
  size_ = size;
  pending_ = {};
  return true;
}

void CanvasBuffer::Release() {
  outlines_.Forget();
  selected_.Reset();
  bitmap_ = {};
  dc_.reset();
  size_ = {};
  pending_ = {};
}

bool CanvasBuffer::Show(HWND window) {
  RECT area{};
  const RECT whole{0, 0, size_.cx, size_.cy};
  if (!*this) return false;
  Land();
  if (!IntersectRect(&area, &pending_, &whole)) return false;
  pending_ = {};
  const win::WindowDc screen(window);
  BitBlt(screen.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, Dc(), area.left,
         area.top, SRCCOPY);
  return true;
}

void CanvasBuffer::Erase(HDC eraseDc, HBRUSH brush) {
  if (!*this) return;
  Land();
  // The erase paints the device context's visible pixels (its update area
  // less the children), which the system keeps in screen coordinates.
  const win::Region visible(CreateRectRgn(0, 0, 0, 0));
  POINT origin{};
  if (visible && GetRandomRgn(eraseDc, visible.Get(), SYSRGN) == 1 && GetDCOrgEx(eraseDc, &origin)) {
    OffsetRgn(visible.Get(), -origin.x, -origin.y);
    FillRgn(Dc(), visible.Get(), brush);
    return;
  }
  const RECT whole{0, 0, size_.cx, size_.cy};
  FillRect(Dc(), &whole, brush);
}

}  // namespace quillane
