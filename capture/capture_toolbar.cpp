#include "capture/capture_toolbar.h"

#include <cmath>

#include "capture/capture_pickers.h"
#include "util/numbers.h"

namespace quillane::capture {

namespace {

struct ButtonDesign {
  std::wstring_view Tooltip;
  int Left;  // twips inside the strip
  int Top;
  int HoverLeft;
};

// By index. From left to right the strip shows 7, 6, 5, 4, 0, 8, 2, 3, 1.
constexpr std::array<ButtonDesign, kToolbarButtonCount> kButtons{{
    {L"撤销", 1700, 75, 1670},
    {L"复制退出", 3300, 60, 3240},
    {L"保存", 2440, 75, 2410},
    {L"退出截屏", 2900, 75, 2870},
    {L"添加箭头", 1220, 75, 1200},
    {L"添加文字", 860, 75, 820},
    {L"添加椎圆", 480, 75, 450},
    {L"添加矩形", 100, 75, 80},
    {L"重做", 2070, 75, 2040},
}};
constexpr int kButtonTwips = 240;
constexpr int kHoverFrameTwips = 300;
constexpr int kHoverFrameTopTwips = 45;

// The options panel and the two panels in it, in twips.
constexpr int kPanelHeightTwips = 560;
constexpr int kFontPanelLeftTwips = 120;
constexpr int kFontPanelWidthTwips = 1095;
constexpr int kColourPanelLeftTwips = 1180;

const ButtonDesign* Design(int index) {
  return index >= 0 && index < kToolbarButtonCount ? &kButtons[static_cast<std::size_t>(index)] : nullptr;
}

// Our own pictures, 16 x 16: b blue, d dark blue, w white, r red, g green.
constexpr std::array<ToolbarIcon, kToolbarButtonCount> kIcons{{
    {// undo
     "................", "................", "................", ".....b..........", "....bb..........",
     "...bbbbbbbbb....", "..bbbbbbbbbbb...", "...bb.......bb..", "....b........b..", ".............b..",
     ".............b..", "............bb..", "........bbbbb...", "................", "................",
     "................"},
    {// copy and close
     "................", "................", "................", "............gg..", "...........gg...",
     "..........gg....", ".........gg.....", "..g.....gg......", "..gg...gg.......", "...gg.gg........",
     "....ggg.........", ".....g..........", "................", "................", "................",
     "................"},
    {// save
     "................", ".dddddddddddddd.", ".dddwwwwwwwwddd.", ".dddwwwwwdwwddd.", ".dddwwwwwdwwddd.",
     ".dddwwwwwwwwddd.", ".dddddddddddddd.", ".dddddddddddddd.", ".ddwwwwwwwwwwdd.", ".ddwbbbbbbbbwdd.",
     ".ddwwwwwwwwwwdd.", ".ddwbbbbbbbbwdd.", ".ddwwwwwwwwwwdd.", ".dddddddddddddd.", "................",
     "................"},
    {// close
     "................", "................", "................", "...rr......rr...", "....rr....rr....",
     ".....rr..rr.....", "......rrrr......", ".......rr.......", "......rrrr......", ".....rr..rr.....",
     "....rr....rr....", "...rr......rr...", "................", "................", "................",
     "................"},
    {// arrow
     "................", "................", "........bbbbbb..", "...........bbb..", "..........bb.b..",
     ".........bb..b..", "........bb...b..", ".......bb....b..", "......bb........", ".....bb.........",
     "....bb..........", "...bb...........", "..bb............", "..b.............", "................",
     "................"},
    {// text
     "................", "................", ".......dd.......", ".......dd.......", "......d..d......",
     "......d..d......", ".....d....d.....", ".....d....d.....", "....dddddddd....", "....d......d....",
     "...d........d...", "...d........d...", "..ddd......ddd..", "................", "................",
     "................"},
    {// ellipse
     "................", "................", "................", ".....bbbbbb.....", "...bb......bb...",
     "..b..........b..", ".b............b.", ".b............b.", ".b............b.", ".b............b.",
     "..b..........b..", "...bb......bb...", ".....bbbbbb.....", "................", "................",
     "................"},
    {// rectangle
     "................", "................", "................", "..bbbbbbbbbbbb..", "..b..........b..",
     "..b..........b..", "..b..........b..", "..b..........b..", "..b..........b..", "..b..........b..",
     "..b..........b..", "..b..........b..", "..bbbbbbbbbbbb..", "................", "................",
     "................"},
    {// redo
     "................", "................", "................", "..........b.....", "..........bb....",
     "....bbbbbbbbb...", "...bbbbbbbbbbb..", "..bb.......bb...", "..b........b....", "..b.............",
     "..b.............", "..bb............", "...bbbbb........", "................", "................",
     "................"},
}};

}  // namespace

PixelBox TwipsBox(int left, int top, int width, int height, Dpi dpi) {
  const std::int32_t x = TwipsToPixels(left, dpi.X), y = TwipsToPixels(top, dpi.Y);
  return {x, y, x + TwipsToPixels(width, dpi.X), y + TwipsToPixels(height, dpi.Y)};
}

bool IsDrawingTool(int index) { return index >= kArrowTool && index <= kRectangleTool; }

std::wstring_view ToolbarTooltip(int index) {
  const ButtonDesign* design = Design(index);
  return design ? design->Tooltip : std::wstring_view{};
}

ToolbarLayout LayOutToolbar(Dpi dpi) {
  ToolbarLayout layout;
  layout.Strip = {static_cast<float>(TwipsToPixels(kStripWidthTwips, dpi.X)),
                  static_cast<float>(TwipsToPixels(kStripHeightTwips, dpi.Y))};
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonDesign& b = kButtons[i];
    layout.Buttons[i] = TwipsBox(b.Left, b.Top, kButtonTwips, kButtonTwips, dpi);
    layout.HoverFrames[i] = TwipsBox(b.HoverLeft, kHoverFrameTopTwips, kHoverFrameTwips, kHoverFrameTwips, dpi);
  }
  return layout;
}

int ButtonAt(const ToolbarLayout& layout, std::int32_t x, std::int32_t y) {
  for (int i = 0; i < kToolbarButtonCount; ++i)
    if (layout.Buttons[static_cast<std::size_t>(i)].Contains(x, y)) return i;
  return kNoButton;
}

PanelMetrics DesignedPanel(Dpi dpi) {
  const PaletteLayout palette = LayOutPalette(dpi);
  return {static_cast<float>(TwipsToPixels(kStripWidthTwips, dpi.X)),
          static_cast<float>(TwipsToPixels(kPanelHeightTwips, dpi.Y)),
          static_cast<float>(TwipsToPixels(kFontPanelLeftTwips, dpi.X)),
          static_cast<float>(TwipsToPixels(kFontPanelWidthTwips, dpi.X)),
          static_cast<float>(TwipsToPixels(kColourPanelLeftTwips, dpi.X)),
          static_cast<float>(palette[kCurrentColourBox].Left),
          static_cast<float>(palette[kSwatchCount - 1].Right)};
}

PanelShape ShapePanel(int tool, const PanelMetrics& panel) {
  if (tool == kTextTool) return {panel.StripWidth, true, panel.ColourPanelLeftBesideFont};
  // Without the font panel the colours move into its place and the panel
  // narrows by its width.
  // narrows by its width; they sit in its middle, with even margins.
  const float width = panel.StripWidth - panel.FontPanelWidth - 2;
  const float margin = (width - (panel.PaletteRight - panel.PaletteLeft)) / 2;
  return {width, false, std::round(margin - panel.PaletteLeft)};
}

PointF PlacePanel(PointF stripAt, SizeF strip, float panelHeight, float screenHeight) {
  if (stripAt.Y + strip.Height + 3 + panelHeight > screenHeight) return {stripAt.X, stripAt.Y - panelHeight - 3};
  return {stripAt.X, stripAt.Y + strip.Height + 3};
}

const ToolbarIcon& ToolbarIconOf(int index) {
  static const ToolbarIcon kBlank{"................", "................", "................", "................",
                                  "................", "................", "................", "................",
                                  "................", "................", "................", "................",
                                  "................", "................", "................", "................"};
  return index >= 0 && index < kToolbarButtonCount ? kIcons[static_cast<std::size_t>(index)] : kBlank;
}

std::uint32_t ToolbarIconColour(char code) {
  switch (code) {
    case 'b': return 0xEC7A00;  // RGB(0, 122, 236), the frame's blue
    case 'd': return 0x8C4600;  // RGB(0, 70, 140)
    case 'w': return 0xFFFFFF;
    case 'r': return 0x2828D2;  // RGB(210, 40, 40)
    case 'g': return 0x3C961E;  // RGB(30, 150, 60)
    default: return 0;
  }
}

}  // namespace quillane::capture
