#pragma once
// Where the painters of check boxes, option buttons, combo boxes, headers,
// progress bars and flat borders put things, and which state they show.
// All of it is arithmetic on sizes the window side reads from the system.
#include <span>
#include <vector>

#include "skin/control_kind.h"
#include "skin/nine_slice.h"
#include "skin/skin_pixels.h"

namespace quillane::skin {

// Halves the way every painter does: ties go to the even number, so
// (13 - 8) / 2 is 2 and (13 - 9) / 2 is 2.
int Half(int value);

struct Point {
  int X = 0;
  int Y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// A glyph centred in a box: the check mark (9 x 8) in a 13 x 13 box lands
// at (2, 2), the indeterminate square (7 x 7) at (3, 3).
Point CentredIn(int boxWidth, int boxHeight, int glyphWidth, int glyphHeight);
// The top of a check box or option circle `boxHeight` high, centred in a
// window `windowHeight` high; the box sits at the window's left edge.
int BoxTop(int windowHeight, int boxHeight);

// The drop button of a combo box `width` x `height`, `scrollWidth` the
// system's vertical scroll bar width: where it goes in the window and where
// the arrow goes inside it.
struct DropButton {
  SliceRect Place;
  Point Arrow;
};
// The arrow is `arrowWidth` x `arrowHeight` (7 x 4 at 96 dpi).
DropButton DropButtonOf(int width, int height, int scrollWidth, int arrowWidth = 7, int arrowHeight = 4);
// Whether a pointer at (x, y) of an editable combo box is over its drop
// button: x from width - scrollWidth - 2 to width - 2, y from 2 to height - 2.
bool OnDropButton(int x, int y, int width, int height, int scrollWidth);
// The drop button's look while the pointer moves over the combo box:
// normal off an editable box's button, pressed with the left button down, else hot.
ControlState DropButtonLook(bool editable, bool onButton, bool leftButtonDown);

// Header items as their left and right edges, in index order.
struct ItemSpan {
  int Left = 0;
  int Right = 0;
};
// The first item with left <= x <= right, -1 for none.
int HeaderHit(std::span<const ItemSpan> items, int x);
// A stored item index, or -1 when that item does not exist (any more).
int ExistingItem(int index, int itemCount);
// An item's look when the whole header is drawn: pressed, else hot, else normal.
ControlState HeaderItemLook(int item, int pressedItem, int hotItem);

// A solid fill of a progress bar's picture.
struct Fill {
  SliceRect Area;
  Rgb Colour = 0;
  friend bool operator==(const Fill&, const Fill&) = default;
};

// Progress positions are read on a scale of 0 to 30000; a position outside
// it (a bar with another range) fills between nothing and the whole bar.
inline constexpr int kProgressScale = 30000;
float ProgressFraction(int position);
// The client picture, white with the filled part: from the left, or for a
// vertical bar from the bottom.
std::vector<Fill> ProgressClientFills(int clientWidth, int clientHeight, float fraction, bool vertical);
// The whole window: a blue frame with white inside, and the filled part of
// the client area at (borderX, borderY).
struct ProgressFrameLayout {
  int Width = 0, Height = 0;              // the window
  int BorderX = 0, BorderY = 0;           // the client's place in it
  int ClientWidth = 0, ClientHeight = 0;
  bool Vertical = false;
  bool Smooth = false;
};
std::vector<Fill> ProgressFrameFills(const ProgressFrameLayout& layout, float fraction);

// The width of a window's left border and the height of its top border:
// half of what the window has beyond its client area and scroll bars.
// `scrollWidth` and `scrollHeight` are 0 for a window without the bar.
Point NcBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight, int scrollWidth,
               int scrollHeight);
// The outlines that turn a sunken edge `borderWidth` wide into a one-pixel
// line: the window's outer outline, then one ring inside it for each
// further pixel of the edge, never reaching into the client area.
std::vector<SliceRect> FlatBorderRings(int width, int height, int borderWidth);

}  // namespace quillane::skin
