#pragma once
// The skin's look for every kind but push buttons: check boxes and option
// buttons, the drop button of combo boxes and drive lists, header items,
// progress bars, the frames of lists and grids, and a flat one-pixel line in
// place of any window's sunken edge. Each picture is composed off screen and
// copied in one go, except option circles, which go straight onto the window
// through the key colour so the control's background shows around them.
#include <windows.h>

#include "skin/control_geometry.h"

namespace quillane::skin {

class SkinnedWindow;

// The box or circle at the window's left edge in `state` (0 normal, 1 hot,
// 2 pressed; disabled windows look disabled whatever the state). The caption
// stays the control's own. Drawn when the state differs from the one shown,
// or with `force`.
void PaintCheckBox(SkinnedWindow& window, int state, bool force);
void PaintOption(SkinnedWindow& window, int state, bool force);
// A check box's or option button's box or circle again, in the state it had.
void RepaintMark(SkinnedWindow& window);
// A combo box with an edit field (the drop-down style), whose drop button
// answers the pointer only over the button itself.
bool EditableCombo(const SkinnedWindow& window);
// A combo box's drop button, into `dc` (client coordinates) or the window's
// own context when null. Pressed whatever `state` while the list is open;
// simple combo boxes have no drop button.
void PaintComboButton(SkinnedWindow& window, HDC dc, int state, bool force);
// One header item, into `dc` or the window's own context when null. An index
// below 0, or of an item that no longer exists, draws nothing.
void PaintHeaderItem(SkinnedWindow& window, HDC dc, int index, int state);

// The width of the window's left border and the height of its top border.
Point GetNcBorder(HWND window);

// WM_PAINT and WM_NCPAINT of every kind but the skin's push buttons: each
// passes the message on where the kind keeps the control's own drawing, and
// returns the message's result.
LRESULT PaintClient(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PaintFrame(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillane::skin
