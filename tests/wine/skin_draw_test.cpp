// The skin's images and drawing primitives on real GDI surfaces.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include <string>

#include "skin/skin_draw.h"
#include "skin/scaled_marks.h"
#include "skin/skin_images.h"
#include "win32/design_table.h"
#include "skin/skin_pixels.h"
#include "win32/gdi.h"

namespace quillane::skin {
namespace {

Rgb PixelOf(HDC dc, int x, int y) {
  const COLORREF c = GetPixel(dc, x, y);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::string Hex(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", colour);
  return text;
}

constexpr Rgb kBackground = 0x123456;

TEST(SkinDraw, ImagesHoldEveryPixelOfTheirTablesExactly) {
  const auto before = win::LiveGdiObjects();
  {
    const auto images = BuildSkinBitmaps();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(win::LiveGdiObjects(), before + 2 * (5 + 4 + 4 * 2))
        << "a context and a bitmap for each of the five images, four circles and eight marks";
    const SkinPixels tables = BuildSkinPixels();
    const ScaledMarks marks = BuildScaledMarks(tables, win::ScreenDpi().Y);
    std::vector<std::pair<const Surface*, const SkinImage*>> pairs = {{images->Button.get(), &tables.Button},
                                                                      {images->Combo.get(), &tables.Combo},
                                                                      {images->Mark.get(), &tables.Mark},
                                                                      {images->Box.get(), &tables.Box},
                                                                      {images->Header.get(), &tables.Header}};
    for (std::size_t i = 0; i < 4; ++i) pairs.push_back({images->Circles[i].get(), &marks.Circles[i]});
    for (std::size_t i = 0; i < 2; ++i)
      for (const auto& [surface, table] : {std::pair{&images->Check, &marks.Check}, std::pair{&images->Square, &marks.Square},
                                           std::pair{&images->Dot, &marks.Dot}, std::pair{&images->Arrow, &marks.Arrow}})
        pairs.push_back({(*surface)[i].get(), &(*table)[i]});
    for (const auto& [surface, table] : pairs) {
      ASSERT_EQ(surface->Width(), table->Width);
      ASSERT_EQ(surface->Height(), table->Height);
      for (int y = 0; y < table->Height; ++y)
        for (int x = 0; x < table->Width; ++x)
          ASSERT_EQ(Hex(PixelOf(surface->Dc(), x, y)), Hex(table->At(x, y))) << "(" << x << ", " << y << ")";
    }
  }
  EXPECT_EQ(win::LiveGdiObjects(), before);
}

// Copying any glyph or circle with the key colour leaves the destination
// wherever the image has the key, and copies every other pixel exactly.
TEST(SkinDraw, ColourKeyCopiesLeaveTheDestinationInEveryKeyPixel) {
  const auto images = BuildSkinBitmaps();
  const SkinPixels tables = BuildSkinPixels();
  struct Block {
    const Surface* Source;
    const SkinImage* Table;
    Glyph Where;
  };
  std::vector<Block> blocks;
  for (const Glyph& g : {kCheckMarkGlyph, kIndeterminateGlyph, kOptionDotGlyph}) {
    blocks.push_back({images->Mark.get(), &tables.Mark, g});
    blocks.push_back({images->Mark.get(), &tables.Mark, {g.X + kMarkDisabledOffset, g.Y, g.Width, g.Height}});
  }
  for (int state = 0; state < 4; ++state)
    blocks.push_back({images->Box.get(), &tables.Box, {0, BoxFrameTop(state), kBoxFrameSize, kBoxFrameSize}});
  blocks.push_back({images->Combo.get(), &tables.Combo, kComboArrowGlyph});
  for (const Block& b : blocks) {
    const Surface target(b.Where.Width + 4, b.Where.Height + 4);
    FillSolid(target.Dc(), 0, 0, target.Width(), target.Height(), kBackground);
    BltColorKey(target.Dc(), 2, 2, b.Where.Width, b.Where.Height, b.Source->Dc(), b.Where.X, b.Where.Y, kKeyColour);
    for (int y = 0; y < b.Where.Height; ++y)
      for (int x = 0; x < b.Where.Width; ++x) {
        const Rgb source = b.Table->At(b.Where.X + x, b.Where.Y + y);
        ASSERT_EQ(Hex(PixelOf(target.Dc(), 2 + x, 2 + y)), Hex(source == kKeyColour ? kBackground : source))
            << "block at (" << b.Where.X << ", " << b.Where.Y << "), pixel (" << x << ", " << y << ")";
      }
    EXPECT_EQ(Hex(PixelOf(target.Dc(), 1, 1)), Hex(kBackground)) << "nothing drawn outside";
  }
}

TEST(SkinDraw, NineSliceKeepsBordersAndStretchesSmallTargetsWhole) {
  const auto images = BuildSkinBitmaps();
  const HDC button = images->Button->Dc();
  // An option circle on a larger box: corners keep the box's colour, the
  // ring stays one pixel wide and the middle is the circle's interior.
  const Surface box(30, 30);
  FillSolid(box.Dc(), 0, 0, 30, 30, kBackground);
  ASSERT_TRUE(BltNineSlice(box.Dc(), 0, 0, 30, 30, images->Box->Dc(), {0, 0, 13, 13}, {5, 5, 5, 5}, kKeyColour));
  EXPECT_EQ(Hex(PixelOf(box.Dc(), 0, 0)), Hex(kBackground));
  EXPECT_EQ(Hex(PixelOf(box.Dc(), 29, 29)), Hex(kBackground));
  EXPECT_EQ(Hex(PixelOf(box.Dc(), 0, 15)), "#83A6D2");
  EXPECT_EQ(Hex(PixelOf(box.Dc(), 15, 15)), "#FFFFFF");

  // Smaller than its borders: the whole frame shrunk, as a plain stretch
  // does it, not corners drawn over each other with mirrored middles.
  for (auto [w, h] : {std::pair{5, 5}, std::pair{4, 30}, std::pair{40, 3}}) {
    const Surface sliced(w, h), stretched(w, h);
    ASSERT_TRUE(BltNineSlice(sliced.Dc(), 0, 0, w, h, button, {0, 0, 7, 21}, {3, 3, 3, 3}));
    SetStretchBltMode(stretched.Dc(), COLORONCOLOR);
    StretchBlt(stretched.Dc(), 0, 0, w, h, button, 0, 0, 7, 21, SRCCOPY);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(Hex(PixelOf(sliced.Dc(), x, y)), Hex(PixelOf(stretched.Dc(), x, y))) << w << "x" << h;
  }
  const Surface nothing(10, 10);
  EXPECT_FALSE(BltNineSlice(nothing.Dc(), 0, 0, 0, 10, button, {0, 0, 7, 21}, {3, 3, 3, 3}));
}

}  // namespace
}  // namespace quillane::skin
