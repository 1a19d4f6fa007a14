#include "skin/skin_pixels.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

#include "skin/skin_colours.h"

namespace quillane::skin {

namespace {

int Channel(Rgb colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// a + (b - a) x num / den in each channel, rounded to the nearest value.
Rgb Lerp(Rgb a, Rgb b, int num, int den) {
  Rgb out = 0;
  for (int shift : {16, 8, 0}) {
    const int from = Channel(a, shift), to = Channel(b, shift);
    const int delta = (to - from) * num;
    const int step = delta >= 0 ? (delta + den / 2) / den : -((-delta + den / 2) / den);
    out |= static_cast<Rgb>(from + step) << shift;
  }
  return out;
}

// `ring` over `base` with a weight in thousandths: the anti-aliased rim of a circle.
Rgb Blend(Rgb ring, Rgb base, int weight) {
  Rgb out = 0;
  for (int shift : {16, 8, 0}) {
    const int value = (Channel(ring, shift) * weight + Channel(base, shift) * (1000 - weight) + 500) / 1000;
    out |= static_cast<Rgb>(value) << shift;
  }
  return out;
}

// A colour that runs linearly between fixed points along one line of pixels.
struct Stop {
  int At;
  Rgb Colour;
};
Rgb Ramp(std::initializer_list<Stop> stops, int at) {
  const Stop* previous = stops.begin();
  for (const Stop& stop : stops) {
    if (stop.At == at) return stop.Colour;
    if (stop.At > at) return Lerp(previous->Colour, stop.Colour, at - previous->At, stop.At - previous->At);
    previous = &stop;
  }
  return previous->Colour;
}

SkinImage Blank(int width, int height, Rgb fill) {
  return {width, height, std::vector<Rgb>(static_cast<std::size_t>(width) * height, fill)};
}

void Set(SkinImage& image, int x, int y, Rgb colour) { image.Pixels[static_cast<std::size_t>(y) * image.Width + x] = colour; }

void RampColumn(SkinImage& image, int x, int top, int rows, std::initializer_list<Stop> stops) {
  for (int y = 0; y < rows; ++y) Set(image, x, top + y, Ramp(stops, y));
}

// --- ButtonSkin -----------------------------------------------------------

using ButtonRow = std::array<Rgb, kButtonFrameWidth>;
// Rows of the push-button frames are symmetric about the middle column.
constexpr ButtonRow Sym(Rgb edge, Rgb second, Rgb third, Rgb middle) {
  return {edge, second, third, middle, third, second, edge};
}
struct KeyRow {
  int Row;
  ButtonRow Pixels;
};

constexpr ButtonRow kTopEdge = Sym(0xBFE1F9, 0x6BB3E3, 0x2C97D8, 0x1B8FD5);
constexpr ButtonRow kBottomEdge = Sym(0xCAE7FB, 0x60AEE1, 0x2A96D8, 0x1B8FD5);
constexpr Rgb kBorder = 0x1B8FD5;

// One 7 x 21 frame; rows between two key rows run linearly from one to the other.
void ButtonFrame(SkinImage& image, int state, std::initializer_list<KeyRow> keys) {
  for (int x = 0; x < kButtonFrameWidth; ++x) {
    const KeyRow* previous = keys.begin();
    for (const KeyRow& key : keys) {
      for (int y = previous->Row; y <= key.Row; ++y) {
        const int span = key.Row - previous->Row;
        const Rgb colour = span == 0 ? key.Pixels[x] : Lerp(previous->Pixels[x], key.Pixels[x], y - previous->Row, span);
        Set(image, x, ButtonFrameTop(state) + y, colour);
      }
      previous = &key;
    }
  }
}

// The hot and pressed frames: a ring one pixel inside the border, around an
// interior given by its third and middle columns at three rows.
struct InteriorRow {
  int Row;
  Rgb Third, Middle;
};
void RingFrame(SkinImage& image, int state, Rgb ring, InteriorRow top, InteriorRow upper, InteriorRow lower) {
  const auto inside = [ring](const InteriorRow& r) { return KeyRow{r.Row, Sym(kBorder, ring, r.Third, r.Middle)}; };
  ButtonFrame(image, state,
              {{0, kTopEdge},
               {1, Sym(kBorder, ring, ring, ring)},
               inside(top),
               inside(upper),
               inside(lower),
               {19, Sym(kBorder, ring, ring, ring)},
               {20, kBottomEdge}});
}

SkinImage ButtonSkin() {
  SkinImage image = Blank(kButtonFrameWidth, 4 * kButtonFrameHeight, kKeyColour);
  // Normal: light at the top, darkening downwards.
  ButtonFrame(image, 0,
              {{0, kTopEdge},
               {1, Sym(kBorder, 0xE8F4FC, 0xFCFEFF, 0xFCFEFF)},
               {3, Sym(kBorder, 0xF5FAFD, 0xF1F8FC, 0xF1F8FC)},
               {17, Sym(kBorder, 0xC9DEF0, 0xB1D0EA, 0xB1D0EA)},
               {19, Sym(kBorder, 0xBFD8EE, 0xA7CAE7, 0xA7CAE7)},
               {20, kBottomEdge}});
  // Hot: a bright cyan inner ring.
  RingFrame(image, 1, 0x4CC3FB, {2, 0xE6F6FE, 0xF6FBFE}, {6, 0xC0E7FD, 0xE2F2FC}, {18, 0x8FD5F9, 0xACDFF9});
  // Pressed: a deeper blue inner ring over a darker interior.
  RingFrame(image, 2, 0x3AB9F9, {2, 0xA9D8F4, 0xC4E2F5}, {6, 0x9AD0F2, 0xB7DBF3}, {18, 0x78BFEC, 0x92CBEE});
  // Disabled: a pale border over near-white.
  constexpr Rgb kPaleBorder = 0x87C3E8;
  ButtonFrame(image, 3,
              {{0, Sym(0xE3F1FA, 0xB9DCF1, 0x98CBEC, kPaleBorder)},
               {1, Sym(kPaleBorder, 0xF8FBFD, 0xFBFDFE, 0xFBFDFE)},
               {3, Sym(kPaleBorder, 0xF3F8FC, 0xF2F7FB, 0xF2F7FB)},
               {19, Sym(kPaleBorder, 0xE9F1F8, 0xE6EFF7, 0xE6EFF7)},
               {20, Sym(0xE8F4FB, 0xB5DAF0, 0x96CAEB, kPaleBorder)}});
  return image;
}

// --- ComboSkin ------------------------------------------------------------

SkinImage ComboSkin() {
  SkinImage image = Blank(15, 18, kKeyColour);
  constexpr int kRows = 18;
  constexpr Rgb kSeparator = 0x4EA0D1;
  RampColumn(image, 0, 0, kRows, {{0, kSeparator}});
  RampColumn(image, 4, 0, kRows, {{0, kSeparator}});
  // Hot: brightens upwards, the middle column deepest.
  for (int x : {1, 3}) RampColumn(image, x, 0, kRows, {{0, 0xE8F9FF}, {17, 0xC0E1F3}});
  RampColumn(image, 2, 0, kRows,
             {{0, 0xE8F9FF}, {1, 0xC1EEFD}, {2, 0xBCEBFC}, {3, 0xB7E8FA}, {16, 0x65B8E3}, {17, 0xC0E1F3}});
  // Pressed: the same gradient upside down.
  for (int x : {5, 7}) RampColumn(image, x, 0, kRows, {{0, 0xBEE1F3}, {17, 0xE6F8FE}});
  RampColumn(image, 6, 0, kRows,
             {{0, 0xBEE1F3}, {1, 0x61B5E2}, {14, 0xB7E8FA}, {15, 0xBCEBFC}, {16, 0xC1EEFD}, {17, 0xE6F8FE}});
  // The drop arrow, 7, 5, 3 and 1 pixels wide, enabled above disabled.
  for (int row = 0; row < 4; ++row)
    for (int x = kComboArrowGlyph.X + row; x < kComboArrowGlyph.X + kComboArrowGlyph.Width - row; ++x) {
      Set(image, x, row, 0x19555F);
      Set(image, x, row + kComboArrowGlyph.Height, 0x84A5AC);
    }
  return image;
}

// --- MarkSkin -------------------------------------------------------------

struct GlyphRow {
  std::string_view Shape;  // 'X' is a pixel of the glyph, anything else the key colour
  std::array<Rgb, 2> Colours;  // enabled, disabled
};

void PutGlyphRows(SkinImage& image, int left, int top, std::initializer_list<GlyphRow> rows) {
  int y = top;
  for (const GlyphRow& row : rows) {
    for (int copy = 0; copy < 2; ++copy)
      for (std::size_t x = 0; x < row.Shape.size(); ++x)
        if (row.Shape[x] == 'X')
          Set(image, left + copy * kMarkDisabledOffset + static_cast<int>(x), y, row.Colours[copy]);
    ++y;
  }
}

// One row of the option dot: ends, middle, ends, each in its own colour.
void PutDotRow(SkinImage& image, int y, bool rounded, std::array<Rgb, 2> ends, std::array<Rgb, 2> middle) {
  const int first = rounded ? 1 : 0, last = rounded ? 3 : 4;
  for (int copy = 0; copy < 2; ++copy) {
    const int left = kOptionDotGlyph.X + copy * kMarkDisabledOffset;
    for (int x = first; x <= last; ++x)
      Set(image, left + x, kOptionDotGlyph.Y + y, x == first || x == last ? ends[copy] : middle[copy]);
  }
}

SkinImage MarkSkin() {
  SkinImage image = Blank(18, 24, kKeyColour);
  PutGlyphRows(image, kCheckMarkGlyph.X, kCheckMarkGlyph.Y,
               {{"........X", {0x54B71D, 0xA8DA8C}},
                {".......XX", {0x51B41B, 0xA6D98B}},
                {"......XXX", {0x4DAF17, 0xA4D689}},
                {"XX...XXX.", {0x48A913, 0xA2D387}},
                {"XXX.XXX..", {0x43A20F, 0x9FD085}},
                {".XXXXX...", {0x3E9C0A, 0x9DCD82}},
                {"..XXX....", {0x399606, 0x9AC980}},
                {"...X.....", {0x359102, 0x98C77E}}});
  PutGlyphRows(image, kIndeterminateGlyph.X, kIndeterminateGlyph.Y,
               {{"XXXXXXX", {0x51B41B, 0xA6D98B}},
                {"XXXXXXX", {0x4EB018, 0xA4D689}},
                {"XXXXXXX", {0x49AB14, 0xA3D487}},
                {"XXXXXXX", {0x45A410, 0xA0D186}},
                {"XXXXXXX", {0x409E0C, 0x9ECE83}},
                {"XXXXXXX", {0x3B9807, 0x9BCA81}},
                {"XXXXXXX", {0x399606, 0x9AC980}}});
  PutDotRow(image, 0, true, {0x87CC60, 0xC3E5AF}, {0x5CBA28, 0xADDC93});
  PutDotRow(image, 1, false, {0x83C85E, 0xC1E3AE}, {0x4FB119, 0xA7D88C});
  PutDotRow(image, 2, false, {0x50AC1D, 0xA7D58E}, {0x47A812, 0xA3D388});
  PutDotRow(image, 3, false, {0x78BA54, 0xBBDCA9}, {0x3F9D0B, 0x9FCE85});
  PutDotRow(image, 4, true, {0x73B44F, 0xB9D9A7}, {0x409910, 0x9FCC87});
  return image;
}

// --- BoxSkin --------------------------------------------------------------

// The top-left quadrant of a circle 13 across; the other three mirror it.
// K key colour; digits the anti-aliased rim (weights below); R the ring at
// full strength; s and t the soft inner shade next to the ring; I interior.
constexpr std::array<std::string_view, 7> kCircleQuadrant{
    "KKK123R",
    "KK45sss",
    "K46tttt",
    "15tIIII",
    "2stIIII",
    "3stIIII",
    "RstIIII",
};
constexpr int RimWeight(char c) {
  switch (c) {
    case '1': return 540;
    case '2': return 855;
    case '3': return 977;
    case '4': return 760;
    case '5': return 420;
    case '6': return 260;
    default: return 1000;
  }
}

struct CircleLook {
  Rgb Ring;
  // The soft shade inside the ring; 0 lets the interior run up to the ring.
  Rgb Shade1 = 0;
  Rgb Shade2 = 0;
  // Interior colour at (x, y) of the 13 x 13 frame.
  Rgb (*Interior)(int x, int y);
};

// The hot and pressed interiors follow a diagonal ramp through the frame's
// middle row; beyond its ends they stay at the end colours.
constexpr std::array<Rgb, 11> kHotMiddleRow{0xC4EAF8, 0xC5EBF8, 0xC7ECF9, 0xC9EDF9, 0xCCEEFA, 0xCFEEFA,
                                            0xD0F0FA, 0xD4F1FA, 0xD6F1FB, 0xD9F2FB, 0xDBF4FC};
constexpr std::array<Rgb, 11> kPressedMiddleRow{0xADE1F5, 0xAEE2F5, 0xB1E2F5, 0xB4E5F7, 0xB8E6F7, 0xBCE7F8,
                                                0xBFEAF9, 0xC3ECF9, 0xC8EDF9, 0xCDEFFA, 0xCFEFFA};
Rgb RampAt(const std::array<Rgb, 11>& ramp, int column) { return ramp[std::clamp(column, 1, 11) - 1]; }

Rgb WhiteInterior(int, int) { return kWhite; }
// Lightens towards the bottom right.
Rgb HotInterior(int x, int y) { return RampAt(kHotMiddleRow, x + (y - 6)); }
// Lightens towards the top right.
Rgb PressedInterior(int x, int y) { return RampAt(kPressedMiddleRow, x - (y - 6)); }

void Circle(SkinImage& image, int state, const CircleLook& look) {
  for (int y = 0; y < kBoxFrameSize; ++y)
    for (int x = 0; x < kBoxFrameSize; ++x) {
      const int qx = std::min(x, kBoxFrameSize - 1 - x), qy = std::min(y, kBoxFrameSize - 1 - y);
      const char kind = kCircleQuadrant[qy][qx];
      const Rgb interior = look.Interior(x, y);
      Rgb colour = interior;
      if (kind == 'K')
        colour = kKeyColour;
      else if (kind == 's' && look.Shade1)
        colour = look.Shade1;
      else if (kind == 't' && look.Shade2)
        colour = look.Shade2;
      else if (kind == 'R' || (kind >= '1' && kind <= '6'))
        colour = Blend(look.Ring, interior, RimWeight(kind));
      Set(image, x, BoxFrameTop(state) + y, colour);
    }
}

SkinImage BoxSkin() {
  SkinImage image = Blank(kBoxFrameSize, 4 * kBoxFrameSize, kKeyColour);
  Circle(image, 0, {0x83A6D2, 0xF3F7FA, 0xFDFEFE, WhiteInterior});
  Circle(image, 1, {0x83A6D2, 0, 0, HotInterior});
  Circle(image, 2, {0x6489C1, 0, 0, PressedInterior});
  Circle(image, 3, {0xC1D2E8, 0xF9FBFC, 0xFEFEFE, WhiteInterior});
  return image;
}

// --- HeaderSkin -----------------------------------------------------------

SkinImage HeaderSkin() {
  SkinImage image = Blank(9, 20, kKeyColour);
  constexpr int kRows = 19;  // the last row is the bottom line
  // Normal: a light left line, the body, the separator at the item's right edge.
  RampColumn(image, 0, 0, kRows, {{0, 0xEAF5FE}, {1, 0xEDF5FB}, {17, 0xEDF5FB}, {18, 0xD3E5F6}});
  RampColumn(image, 1, 0, kRows, {{0, 0xEAF5FE}, {8, 0xDBEAF8}, {9, 0xD3E5F6}, {18, 0xD3E5F6}});
  RampColumn(image, 2, 0, kRows, {{0, 0xEAF5FE}, {2, 0xB5D3EC}, {9, 0x7AB0D9}, {16, 0xADCDE9}, {18, 0xD3E5F6}});
  // Hot: bright left column, lighter centre, darker right column.
  RampColumn(image, 3, 0, kRows, {{0, 0xBDE6FD}, {1, 0x5EC2FA}, {17, 0x5EC2FA}, {18, 0x73CCFB}});
  RampColumn(image, 4, 0, kRows, {{0, 0xD3EEFE}, {9, 0xAFE1FD}, {18, 0xA8DDFC}});
  RampColumn(image, 5, 0, kRows, {{0, 0xBDE6FD}, {2, 0x6AB9E9}, {9, 0x4BA2DB}, {16, 0x5AB2E5}, {18, 0x73CCFB}});
  // Pressed: the same columns over a deeper top.
  RampColumn(image, 6, 0, kRows, {{0, 0x97D7FB}, {1, 0x5EC2FA}, {17, 0x5EC2FA}, {18, 0xA8E3FD}});
  RampColumn(image, 7, 0, kRows, {{0, 0x97D7FB}, {9, 0xB0E7FF}, {18, 0xC8F2FF}});
  RampColumn(image, 8, 0, kRows, {{0, 0x97D7FB}, {2, 0x62B2E4}, {9, 0x4BA2DB}, {16, 0x6AB8E6}, {18, 0xA8E3FD}});
  for (int x = 0; x < 9; ++x) Set(image, x, kRows, 0xC0DAF2);
  return image;
}

}  // namespace

SkinPixels BuildSkinPixels() { return {ButtonSkin(), ComboSkin(), MarkSkin(), BoxSkin(), HeaderSkin()}; }

}  // namespace quillane::skin
