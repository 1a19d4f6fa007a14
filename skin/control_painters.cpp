#include "skin/control_painters.h"

#include <commctrl.h>

#include "skin/skinned_window.h"

namespace quillane::skin {

namespace {

int TakeState(SkinnedWindow& window, int state, bool force) {
  if (state == window.OldState && !force) return 0;
  window.OldState = state;
  return 1;
}

}  // namespace

int PaintCheckBox(SkinnedWindow& window, int state, bool force) { return TakeState(window, state, force); }

int PaintOption(SkinnedWindow& window, int state, bool force) { return TakeState(window, state, force); }

void PaintComboButton(SkinnedWindow& window, HDC, int& state, bool force) {
  if (SendMessageW(window.Handle, CB_GETDROPPEDSTATE, 0, 0)) state = 2;
  if (state == window.OldState && !force) return;
  if ((GetWindowLongPtrW(window.Handle, GWL_STYLE) & 2) == 0) return;
  window.OldState = state;
}

int PaintHeaderItem(SkinnedWindow&, HDC, int, int) { return 0; }

LRESULT PaintClient(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window.Handle, message, wParam, lParam);
}

LRESULT PaintFrame(SkinnedWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window.Handle, message, wParam, lParam);
}

}  // namespace quillane::skin
