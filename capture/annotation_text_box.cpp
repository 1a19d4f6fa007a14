#include "capture/annotation_text_box.h"

#include <algorithm>

#include "capture/annotation_painter.h"
#include "capture/capture_picture.h"
#include "win32/window.h"

namespace quillane::capture {

namespace {
// Room after the text for the caret, so the box grows before it scrolls.
constexpr int kCaretRoom = 3;
}  // namespace

bool AnnotationTextBox::Create(HWND form, win::DisplayDpi dpi) {
  form_ = form;
  dpi_ = dpi;
  edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_LEFT | ES_AUTOHSCROLL, 0, 0, kStartWidth, 16, form, nullptr,
                          win::ModuleInstance(), nullptr);
  return edit_ && ForwardEscape(edit_, form);
}

void AnnotationTextBox::Show(const TextBox& box, HDC picture, int pictureWidth) {
  if (!edit_) return;
  const bool appearing = box.Visible && !shown_.Visible;
  const bool restyled = box.Size != shown_.Size || !font_;
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
    const POINT at{Pixel(box.At.X), Pixel(box.At.Y)};
    if (appearing) width_ = kStartWidth;
    maxWidth_ = std::max<int>(1, pictureWidth - at.x);
    if (appearing || restyled || at.x != at_.x || at.y != at_.y) {
      at_ = at;
      TakeBackground(picture, pictureWidth);
    }
    Grow(box.Text);
    SetWindowPos(edit_, HWND_TOP, at_.x, at_.y, std::min(width_, maxWidth_), height_,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
    ScrollToStart();
    if (box.Colour != shown_.Colour || restyled) InvalidateRect(edit_, nullptr, TRUE);
    if (appearing) SetFocus(edit_);
  } else if (shown_.Visible) {
    // Keys must not go on reaching a hidden box.
    if (GetFocus() == edit_) SetFocus(form_);
    ShowWindow(edit_, SW_HIDE);
    background_.Reset();
  }
  shown_ = box;
}

void AnnotationTextBox::PictureChanged(HDC picture, int pictureWidth) {
  if (!shown_.Visible) return;
  TakeBackground(picture, pictureWidth);
  InvalidateRect(edit_, nullptr, TRUE);
}

void AnnotationTextBox::TakeBackground(HDC picture, int pictureWidth) {
  const int width = std::max<int>(1, pictureWidth - at_.x), height = std::max(1, height_);
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
  std::wstring text = Text();
  Grow(text);
  SetWindowPos(edit_, nullptr, 0, 0, std::min(width_, maxWidth_), height_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ScrollToStart();
  return text;
}

void AnnotationTextBox::ScrollToStart() {
  if (width_ > maxWidth_) return;  // at the screen's edge it scrolls as it must
  // The box scrolled before it grew: back to its start, the caret where it was.
  DWORD from = 0, to = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  SendMessageW(edit_, EM_SETSEL, 0, 0);
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  SendMessageW(edit_, EM_SETSEL, from, to);
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void AnnotationTextBox::Grow(const std::wstring& text) {
  width_ = std::max(width_, static_cast<int>(Measure(text).cx) + kCaretRoom);
}

HBRUSH AnnotationTextBox::Colours(HDC dc) const {
  SetTextColor(dc, static_cast<COLORREF>(shown_.Colour));
  SetBkMode(dc, TRANSPARENT);
  return background_ ? background_.Get() : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

POINT AnnotationTextBox::TextOrigin() const {
  // Where the box puts its first character when it is not scrolled.
  RECT format{};
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  return {at_.x + format.left, at_.y + format.top};
}

SIZE AnnotationTextBox::Measure(const std::wstring& text) const {
  SIZE extent{};
  if (text.empty() || !font_) return extent;
  const win::WindowDc dc(edit_);
  const win::SelectGuard font(dc.Get(), font_.Get());
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

RECT AnnotationTextBox::DrawText(HDC dc, COLORREF colour) const {
  const std::wstring text = Text();
  if (text.empty() || !font_) return {};
  const POINT origin = TextOrigin();
  const win::SelectGuard font(dc, font_.Get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, colour);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  TextOutW(dc, origin.x, origin.y, text.c_str(), static_cast<int>(text.size()));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  // Glyphs may reach a little beyond their advance.
  return {origin.x - 2, origin.y, origin.x + extent.cx + 4, origin.y + extent.cy};
}

std::wstring AnnotationTextBox::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace quillane::capture
