#pragma once
// The capture's toolbar strip `Picture1` with its nine buttons `Image2` and
// hover frames `Shape3`, and the tool options panel `Picture2` it opens: the
// design in twips, laid out at a display's dots per inch, the button under a
// point, and where the panel goes and how wide it is for each tool. Nothing
// here touches a window.
#include <array>
#include <cstdint>
#include <string_view>

#include "capture/capture_geometry.h"

namespace quillane::capture {

// The buttons by index (the control array's), not by their place on the strip.
enum ToolbarIndex : int {
  kUndoButton = 0,
  kCopyButton = 1,  // copy the region and close
  kSaveButton = 2,
  kCloseButton = 3,
  kArrowTool = 4,
  kTextTool = 5,
  kEllipseTool = 6,
  kRectangleTool = 7,
  kRedoButton = 8,
};
inline constexpr int kToolbarButtonCount = 9;
inline constexpr int kNoButton = -1;

bool IsDrawingTool(int index);
// The button's tooltip; for the four drawing tools it is also the tool's
// name in `currentTool`.
std::wstring_view ToolbarTooltip(int index);

// The strip's design size in twips.
inline constexpr int kStripWidthTwips = 3620;
inline constexpr int kStripHeightTwips = 390;

// Dots per inch across and down.
struct Dpi {
  std::int32_t X = 96;
  std::int32_t Y = 96;
};

// A design box in twips as pixels at that dpi, each value converted on its own.
PixelBox TwipsBox(int left, int top, int width, int height, Dpi dpi);

// The strip at one dpi, in the strip's own pixels; each twips value is
// converted on its own, as the form designer does.
struct ToolbarLayout {
  SizeF Strip;
  std::array<PixelBox, kToolbarButtonCount> Buttons;      // the 16-pixel pictures' boxes
  std::array<PixelBox, kToolbarButtonCount> HoverFrames;  // behind each button
};
ToolbarLayout LayOutToolbar(Dpi dpi);

// The button whose box holds the point, or kNoButton.
int ButtonAt(const ToolbarLayout& layout, std::int32_t x, std::int32_t y);

// The options panel's design: its height and the two panels inside it.
struct PanelMetrics {
  float StripWidth = 0;      // the text tool's panel is as wide as the strip
  float Height = 0;
  float FontPanelLeft = 0;   // `PicFont`
  float FontPanelWidth = 0;
  float ColourPanelLeftBesideFont = 0;  // `PicColor` when the font panel shows
  // Where the palette's boxes begin and end inside `PicColor`.
  float PaletteLeft = 0;
  float PaletteRight = 0;
};
PanelMetrics DesignedPanel(Dpi dpi);

// How a drawing tool shapes the panel.
struct PanelShape {
  float Width = 0;
  bool FontPanelVisible = false;
  float ColourPanelLeft = 0;
  bool operator==(const PanelShape&) const = default;
};
PanelShape ShapePanel(int tool, const PanelMetrics& panel);

// Against the strip's left edge, 3 pixels below it, or above it when the
// screen ends first.
PointF PlacePanel(PointF stripAt, SizeF strip, float panelHeight, float screenHeight);

// The 16 x 16 picture of a button, row by row: '.' shows what lies behind,
// any other character a colour of ToolbarIconColour.
inline constexpr int kToolbarIconSize = 16;
using ToolbarIcon = std::array<std::string_view, kToolbarIconSize>;
const ToolbarIcon& ToolbarIconOf(int index);
// 0x00BBGGRR for an icon character.
std::uint32_t ToolbarIconColour(char code);

}  // namespace quillane::capture
