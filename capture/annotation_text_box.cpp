#include "capture/annotation_text_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "capture/annotation_painter.h"
#include "capture/capture_picture.h"
#include "win32/window.h"

namespace quillane::capture {

void AnnotationTextBox::NoteFormPress(LONG time, POINT screen) {
  pressTime_ = time;
  pressAt_ = screen;
}

LRESULT CALLBACK AnnotationTextBox::BoxMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self) {
  auto& box = *reinterpret_cast<AnnotationTextBox*>(self);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT screen = at;
    ClientToScreen(window, &screen);
    const auto within = [&](int metric, LONG a, LONG b) { return std::abs(a - b) <= GetSystemMetrics(metric) / 2; };
    const bool second = box.pressAt_ && static_cast<UINT>(GetMessageTime() - box.pressTime_) <= GetDoubleClickTime() &&
                        within(SM_CXDOUBLECLK, screen.x, box.pressAt_->x) &&
                        within(SM_CYDOUBLECLK, screen.y, box.pressAt_->y);
    box.pressAt_.reset();
    // The second click of a double-click belongs to the window under the box.
    if (second) {
      MapWindowPoints(window, box.form_, &at, 1);
      return SendMessageW(box.form_, WM_LBUTTONDBLCLK, wParam, MAKELPARAM(at.x, at.y));
    }
  }
  // Enter draws the text and closes the box: the form decides that. Its
  // character would only beep in a one-line box.
  if (message == WM_KEYDOWN && wParam == VK_RETURN) return SendMessageW(box.form_, message, wParam, lParam);
  if (message == WM_CHAR && wParam == L'\r') return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &BoxMouse, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

bool AnnotationTextBox::Create(HWND form, win::DisplayDpi dpi) {
  form_ = form;
  dpi_ = dpi;
  // No automatic scrolling: a key that would not fit is refused.
  edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT, 0, 0, kStartWidth, 16, form,
                          nullptr, win::ModuleInstance(), nullptr);
  return edit_ && ForwardEscape(edit_, form) &&
         SetWindowSubclass(edit_, &BoxMouse, 3, reinterpret_cast<DWORD_PTR>(this));
}

void AnnotationTextBox::SetDpi(win::DisplayDpi dpi) {
  if (dpi.X == dpi_.X && dpi.Y == dpi_.Y) return;
  dpi_ = dpi;
  restyle_ = true;
}

void AnnotationTextBox::Show(const TextBox& box, HDC picture, int) {
  if (!edit_) return;
  const bool appearing = box.Visible && !shown_.Visible;
  const bool restyled = box.Size != shown_.Size || !font_ || restyle_;
  restyle_ = false;
  if (restyled) {
    font_ = AnnotationFont(box.Size, dpi_);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    // The text starts at the box's own left and top.
    SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    const win::WindowDc dc(edit_);
    const win::SelectGuard font(dc.Get(), font_.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    height_ = metrics.tmHeight;
  }
  if (box.Text != Text()) {
    updating_ = true;
    SetWindowTextW(edit_, box.Text.c_str());
    updating_ = false;
  }
  if (box.Visible) {
    // From where it was placed to the region's right edge, a line high,
    // moved up when the region ends first and cut off when it is lower still.
    // Inside the frame's outline too, which it would otherwise cover.
    PixelBox r = box.Bounds;
    if (r.Width() > 2 && r.Height() > 2) r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const int x = std::clamp<int>(Pixel(box.At.X), r.Left, std::max(r.Left, r.Right - 1));
    const int y = std::max<int>(r.Top, std::min<int>(Pixel(box.At.Y), r.Bottom - height_));
    const POINT at{x, y};
    const SIZE size{std::max<LONG>(1, r.Right - x), std::max<LONG>(1, std::min<LONG>(height_, r.Bottom - y))};
    const bool moved = at.x != at_.x || at.y != at_.y || size.cx != size_.cx || size.cy != size_.cy;
    at_ = at;
    size_ = size;
    if (appearing || restyled || moved) TakeBackground(picture);
    // Under the toolbar and the options panel, never over them.
    SetWindowPos(edit_, HWND_BOTTOM, at_.x, at_.y, size_.cx, size_.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    if (box.Colour != shown_.Colour || restyled || moved) InvalidateRect(edit_, nullptr, TRUE);
    if (appearing) SetFocus(edit_);
  } else if (shown_.Visible) {
    // Keys must not go on reaching a hidden box.
    if (GetFocus() == edit_) SetFocus(form_);
    ShowWindow(edit_, SW_HIDE);
    background_.Reset();
  }
  shown_ = box;
}

void AnnotationTextBox::PictureChanged(HDC picture, int) {
  if (!shown_.Visible) return;
  TakeBackground(picture);
  InvalidateRect(edit_, nullptr, TRUE);
}

void AnnotationTextBox::TakeBackground(HDC picture) {
  const int width = std::max<int>(1, size_.cx), height = std::max<int>(1, size_.cy);
  auto [bitmap, pixels] = win::CreateDibSection(width, height);
  if (!bitmap) {
    background_.Reset();
    return;
  }
  {
    const win::MemoryDc dc(picture);
    const win::SelectGuard selected(dc.Get(), bitmap.Get());
    BitBlt(dc.Get(), 0, 0, width, height, picture, at_.x, at_.y, SRCCOPY);
  }
  // The brush keeps its own copy of the pixels.
  background_.Reset(CreatePatternBrush(bitmap.Get()));
}

std::optional<std::wstring> AnnotationTextBox::TextChanged() {
  if (updating_) return std::nullopt;
  return Text();
}

HBRUSH AnnotationTextBox::Colours(HDC dc) const {
  SetTextColor(dc, static_cast<COLORREF>(shown_.Colour));
  SetBkMode(dc, TRANSPARENT);
  return background_ ? background_.Get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

POINT AnnotationTextBox::TextOrigin() const {
  // Where the box puts its first character.
  RECT format{};
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  return {at_.x + format.left, at_.y + format.top};
}

RECT AnnotationTextBox::DrawText(HDC dc, COLORREF colour, const PixelBox& bounds) const {
  const std::wstring text = Text();
  if (text.empty() || !font_) return {};
  const POINT origin = TextOrigin();
  const int saved = SaveDC(dc);
  // Where the box ends, the text ends: on the screen as in the picture.
  IntersectClipRect(dc, std::max<int>(bounds.Left, at_.x), std::max<int>(bounds.Top, at_.y),
                    std::min<int>(bounds.Right, at_.x + size_.cx), std::min<int>(bounds.Bottom, at_.y + size_.cy));
  const win::SelectGuard font(dc, font_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  TextOutW(dc, origin.x, origin.y, text.c_str(), static_cast<int>(text.size()));
  RestoreDC(dc, saved);
  // Glyphs may reach a little beyond their advance.
  return {origin.x - 2, origin.y, origin.x + extent.cx + 4, origin.y + extent.cy};
}

std::wstring AnnotationTextBox::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace quillane::capture
