#pragma once
// What the skin does for each kind of control, in one place per kind: how
// it paints its client area and its frame, and how it answers the pointer
// and the space bar. The subclass procedure only finds the kind's behaviour
// and hands it the message; adding a kind means adding one behaviour.
//
// The looks: a blue-framed check box with a green mark, a circular option
// button, a flat drop button for combo boxes and drive lists, blue-framed
// lists and grids, gradient header items, a flat progress bar, push buttons
// from their four state images, and a flat one-pixel line in place of any
// window's sunken edge. Pictures are composed off screen and copied in one
// go, except option circles, which go straight onto the window through the
// key colour so the control's background shows around them.
#include <windows.h>

#include "skin/control_geometry.h"
#include "skin/control_kind.h"

namespace quillane::skin {

class SkinnedWindow;

class ControlBehaviour {
 public:
  virtual ~ControlBehaviour() = default;
  // WM_PAINT and WM_NCPAINT: each passes the message on where the kind keeps
  // the control's own drawing, and returns the message's result.
  virtual LRESULT PaintClient(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam) const;
  virtual LRESULT PaintFrame(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam) const;
  // After the control's own procedure had the pointer or key message.
  virtual void PointerMoved(SkinnedWindow&, WPARAM /*keys*/, LPARAM /*at*/) const {}
  virtual void Pressed(SkinnedWindow&, LPARAM /*at*/) const {}
  virtual void DoubleClicked(SkinnedWindow&, LPARAM /*at*/) const {}
  virtual void Released(SkinnedWindow&) const {}
  virtual void PointerLeft(SkinnedWindow&) const {}
  virtual void SpaceKey(SkinnedWindow&, bool /*down*/) const {}
  // Something changed that makes the control draw its own mark again.
  virtual void RepaintMark(SkinnedWindow&) const {}
};

// The one behaviour of each kind.
const ControlBehaviour& BehaviourOf(ControlKind kind);

// The box or circle at the window's left edge in `state` (disabled windows
// look disabled whatever the state). The caption stays the control's own.
// Drawn when the state differs from the one shown, or with `force`.
void PaintCheckBox(SkinnedWindow& window, ControlState state, bool force);
void PaintOption(SkinnedWindow& window, ControlState state, bool force);
// A combo box's drop button, into `dc` (client coordinates) or the window's
// own context when null. Pressed whatever `state` while the list is open;
// simple combo boxes have no drop button.
void PaintComboButton(SkinnedWindow& window, HDC dc, ControlState state, bool force);
// One header item, into `dc` or the window's own context when null. An index
// below 0, or of an item that no longer exists, draws nothing.
void PaintHeaderItem(SkinnedWindow& window, HDC dc, int index, ControlState state);

// The width of the window's left border and the height of its top border.
Point GetNcBorder(HWND window);

}  // namespace quillane::skin
