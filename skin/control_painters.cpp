#include "skin/control_painters.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/skin_colours.h"
#include "skin/skin_images.h"
#include "skin/skinned_window.h"
#include "skin/skinner.h"

namespace quillane::skin {

namespace {

bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
Rgb FrameColour(HWND window) { return Enabled(window) ? kSkinBlue : kSkinBlueDisabled; }
SIZE MarkBoxSize() { return {GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)}; }

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

void CopyGlyph(HDC dst, Point at, const Surface& source, Glyph glyph, int offsetX, int offsetY) {
  BltColorKey(dst, at.X, at.Y, glyph.Width, glyph.Height, source.Dc(), glyph.X + offsetX, glyph.Y + offsetY,
              kKeyColour);
}

void CopyMark(HDC dst, Point at, const Surface& marks, Glyph glyph, bool enabled) {
  CopyGlyph(dst, at, marks, glyph, enabled ? 0 : kMarkDisabledOffset, 0);
}

void Blit(HDC dst, int x, int y, const Surface& picture) {
  BitBlt(dst, x, y, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
}

// Into the given context, else into the window's own (border and all).
template <class Draw>
void DrawOn(HWND window, HDC dc, Draw draw) {
  if (dc) {
    draw(dc);
    return;
  }
  const win::WindowDc own(window, win::WindowDc::Area::Whole);
  if (own) draw(own.Get());
}

// WM_PAINT, or the context a caller passed in wParam (common controls
// print into one that way).
template <class Draw>
LRESULT PaintInto(HWND window, WPARAM wParam, Draw draw) {
  if (wParam) {
    draw(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  const win::PaintDc paint(window);
  if (paint.Get()) draw(paint.Get());
  return 0;
}

// The frames of lists and of combo boxes without an edit field: a blue line
// with a white one inside, over the control's own 3-D border.
void PaintListFrames(HWND window) {
  const SIZE size = WindowSize(window);
  const win::WindowDc dc(window, win::WindowDc::Area::Whole);
  if (!dc) return;
  FrameSolid(dc.Get(), 0, 0, size.cx, size.cy, FrameColour(window));
  FrameSolid(dc.Get(), 1, 1, size.cx - 2, size.cy - 2, kWhite);
}

// A sunken edge becomes one blue line with the client's colour inside it.
void PaintFlatBorder(HWND window) {
  if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  const SIZE size = WindowSize(window);
  const Point border = GetNcBorder(window);
  COLORREF inside = RGB(255, 255, 255);
  if (const win::WindowDc client(window); client) inside = GetBkColor(client.Get());
  const win::WindowDc dc(window, win::WindowDc::Area::Whole);
  if (!dc) return;
  const std::vector<SliceRect> rings = FlatBorderRings(size.cx, size.cy, border.X);
  for (std::size_t i = 0; i < rings.size(); ++i)
    FrameSolid(dc.Get(), rings[i].X, rings[i].Y, rings[i].Width, rings[i].Height,
               i == 0 ? FrameColour(window) : FromColorref(inside));
}

void ApplyFills(HDC dc, const std::vector<Fill>& fills) {
  for (const Fill& f : fills) FillSolid(dc, f.Area.X, f.Area.Y, f.Area.Width, f.Area.Height, f.Colour);
}

float ProgressOf(HWND bar) { return ProgressFraction(static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0))); }

LRESULT PaintProgress(HWND bar, WPARAM wParam) {
  const SIZE client = ClientSize(bar);
  const Surface work(client.cx, client.cy);
  if (work) ApplyFills(work.Dc(), ProgressClientFills(client.cx, client.cy, ProgressOf(bar), Style(bar) & PBS_VERTICAL));
  return PaintInto(bar, wParam, [&](HDC dc) {
    if (work) Blit(dc, 0, 0, work);
  });
}

LRESULT PaintProgressFrame(HWND bar) {
  const SIZE size = WindowSize(bar), client = ClientSize(bar);
  const Point border = GetNcBorder(bar);
  const LONG_PTR style = Style(bar);
  const ProgressFrameLayout layout{size.cx,   size.cy,   border.X, border.Y, client.cx, client.cy,
                                   (style & PBS_VERTICAL) != 0, (style & PBS_SMOOTH) != 0};
  const Surface work(size.cx, size.cy);
  if (!work) return 0;
  ApplyFills(work.Dc(), ProgressFrameFills(layout, ProgressOf(bar)));
  DrawOn(bar, nullptr, [&](HDC dc) { Blit(dc, 0, 0, work); });
  return 0;
}

// --- headers ---------------------------------------------------------------

std::wstring HeaderItemText(HWND header, int index) {
  wchar_t text[256]{};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ||
      !item.pszText || item.pszText == LPSTR_TEXTCALLBACKW)
    return {};
  return item.pszText;  // up to the first NUL
}

int HeaderItemCount(HWND header) { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

bool HeaderItemRect(HWND header, int index, RECT& item) {
  return SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

// One item's frame over (x, 0, width, height) and its caption in `textArea`.
void DrawHeaderItem(HDC dc, const Surface& headerSkin, int look, int x, int width, int height,
                    const std::wstring& text, RECT textArea) {
  BltNineSlice(dc, x, 0, width, height, headerSkin.Dc(),
               {HeaderFrameLeft(look), 0, kHeaderFrameWidth, kHeaderFrameHeight}, {1, 1, 1, 1});
  if (text.empty()) return;
  DrawTextW(dc, text.c_str(), -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

// The header's font is its own (its owner deletes it): selected only while
// drawing. A header without a font of its own keeps the context's.
class HeaderText {
 public:
  HeaderText(HWND header, HDC dc) : selected_(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(header, WM_GETFONT, 0, 0))) {
    SetBkMode(dc, TRANSPARENT);
  }

 private:
  win::SelectGuard selected_;
};

LRESULT PaintHeader(SkinnedWindow& w, WPARAM wParam) {
  const HWND header = w.Handle;
  const SIZE size = WindowSize(header);
  const SkinImages* images = CurrentSkinImages();
  const Surface work(size.cx, size.cy);
  if (work && images) {
    const HDC dc = work.Dc();
    BltNineSlice(dc, 0, 0, size.cx, size.cy, images->Header->Dc(), {1, 0, 1, kHeaderFrameHeight}, {});
    const HeaderText font(header, dc);
    const int count = HeaderItemCount(header);
    for (int i = 0; i < count; ++i) {
      RECT item{};
      if (!HeaderItemRect(header, i, item)) continue;
      DrawHeaderItem(dc, *images->Header, HeaderItemLook(i, w.PressedItem, w.HotItem), item.left,
                     item.right - item.left, size.cy, HeaderItemText(header, i), item);
    }
  }
  return PaintInto(header, wParam, [&](HDC dc) {
    if (work) Blit(dc, 0, 0, work);
  });
}

// --- combo boxes -----------------------------------------------------------

// The edit field paints itself: the combo box's white background goes
// around it, not over it.
LRESULT PaintEditableCombo(SkinnedWindow& w, WPARAM wParam) {
  const SIZE size = WindowSize(w.Handle);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const bool hasEdit = GetComboBoxInfo(w.Handle, &info) && info.hwndItem;
  return PaintInto(w.Handle, wParam, [&](HDC dc) {
    const int saved = SaveDC(dc);
    if (hasEdit) {
      RECT edit{};
      GetWindowRect(info.hwndItem, &edit);
      MapWindowPoints(nullptr, w.Handle, reinterpret_cast<POINT*>(&edit), 2);
      ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
    }
    FillSolid(dc, 0, 0, size.cx, size.cy, kWhite);
    FrameSolid(dc, 0, 0, size.cx, size.cy, FrameColour(w.Handle));
    RestoreDC(dc, saved);
    PaintComboButton(w, dc, w.OldState, true);
  });
}

}  // namespace

bool EditableCombo(const SkinnedWindow& w) { return w.Kind == ControlKind::ComboBox && (Style(w.Handle) & 1) == 0; }

void PaintCheckBox(SkinnedWindow& w, int state, bool force) {
  if (state == w.OldState && !force) return;
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  const SIZE box = MarkBoxSize();
  const Surface work(box.cx, box.cy);
  if (!images || !work) return;
  const HDC dc = work.Dc();
  const bool enabled = Enabled(w.Handle);
  FillSolid(dc, 0, 0, box.cx, box.cy, kWhite);
  FrameSolid(dc, 0, 0, box.cx, box.cy, !enabled ? kSkinBlueDisabled : state == 2 ? kSkinBluePressed : kSkinBlue);
  if (enabled && (state == 1 || state == 2)) {
    const Glyph fill = CheckBoxFill(state);
    BltNineSlice(dc, 1, 1, box.cx - 2, box.cy - 2, images->Box->Dc(), {fill.X, fill.Y, fill.Width, fill.Height}, {});
  }
  const LRESULT check = SendMessageW(w.Handle, BM_GETCHECK, 0, 0);
  const Glyph mark = check == BST_CHECKED ? kCheckMarkGlyph : kIndeterminateGlyph;
  if (check == BST_CHECKED || check == BST_INDETERMINATE)
    CopyMark(dc, CentredIn(box.cx, box.cy, mark.Width, mark.Height), *images->Mark, mark, enabled);
  DrawOn(w.Handle, nullptr, [&](HDC target) { Blit(target, 0, BoxTop(WindowSize(w.Handle).cy, box.cy), work); });
}

void PaintOption(SkinnedWindow& w, int state, bool force) {
  if (state == w.OldState && !force) return;
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  if (!images) return;
  const SIZE box = MarkBoxSize();
  const int top = BoxTop(WindowSize(w.Handle).cy, box.cy);
  const bool enabled = Enabled(w.Handle);
  const int circle = enabled ? state : kLookDisabled;
  const bool checked = SendMessageW(w.Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  DrawOn(w.Handle, nullptr, [&](HDC dc) {
    if (circle >= 0 && circle <= kLookDisabled)
      BltNineSlice(dc, 0, top, box.cx, box.cy, images->Box->Dc(), {0, BoxFrameTop(circle), kBoxFrameSize, kBoxFrameSize},
                   {5, 5, 5, 5}, kKeyColour);
    if (!checked) return;
    Point dot = CentredIn(box.cx, box.cy, kOptionDotGlyph.Width, kOptionDotGlyph.Height);
    dot.Y += top;
    CopyMark(dc, dot, *images->Mark, kOptionDotGlyph, enabled);
  });
}

void RepaintMark(SkinnedWindow& w) {
  if (w.Kind == ControlKind::CheckBox) PaintCheckBox(w, w.OldState, true);
  if (w.Kind == ControlKind::OptionButton) PaintOption(w, w.OldState, true);
}

void PaintComboButton(SkinnedWindow& w, HDC dc, int state, bool force) {
  if (SendMessageW(w.Handle, CB_GETDROPPEDSTATE, 0, 0)) state = 2;
  if (state == w.OldState && !force) return;
  if ((Style(w.Handle) & 2) == 0) return;  // a simple combo box has no drop button
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  const SIZE size = WindowSize(w.Handle);
  const DropButton button = DropButtonOf(size.cx, size.cy, GetSystemMetrics(SM_CXVSCROLL));
  const Surface work(button.Place.Width, button.Place.Height);
  if (!images || !work) return;
  if (state == 1 || state == 2) {
    const Glyph background = ComboBackground(state);
    BltNineSlice(work.Dc(), 0, 0, work.Width(), work.Height(), images->Combo->Dc(),
                 {background.X, background.Y, background.Width, background.Height}, {2, 1, 1, 1});
  } else {
    FillSolid(work.Dc(), 0, 0, work.Width(), work.Height(), kWhite);
  }
  CopyGlyph(work.Dc(), button.Arrow, *images->Combo, kComboArrowGlyph, 0,
            Enabled(w.Handle) ? 0 : kComboArrowDisabledOffset);
  DrawOn(w.Handle, dc, [&](HDC target) { Blit(target, button.Place.X, button.Place.Y, work); });
}

void PaintHeaderItem(SkinnedWindow& w, HDC dc, int index, int state) {
  const HWND header = w.Handle;
  // Items may have been removed since the index was stored.
  index = ExistingItem(index, HeaderItemCount(header));
  RECT item{};
  const SkinImages* images = CurrentSkinImages();
  if (index < 0 || !images || !HeaderItemRect(header, index, item)) return;
  const int width = item.right - item.left, height = WindowSize(header).cy;
  const Surface work(width, height);
  if (!work) return;
  {
    const HeaderText font(header, work.Dc());
    DrawHeaderItem(work.Dc(), *images->Header, state == 1 || state == 2 ? state : 0, 0, width, height,
                   HeaderItemText(header, index), {0, 0, width, height});
  }
  DrawOn(header, dc, [&](HDC target) {
    BitBlt(target, item.left, 0, width, item.bottom - item.top, work.Dc(), 0, 0, SRCCOPY);
  });
}

Point GetNcBorder(HWND window) {
  RECT whole{}, client{};
  GetWindowRect(window, &whole);
  GetClientRect(window, &client);
  const LONG_PTR style = Style(window);
  return NcBorder(whole.right - whole.left, whole.bottom - whole.top, client.right, client.bottom,
                  (style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0,
                  (style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
}

LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = w.Handle;
  switch (w.Kind) {
    case ControlKind::ProgressBar: return PaintProgress(window, wParam);
    case ControlKind::Header: return PaintHeader(w, wParam);
    case ControlKind::ComboBox:
      if (EditableCombo(w)) return PaintEditableCombo(w, wParam);
      break;
    default: break;
  }
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (w.Gone) return result;
  switch (w.Kind) {
    case ControlKind::ComboBox:
    case ControlKind::DriveList:
      PaintListFrames(window);
      PaintComboButton(w, nullptr, w.OldState, true);
      break;
    // The control has just drawn its own box or circle: the skin's goes
    // over it again, in the state it showed.
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: RepaintMark(w); break;
    case ControlKind::DataList:
    case ControlKind::ComboList: PaintListFrames(window); break;
    case ControlKind::Grid:
      if (Style(window) & WS_BORDER) {
        const SIZE size = WindowSize(window);
        const win::WindowDc dc(window, win::WindowDc::Area::Whole);
        if (dc) FrameSolid(dc.Get(), 0, 0, size.cx, size.cy, FrameColour(window));
      }
      break;
    default: break;
  }
  return result;
}

LRESULT PaintFrame(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (w.Kind == ControlKind::ProgressBar) return PaintProgressFrame(w.Handle);
  const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
  if (w.Kind != ControlKind::DataList && !w.Gone) PaintFlatBorder(w.Handle);
  return result;
}

}  // namespace quillane::skin
