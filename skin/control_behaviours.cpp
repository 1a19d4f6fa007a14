#include "skin/control_behaviour.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "skin/skin_colours.h"
#include "skin/push_button_painter.h"
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

// A whole mark through the key colour, centred in (x, y, width, height).
void CopyWhole(HDC dst, int width, int height, const Surface& mark, int x, int y) {
  const Point at = CentredIn(width, height, mark.Width(), mark.Height());
  BltColorKey(dst, x + at.X, y + at.Y, mark.Width(), mark.Height(), mark.Dc(), 0, 0, kKeyColour);
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
void DrawHeaderItem(HDC dc, const Surface& headerSkin, ControlState look, int x, int width, int height,
                    const std::wstring& text, RECT textArea) {
  BltNineSlice(dc, x, 0, width, height, headerSkin.Dc(),
               {HeaderFrameLeft(Row(look)), 0, kHeaderFrameWidth, kHeaderFrameHeight}, {1, 1, 1, 1});
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

bool EditableCombo(const SkinnedWindow& w) { return w.Kind == ControlKind::ComboBox && (Style(w.Handle) & 1) == 0; }

}  // namespace

void PaintCheckBox(SkinnedWindow& w, ControlState state, bool force) {
  if (state == w.OldState && !force) return;
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  const SIZE box = MarkBoxSize();
  const Surface work(box.cx, box.cy);
  if (!images || !work) return;
  const HDC dc = work.Dc();
  const bool enabled = Enabled(w.Handle);
  FillSolid(dc, 0, 0, box.cx, box.cy, kWhite);
  FrameSolid(dc, 0, 0, box.cx, box.cy, !enabled ? kSkinBlueDisabled : state == ControlState::Pressed ? kSkinBluePressed : kSkinBlue);
  if (enabled && (state == ControlState::Hot || state == ControlState::Pressed)) {
    const Glyph fill = CheckBoxFill(Row(state));
    BltNineSlice(dc, 1, 1, box.cx - 2, box.cy - 2, images->Box->Dc(), {fill.X, fill.Y, fill.Width, fill.Height}, {});
  }
  const LRESULT check = SendMessageW(w.Handle, BM_GETCHECK, 0, 0);
  const auto& marks = check == BST_CHECKED ? images->Check : images->Square;
  if (check == BST_CHECKED || check == BST_INDETERMINATE) CopyWhole(dc, box.cx, box.cy, *marks[enabled ? 0 : 1], 0, 0);
  DrawOn(w.Handle, nullptr, [&](HDC target) { Blit(target, 0, BoxTop(WindowSize(w.Handle).cy, box.cy), work); });
}

void PaintOption(SkinnedWindow& w, ControlState state, bool force) {
  if (state == w.OldState && !force) return;
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  if (!images) return;
  const SIZE box = MarkBoxSize();
  const int top = BoxTop(WindowSize(w.Handle).cy, box.cy);
  const bool enabled = Enabled(w.Handle);
  const ControlState circle = enabled ? state : ControlState::Disabled;
  const bool checked = SendMessageW(w.Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  // The circle at its own size in the middle of the system's box; the dot
  // in the middle of the circle.
  const int d = images->Diameter;
  const Point at = CentredIn(box.cx, box.cy, d, d);
  DrawOn(w.Handle, nullptr, [&](HDC dc) {
    // The system's own circle, which it may centre a row or a column apart
    // from ours, goes under the control's background first.
    const auto background = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(w.Handle), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w.Handle)));
    if (background) {
      const int side = std::max<int>(box.cy, d) + 2;
      const RECT under{0, BoxTop(WindowSize(w.Handle).cy, side), std::max<int>(box.cx, d) + 1,
                       BoxTop(WindowSize(w.Handle).cy, side) + side};
      FillRect(dc, &under, background);
    }
    {
      const Surface& ring = *images->Circles[static_cast<std::size_t>(Row(circle))];
      BltColorKey(dc, at.X, top + at.Y, d, d, ring.Dc(), 0, 0, kKeyColour);
    }
    if (checked) CopyWhole(dc, d, d, *images->Dot[enabled ? 0 : 1], at.X, top + at.Y);
  });
}

void PaintComboButton(SkinnedWindow& w, HDC dc, ControlState state, bool force) {
  if (SendMessageW(w.Handle, CB_GETDROPPEDSTATE, 0, 0)) state = ControlState::Pressed;
  if (state == w.OldState && !force) return;
  if ((Style(w.Handle) & 2) == 0) return;  // a simple combo box has no drop button
  w.OldState = state;
  const SkinImages* images = CurrentSkinImages();
  const SIZE size = WindowSize(w.Handle);
  const Surface* arrow = images ? images->Arrow[Enabled(w.Handle) ? 0 : 1].get() : nullptr;
  if (!arrow) return;
  const DropButton button =
      DropButtonOf(size.cx, size.cy, GetSystemMetrics(SM_CXVSCROLL), arrow->Width(), arrow->Height());
  const Surface work(button.Place.Width, button.Place.Height);
  if (!images || !work) return;
  if (state == ControlState::Hot || state == ControlState::Pressed) {
    const Glyph background = ComboBackground(Row(state));
    BltNineSlice(work.Dc(), 0, 0, work.Width(), work.Height(), images->Combo->Dc(),
                 {background.X, background.Y, background.Width, background.Height}, {2, 1, 1, 1});
  } else {
    FillSolid(work.Dc(), 0, 0, work.Width(), work.Height(), kWhite);
  }
  BltColorKey(work.Dc(), button.Arrow.X, button.Arrow.Y, arrow->Width(), arrow->Height(), arrow->Dc(), 0, 0,
              kKeyColour);
  DrawOn(w.Handle, dc, [&](HDC target) { Blit(target, button.Place.X, button.Place.Y, work); });
}

void PaintHeaderItem(SkinnedWindow& w, HDC dc, int index, ControlState state) {
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
    DrawHeaderItem(work.Dc(), *images->Header, state == ControlState::Disabled ? ControlState::Normal : state, 0, width, height,
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

// --- behaviours --------------------------------------------------------------

LRESULT ControlBehaviour::PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(w.Handle, message, wParam, lParam);
}

LRESULT ControlBehaviour::PaintFrame(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const {
  const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
  if (!w.Gone) PaintFlatBorder(w.Handle);
  return result;
}

namespace {

bool PointerOver(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == window;
}

void StartTracking(SkinnedWindow& w) {
  if (w.MouseFlag) return;
  w.MouseFlag = true;
  TrackLeave(w.Handle);
}

bool LeftDown(WPARAM keys) { return (keys & MK_LBUTTON) != 0; }

// Forms and every window of no kind of its own: the flat border only.
class Plain final : public ControlBehaviour {};

// Push and default push buttons, owner-drawn from their state images and
// faded between looks; other button types draw themselves.
class PushButton final : public ControlBehaviour {
 public:
  LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    if (!w.OwnerDrawn) return ControlBehaviour::PaintClient(w, message, wParam, lParam);
    // A fade in progress goes on; otherwise the look is shown whole.
    const win::PaintDc paint(w.Handle);
    w.PaintTarget = paint.Get();
    if (w.TimerId)
      ShowCurrentLook(w);
    else
      w.Fade.Painted(w);
    w.PaintTarget = nullptr;
    return 0;
  }
  void PointerMoved(SkinnedWindow& w, WPARAM, LPARAM) const override {
    if (w.OwnerDrawn) w.Fade.PointerMoved(w, PointerOver(w.Handle));
  }
  void Pressed(SkinnedWindow& w, LPARAM) const override {
    if (w.OwnerDrawn) w.Fade.Pressed(w);
  }
  void Released(SkinnedWindow& w) const override {
    if (w.OwnerDrawn) w.Fade.MouseReleased(w);
  }
  void PointerLeft(SkinnedWindow& w) const override {
    if (w.OwnerDrawn) w.Fade.PointerLeft(w);
  }
  void SpaceKey(SkinnedWindow& w, bool down) const override {
    if (!w.OwnerDrawn) return;
    if (down)
      w.Fade.Pressed(w);
    else
      w.Fade.SpaceReleased(w);
  }
};

// Combo boxes and drive lists: frames and a drop button of the skin's own.
class Combo final : public ControlBehaviour {
 public:
  LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    if (EditableCombo(w)) return PaintEditableCombo(w, wParam);
    const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
    if (w.Gone) return result;
    PaintListFrames(w.Handle);
    PaintComboButton(w, nullptr, w.OldState, true);
    return result;
  }
  void PointerMoved(SkinnedWindow& w, WPARAM keys, LPARAM at) const override {
    StartTracking(w);
    const SIZE size = WindowSize(w.Handle);
    const bool onButton = OnDropButton(GET_X_LPARAM(at), GET_Y_LPARAM(at), size.cx, size.cy, GetSystemMetrics(SM_CXVSCROLL));
    PaintComboButton(w, nullptr, DropButtonLook(EditableCombo(w), onButton, LeftDown(keys)), false);
  }
  void Pressed(SkinnedWindow& w, LPARAM at) const override {
    const SIZE size = WindowSize(w.Handle);
    if (!EditableCombo(w) ||
        OnDropButton(GET_X_LPARAM(at), GET_Y_LPARAM(at), size.cx, size.cy, GetSystemMetrics(SM_CXVSCROLL)))
      PaintComboButton(w, nullptr, ControlState::Pressed, false);
  }
  void Released(SkinnedWindow& w) const override {
    PaintComboButton(w, nullptr, PointerOver(w.Handle) ? ControlState::Hot : ControlState::Normal, false);
  }
  void PointerLeft(SkinnedWindow& w) const override {
    w.MouseFlag = false;
    PaintComboButton(w, nullptr, ControlState::Normal, false);
  }
};

// Check boxes and option buttons: the control draws its caption, the skin
// its box or circle over the control's own, in the state it shows.
class Marked final : public ControlBehaviour {
 public:
  using Paint = void (*)(SkinnedWindow&, ControlState, bool);
  explicit Marked(Paint paint) : paint_(paint) {}

  LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
    if (!w.Gone) RepaintMark(w);
    return result;
  }
  void PointerMoved(SkinnedWindow& w, WPARAM keys, LPARAM) const override {
    StartTracking(w);
    paint_(w, LeftDown(keys) ? ControlState::Pressed : ControlState::Hot, true);
  }
  void Pressed(SkinnedWindow& w, LPARAM) const override { paint_(w, ControlState::Pressed, false); }
  void Released(SkinnedWindow& w) const override { paint_(w, ControlState::Normal, false); }
  void PointerLeft(SkinnedWindow& w) const override {
    w.MouseFlag = false;
    paint_(w, ControlState::Normal, false);
  }
  void SpaceKey(SkinnedWindow& w, bool down) const override {
    paint_(w, down ? ControlState::Pressed : ControlState::Normal, false);
  }
  void RepaintMark(SkinnedWindow& w) const override { paint_(w, w.OldState, true); }

 private:
  Paint paint_;
};

int HeaderHitAt(HWND header, LPARAM at) {
  std::vector<ItemSpan> items;
  const int count = HeaderItemCount(header);
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!HeaderItemRect(header, i, item)) break;
    items.push_back({item.left, item.right});
  }
  return HeaderHit(items, GET_X_LPARAM(at));
}

class Header final : public ControlBehaviour {
 public:
  LRESULT PaintClient(SkinnedWindow& w, UINT, WPARAM wParam, LPARAM) const override { return PaintHeader(w, wParam); }
  void PointerMoved(SkinnedWindow& w, WPARAM keys, LPARAM at) const override {
    StartTracking(w);
    const int hit = HeaderHitAt(w.Handle, at);
    if (hit == w.HotItem) return;
    if (w.HotItem >= 0 && w.HotItem != w.PressedItem) PaintHeaderItem(w, nullptr, w.HotItem, ControlState::Normal);
    if (!LeftDown(keys)) {
      w.HotItem = hit;
      PaintHeaderItem(w, nullptr, hit, ControlState::Hot);
    } else if (hit == w.PressedItem) {
      PaintHeaderItem(w, nullptr, hit, ControlState::Pressed);
    }
  }
  void Pressed(SkinnedWindow& w, LPARAM at) const override {
    w.PressedItem = HeaderItemCount(w.Handle) > 0 ? HeaderHitAt(w.Handle, at) : -1;
    if (w.PressedItem >= 0) PaintHeaderItem(w, nullptr, w.PressedItem, ControlState::Pressed);
  }
  void DoubleClicked(SkinnedWindow& w, LPARAM at) const override { Pressed(w, at); }
  void Released(SkinnedWindow& w) const override {
    const int item = std::exchange(w.PressedItem, -1);
    if (item >= 0) PaintHeaderItem(w, nullptr, item, PointerOver(w.Handle) ? ControlState::Hot : ControlState::Normal);
  }
  void PointerLeft(SkinnedWindow& w) const override {
    const int item = w.HotItem;
    w.MouseFlag = false;
    w.PressedItem = w.HotItem = -1;
    if (item >= 0) PaintHeaderItem(w, nullptr, item, ControlState::Normal);
  }
};

class ProgressBar final : public ControlBehaviour {
 public:
  LRESULT PaintClient(SkinnedWindow& w, UINT, WPARAM wParam, LPARAM) const override {
    return PaintProgress(w.Handle, wParam);
  }
  LRESULT PaintFrame(SkinnedWindow& w, UINT, WPARAM, LPARAM) const override { return PaintProgressFrame(w.Handle); }
};

// Data lists and the drop-down lists of combo boxes: the two frames; a data
// list keeps its own border.
class List final : public ControlBehaviour {
 public:
  explicit List(bool ownBorder) : ownBorder_(ownBorder) {}
  LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
    if (!w.Gone) PaintListFrames(w.Handle);
    return result;
  }
  LRESULT PaintFrame(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    if (ownBorder_) return DefSubclassProc(w.Handle, message, wParam, lParam);
    return ControlBehaviour::PaintFrame(w, message, wParam, lParam);
  }

 private:
  bool ownBorder_;
};

class Grid final : public ControlBehaviour {
 public:
  LRESULT PaintClient(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) const override {
    const LRESULT result = DefSubclassProc(w.Handle, message, wParam, lParam);
    if (w.Gone || !(Style(w.Handle) & WS_BORDER)) return result;
    const SIZE size = WindowSize(w.Handle);
    const win::WindowDc dc(w.Handle, win::WindowDc::Area::Whole);
    if (dc) FrameSolid(dc.Get(), 0, 0, size.cx, size.cy, FrameColour(w.Handle));
    return result;
  }
};

}  // namespace

const ControlBehaviour& BehaviourOf(ControlKind kind) {
  static const Plain plain;
  static const PushButton pushButton;
  static const Combo combo;
  static const Marked checkBox(&PaintCheckBox), option(&PaintOption);
  static const Header header;
  static const ProgressBar progressBar;
  static const List dataList(true), comboList(false);
  static const Grid grid;
  switch (kind) {
    case ControlKind::PushButton: return pushButton;
    case ControlKind::ComboBox:
    case ControlKind::DriveList: return combo;
    case ControlKind::CheckBox: return checkBox;
    case ControlKind::OptionButton: return option;
    case ControlKind::ProgressBar: return progressBar;
    case ControlKind::Header: return header;
    case ControlKind::DataList: return dataList;
    case ControlKind::ComboList: return comboList;
    case ControlKind::Grid: return grid;
    case ControlKind::Form:
    case ControlKind::Other: break;
  }
  return plain;
}

}  // namespace quillane::skin
