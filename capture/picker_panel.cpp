#include "capture/picker_panel.h"

#include <commctrl.h>

#include <algorithm>

#include "capture/annotation_painter.h"
#include "win32/window.h"

namespace quillane::capture {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFaceBorder = RGB(122, 150, 185);
constexpr COLORREF kArrowColour = RGB(40, 40, 40);
// The face's drop button by look: normal, under the pointer, pressed.
constexpr std::array<COLORREF, 3> kFaceButton{RGB(222, 238, 255), RGB(240, 248, 255), RGB(170, 205, 245)};

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  const win::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.Get());
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  const win::Brush brush(CreateSolidBrush(colour));
  ::FrameRect(dc, &r, brush.Get());
}

}  // namespace

namespace {

// Enter in the size text is done typing.
LRESULT CALLBACK SizeTextKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR done) {
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    (*reinterpret_cast<std::function<void()>*>(done))();
    return 0;
  }
  if (message == WM_CHAR && wParam == L'\r') return 0;  // no beep
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &SizeTextKeys, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void OpenCombo(HWND Chwnd) {
  const bool dropped = SendMessageW(Chwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
  SendMessageW(Chwnd, CB_SHOWDROPDOWN, dropped ? FALSE : TRUE, 0);
}

void PickerPanel::Measure(win::DisplayDpi dpi) {
  palette_ = LayOutPalette({dpi.X, dpi.Y});
  fontLayout_ = LayOutFontPanel({dpi.X, dpi.Y});
  fontPlace_ = win::PixelRect({120, 120, 1095, 375}, dpi);
  colourPlace_ = win::PixelRect({1180, 60, 2415, 440}, dpi);
  // The list is as tall as eight sizes or so.
  listHeight_ = MulDiv(180, dpi.Y, 96);
  letterFont_ = win::CreateDesignFont(L"宋体", 12, FW_BOLD, dpi);
}

RECT PickerPanel::ComboPlace() const {
  RECT combo = RectOf(fontLayout_.Combo);
  combo.bottom += listHeight_;
  return combo;
}

bool PickerPanel::Create(HWND form, win::DisplayDpi dpi, HFONT font, Events events) {
  events_ = std::move(events);
  font_ = font;
  Measure(dpi);
  const auto hover = [this](const std::function<void()>& what) {
    return CapturePicture::Events{{}, [what](POINT) {
                                    if (what) what();
                                  }, {}, {}};
  };
  if (!picture2_.Create(form, {0, 0, 0, 0}, {kFill, kFrame}, hover(events_.PanelHover)) ||
      !picFont_.Create(picture2_.Handle(), fontPlace_, {kFill, std::nullopt},
                       hover([this] { events_.FontHover(false); }),
                       [this](HDC dc, const RECT&) { PaintFontPanel(dc); }) ||
      !picColor_.Create(picture2_.Handle(), colourPlace_, {kFill, std::nullopt},
                        {{},
                         [this](POINT at) { events_.PaletteHover(SwatchAt(palette_, at.x, at.y)); },
                         [this](MouseButton, POINT at) { events_.PaletteRelease(SwatchAt(palette_, at.x, at.y)); },
                         {}},
                        [this](HDC dc, const RECT&) { PaintPalette(dc); }) ||
      !picCombox_.Create(picFont_.Handle(), RectOf(fontLayout_.Face), {kWhite, std::nullopt},
                         {[this](MouseButton, POINT) { events_.FacePress(); },
                          [this](POINT) { events_.FontHover(true); },
                          {},
                          [this] {
                            // Onto the size text, which lies on the face, is still over it.
                            POINT cursor{};
                            GetCursorPos(&cursor);
                            if (WindowFromPoint(cursor) != text1_) events_.FontHover(false);
                          }},
                         [this](HDC dc, const RECT& client) { PaintFace(dc, client); }))
    return false;
  const RECT text = RectOf(fontLayout_.Text);
  text1_ = CreateWindowExW(0, L"EDIT", kStartSizeText.data(), WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL,
                           text.left, text.top, text.right - text.left, text.bottom - text.top, Face(), nullptr,
                           win::ModuleInstance(), nullptr);
  // Under the face, which opens its list.
  const RECT combo = ComboPlace();
  combo1_ = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST,
                            combo.left, combo.top, combo.right - combo.left, combo.bottom - combo.top, FontPanel(),
                            nullptr, win::ModuleInstance(), nullptr);
  if (!text1_ || !combo1_) return false;
  // Only our picture of the box shows: the system's own would peek out from under it.
  SetWindowRgn(combo1_, CreateRectRgn(0, 0, 0, 0), FALSE);
  SetWindowSubclass(text1_, &SizeTextKeys, 2, reinterpret_cast<DWORD_PTR>(&events_.SizeTextDone));
  for (const HWND control : {text1_, combo1_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ForwardEscape(control, form);
  }
  SendMessageW(text1_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  for (const std::wstring_view entry : kFontSizeEntries) {
    const std::wstring text(entry);
    SendMessageW(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(combo1_, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kStartSizeText.data()));
  SetWindowPos(combo1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(Face(), SW_SHOWNA);
  ShowWindow(ColourPanel(), SW_SHOWNA);
  return true;
}

void PickerPanel::LayOut(win::DisplayDpi dpi, HFONT font) {
  Measure(dpi);
  font_ = font;
  const auto place = [](HWND control, const RECT& r) {
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(FontPanel(), fontPlace_);
  place(ColourPanel(), colourPlace_);
  place(Face(), RectOf(fontLayout_.Face));
  place(text1_, RectOf(fontLayout_.Text));
  place(combo1_, ComboPlace());
  for (const HWND control : {text1_, combo1_}) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SendMessageW(text1_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PickerPanel::ShowShape(const PanelShape& shape) {
  ShowWindow(FontPanel(), shape.FontPanelVisible ? SW_SHOWNA : SW_HIDE);
  // Inside the panel's border, which a narrow panel would otherwise lose under it.
  const int left = Pixel(shape.ColourPanelLeft);
  const int width = std::min<int>(colourPlace_.right - colourPlace_.left, Pixel(shape.Width) - 1 - left);
  SetWindowPos(ColourPanel(), nullptr, left, colourPlace_.top, std::max(width, 0),
               colourPlace_.bottom - colourPlace_.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PickerPanel::ShowPickers(std::uint32_t colour, const std::array<bool, kSwatchCount>& borders, FaceLook face) {
  if (colour != colour_) {
    colour_ = colour;
    const RECT box = RectOf(palette_[kCurrentColourBox]);
    InvalidateRect(ColourPanel(), &box, FALSE);
  }
  for (std::size_t i = 0; i < borders.size(); ++i) {
    if (borders[i] == borders_[i]) continue;
    const RECT box = RectOf(palette_[i]);
    InvalidateRect(ColourPanel(), &box, FALSE);
  }
  borders_ = borders;
  if (face != face_) {
    face_ = face;
    InvalidateRect(Face(), nullptr, FALSE);
  }
}

bool PickerPanel::Command(WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<HWND>(lParam);
  if (!control || (control != text1_ && control != combo1_)) return false;
  if (control == text1_ && HIWORD(wParam) == EN_CHANGE) {
    if (settingText_) return true;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(text1_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(text1_, text.data(), static_cast<int>(text.size()))));
    if (events_.SizeTextChanged) events_.SizeTextChanged(text);
  } else if (control == text1_ && HIWORD(wParam) == EN_KILLFOCUS) {
    if (events_.SizeTextDone) events_.SizeTextDone();
  } else if (control == combo1_ && HIWORD(wParam) == CBN_SELCHANGE) {
    const auto index = SendMessageW(combo1_, CB_GETCURSEL, 0, 0);
    const auto length = SendMessageW(combo1_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR || length == CB_ERR) return true;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo1_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    if (events_.SizeChosen) events_.SizeChosen(entry);
  }
  return true;
}

void PickerPanel::ShowSizeText(const std::wstring& text) {
  std::wstring now(static_cast<std::size_t>(GetWindowTextLengthW(text1_)) + 1, L'\0');
  now.resize(static_cast<std::size_t>(GetWindowTextW(text1_, now.data(), static_cast<int>(now.size()))));
  if (now == text) return;
  settingText_ = true;
  SetWindowTextW(text1_, text.c_str());
  settingText_ = false;
}

void PickerPanel::PaintPalette(HDC dc) const {
  for (int i = 0; i < kSwatchCount; ++i) {
    RECT box = RectOf(palette_[static_cast<std::size_t>(i)]);
    Fill(dc, box, SwatchColour(i));
    if (!borders_[static_cast<std::size_t>(i)]) continue;
    // Blue round white: seen on every swatch, the blue and white ones too.
    Frame(dc, box, kFrame);
    InflateRect(&box, -1, -1);
    Frame(dc, box, kWhite);
  }
  const RECT current = RectOf(palette_[kCurrentColourBox]);
  Fill(dc, current, colour_);
  Frame(dc, current, kFaceBorder);
}

void PickerPanel::PaintFace(HDC dc, const RECT& client) const {
  Frame(dc, client, face_ == FaceLook::Normal ? kFaceBorder : kFrame);
  const RECT button{fontLayout_.Text.Right + 1, 1, client.right - 1, client.bottom - 1};
  Fill(dc, button, kFaceButton[static_cast<std::size_t>(face_)]);
  RECT line{button.left, button.top, button.left + 1, button.bottom};
  Fill(dc, line, face_ == FaceLook::Normal ? kFaceBorder : kFrame);
  // The drop arrow, a pixel lower while pressed.
  const int middle = (button.left + 1 + button.right) / 2;
  const int top = (button.top + button.bottom) / 2 - 2 + (face_ == FaceLook::Pressed ? 1 : 0);
  for (int row = 0; row < 4; ++row) Fill(dc, {middle - 3 + row, top + row, middle + 4 - row, top + row + 1}, kArrowColour);
}

void PickerPanel::PaintFontPanel(HDC dc) const {
  RECT icon = RectOf(fontLayout_.Icon);
  const win::SelectGuard font(dc, letterFont_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kFrame);
  DrawTextW(dc, L"A", 1, &icon, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace quillane::capture
