#pragma once
// Builds a form's child controls from its design table: positions in twips,
// converted to pixels at the display's dots per inch.
#include <windows.h>

#include <span>

#include "win32/gdi.h"

namespace quillane::win {

// The screen's dots per inch, horizontally and vertically.
struct DisplayDpi {
  int X = 96;
  int Y = 96;
};
DisplayDpi ScreenDpi();

struct TwipsRect {
  int Left;
  int Top;
  int Width;
  int Height;
};

// One control of a design table. WS_CHILD is added when the control is created.
struct DesignRow {
  const wchar_t* ClassName;
  const wchar_t* Caption;
  DWORD Style;
  DWORD ExStyle;
  int Id;
  TwipsRect Place;
};

// Each value converted on its own, as the forms' designer does.
RECT PixelRect(const TwipsRect& place, DisplayDpi dpi);
SIZE PixelSize(int widthTwips, int heightTwips, DisplayDpi dpi);

// The control is owned by `parent` and destroyed with it; `font` may be null
// (the control keeps its default) and must outlive the control.
HWND CreateDesignedControl(HWND parent, const DesignRow& row, DisplayDpi dpi, HFONT font);
// Creates the rows in table order (which is also the tab order); false when any fails.
bool CreateDesignedControls(HWND parent, std::span<const DesignRow> rows, DisplayDpi dpi, HFONT font);

// The design's sizes assume the design's font. With the font the system
// really gives, a caption may need more room: the control grows to the right
// and downwards until its caption reads whole (a wrapping caption word by
// word at its width, never cut inside a word), keeping its place. `reserved`
// is the width the control keeps for itself beside the caption (a button's
// border, an option's circle). The size it has afterwards.
SIZE GrowToFitCaption(HWND control, int reserved, bool wraps);

// A font of the given face, size in points and weight (FW_NORMAL, FW_BOLD, ...)
// at the display's vertical dots per inch.
Font CreateDesignFont(const wchar_t* face, double points, int weight, DisplayDpi dpi);

}  // namespace quillane::win
