#pragma once
// The controls other than push buttons. For now they keep the state they
// show and leave the drawing to the control itself.
#include <windows.h>

namespace quillane::skin {

class SkinnedWindow;

// Each returns 1 when the requested state was taken up: it differs from the
// one shown, or `force` is set.
int PaintCheckBox(SkinnedWindow& window, int state, bool force);
int PaintOption(SkinnedWindow& window, int state, bool force);
// A combo box's drop button; shows the pressed state while the list is open
// (`state` then becomes 2). Simple combo boxes have no drop button.
void PaintComboButton(SkinnedWindow& window, HDC dc, int& state, bool force);
// One header item; an index below 0 draws nothing.
int PaintHeaderItem(SkinnedWindow& window, HDC dc, int index, int state);

// WM_PAINT and WM_NCPAINT of every kind but the skin's push buttons.
LRESULT PaintClient(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PaintFrame(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillane::skin
