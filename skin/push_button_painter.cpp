#include "skin/push_button_painter.h"

#include <algorithm>
#include <string>

#include "skin/skin_colours.h"
#include "skin/skinned_window.h"
#include "skin/skinner.h"

namespace quillane::skin {

namespace {

std::wstring Caption(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Makes `surface` anew when it is missing or of another size; true when it did.
bool FitSurface(std::unique_ptr<Surface>& surface, SIZE size) {
  if (surface && surface->Width() == size.cx && surface->Height() == size.cy) return false;
  surface.reset();  // the old surface goes before the new one is made
  surface = std::make_unique<Surface>(size.cx, size.cy);
  return true;
}

}  // namespace

bool IsSkinnablePushButton(LONG_PTR style) {
  const LONG_PTR type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

void RenderButtonStates(SkinnedWindow& button, const Surface* buttonSkin, std::optional<bool> hasFocus) {
  const SIZE size = WindowSize(button.Handle);
  const std::wstring caption = Caption(button.Handle);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(button.Handle, WM_GETFONT, 0, 0));
  const bool focused = hasFocus.value_or(GetFocus() == button.Handle) && FocusCuesShown(button.Handle);
  const bool isDefault = (button.OldStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  for (int look = 0; look < 4; ++look) {
    std::unique_ptr<Surface>& image = button.StateImages[look];
    FitSurface(image, size);
    if (!*image) continue;
    const HDC dc = image->Dc();
    if (buttonSkin)
      BltNineSlice(dc, 0, 0, size.cx, size.cy, buttonSkin->Dc(),
                   {0, ButtonFrameTop(look), kButtonFrameWidth, kButtonFrameHeight},
                   {kButtonBorder, kButtonBorder, kButtonBorder, kButtonBorder});
    // The default button at rest: a deeper blue ring inside its frame (the
    // hot and pressed looks have rings of their own).
    if (isDefault && look == kLookNormal) FrameSolid(dc, 1, 1, size.cx - 2, size.cy - 2, kDefaultRing);
    // The font is the button's (its owner deletes it): selected only while drawing.
    const win::SelectGuard selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorref(look == kLookDisabled ? kDisabledText : kCaptionText));
    RECT text{2, 2, size.cx - 2, size.cy - 2};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (focused) DrawFocusRect(dc, &text);
  }
  if (FitSurface(button.Shown, size)) {
    const int look = IsWindowEnabled(button.Handle) ? button.Fade.Look() : kLookDisabled;
    const Surface* image = button.StateImages[look].get();
    if (*button.Shown && image && *image)
      BitBlt(button.Shown->Dc(), 0, 0, size.cx, size.cy, image->Dc(), 0, 0, SRCCOPY);
  }
}

void PaintButton(SkinnedWindow& button, int look, int alpha) {
  if (alpha <= 0 || look < 0 || look > 3) return;
  const Surface* image = button.StateImages[look].get();
  const Surface* shown = button.Shown.get();
  if (!image || !*image || !shown || !*shown) return;
  const int w = std::min(image->Width(), shown->Width()), h = std::min(image->Height(), shown->Height());
  if (alpha >= kFullAlpha) {
    BitBlt(shown->Dc(), 0, 0, w, h, image->Dc(), 0, 0, SRCCOPY);
  } else {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    AlphaBlend(shown->Dc(), 0, 0, w, h, image->Dc(), 0, 0, w, h, blend);
  }
  ShowCurrentLook(button);
}

namespace {

// The button class paints through its parent's context, which a dialog does
// not clip to its children: the copy keeps to the button's rounded region
// itself, so the parent's background stays in the corners.
void CopyInsideRegion(HWND button, HDC dc, const Surface& shown) {
  const int saved = SaveDC(dc);
  const win::Region region(CreateRectRgn(0, 0, 0, 0));
  if (region && GetWindowRgn(button, region.Get()) != ERROR) ExtSelectClipRgn(dc, region.Get(), RGN_AND);
  BitBlt(dc, 0, 0, shown.Width(), shown.Height(), shown.Dc(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

}  // namespace

void ShowCurrentLook(SkinnedWindow& button) {
  const Surface* shown = button.Shown.get();
  if (!shown || !*shown) return;
  if (button.PaintTarget) {
    CopyInsideRegion(button.Handle, button.PaintTarget, *shown);
    return;
  }
  const win::WindowDc dc(button.Handle, win::WindowDc::Area::Whole);
  if (dc) CopyInsideRegion(button.Handle, dc.Get(), *shown);
}

void SetRoundedRegion(HWND button) {
  const SIZE size = WindowSize(button);
  win::Region region(CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, 3, 3));
  // Once set, the region belongs to the window.
  if (region && SetWindowRgn(button, region.Get(), TRUE)) (void)region.Release();
}

}  // namespace quillane::skin
