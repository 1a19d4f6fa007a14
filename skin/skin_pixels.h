#pragma once
// The five small images every skinned control is drawn from, as pixel tables.
// Colours are 0xRRGGBB words, which is also the layout of a 32-bit DIB pixel,
// so the Win32 side copies them as they are and every colour stays exact.
#include <cstdint>
#include <vector>

namespace quillane::skin {

using Rgb = std::uint32_t;

// Pixels of this colour are left transparent by the colour-key copy.
inline constexpr Rgb kKeyColour = 0xFF00FF;

struct SkinImage {
  int Width = 0;
  int Height = 0;
  std::vector<Rgb> Pixels;  // row by row from the top

  Rgb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Push-button frames: four 7 x 21 frames stacked downwards (normal, hot,
// pressed, disabled), drawn as nine-slice with borders 3.
inline constexpr int kButtonFrameWidth = 7;
inline constexpr int kButtonFrameHeight = 21;
inline constexpr int kButtonBorder = 3;
constexpr int ButtonFrameTop(int state) { return kButtonFrameHeight * state; }

// Option-button circles: four 13 x 13 frames stacked downwards.
inline constexpr int kBoxFrameSize = 13;
constexpr int BoxFrameTop(int state) { return kBoxFrameSize * state; }

// Header items: three 3 x 20 frames side by side (normal, hot, pressed).
inline constexpr int kHeaderFrameWidth = 3;
inline constexpr int kHeaderFrameHeight = 20;
constexpr int HeaderFrameLeft(int state) { return kHeaderFrameWidth * state; }

// Glyphs of the mark image: the disabled copy sits this many columns right.
inline constexpr int kMarkDisabledOffset = 9;
struct Glyph {
  int X, Y, Width, Height;
};
inline constexpr Glyph kCheckMarkGlyph{0, 0, 9, 8};
inline constexpr Glyph kIndeterminateGlyph{1, 9, 7, 7};
inline constexpr Glyph kOptionDotGlyph{2, 18, 5, 5};
// The combo box's drop arrow: enabled at rows 0-3, disabled at rows 4-7.
inline constexpr Glyph kComboArrowGlyph{8, 0, 7, 4};
inline constexpr int kComboArrowDisabledOffset = 4;
// The drop button's background when hot (1) or pressed (2).
constexpr Glyph ComboBackground(int state) { return {state == 2 ? 4 : 0, 0, 4, 18}; }
// A hot (1) or pressed (2) check box is filled from the middle rows of that circle.
constexpr Glyph CheckBoxFill(int state) { return {1, BoxFrameTop(state) + 4, kBoxFrameSize - 2, 5}; }

struct SkinPixels {
  SkinImage Button;  // 7 x 84
  SkinImage Combo;   // 15 x 18
  SkinImage Mark;    // 18 x 24
  SkinImage Box;     // 13 x 52
  SkinImage Header;  // 9 x 20
};

// Every pixel of the five images, in the order they are built.
SkinPixels BuildSkinPixels();

}  // namespace quillane::skin
