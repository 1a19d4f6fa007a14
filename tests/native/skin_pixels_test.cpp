#include "skin/skin_pixels.h"
#include "skin/scaled_marks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillane::skin {
namespace {

const SkinPixels& Images() {
  static const SkinPixels images = BuildSkinPixels();
  return images;
}

struct ListedRow {
  const char* Name;
  const SkinImage* Image;
  int X;  // first column
  int Y;
  std::vector<Rgb> Pixels;
};

std::string Hex(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", colour);
  return text;
}

void ExpectRow(const ListedRow& row) {
  for (std::size_t i = 0; i < row.Pixels.size(); ++i) {
    const int x = row.X + static_cast<int>(i);
    EXPECT_EQ(Hex(row.Image->At(x, row.Y)), Hex(row.Pixels[i])) << row.Name << " at (" << x << ", " << row.Y << ")";
  }
}

TEST(SkinPixels, SizesAndNoPixelLeftUnwritten) {
  struct Size {
    const SkinImage* Image;
    int Width, Height;
  };
  for (const Size& s : {Size{&Images().Button, 7, 84}, Size{&Images().Combo, 15, 18}, Size{&Images().Mark, 18, 24},
                        Size{&Images().Box, 13, 52}, Size{&Images().Header, 9, 20}}) {
    EXPECT_EQ(s.Image->Width, s.Width);
    EXPECT_EQ(s.Image->Height, s.Height);
    ASSERT_EQ(s.Image->Pixels.size(), static_cast<std::size_t>(s.Width * s.Height));
    for (Rgb pixel : s.Image->Pixels) EXPECT_EQ(pixel & 0xFF000000u, 0u);
  }
  // Only the glyph images and the circles' outside corners are transparent.
  for (const SkinImage* image : {&Images().Button, &Images().Header})
    for (Rgb pixel : image->Pixels) EXPECT_NE(pixel, kKeyColour);
}

TEST(SkinPixels, ButtonSkinListedRows) {
  const SkinImage* b = &Images().Button;
  const std::vector<Rgb> top{0xBFE1F9, 0x6BB3E3, 0x2C97D8, 0x1B8FD5, 0x2C97D8, 0x6BB3E3, 0xBFE1F9};
  const std::vector<Rgb> bottom{0xCAE7FB, 0x60AEE1, 0x2A96D8, 0x1B8FD5, 0x2A96D8, 0x60AEE1, 0xCAE7FB};
  for (const ListedRow& row : std::vector<ListedRow>{
           {"normal top", b, 0, 0, top},
           {"normal", b, 0, 3, {0x1B8FD5, 0xF5FAFD, 0xF1F8FC, 0xF1F8FC, 0xF1F8FC, 0xF5FAFD, 0x1B8FD5}},
           {"normal", b, 0, 17, {0x1B8FD5, 0xC9DEF0, 0xB1D0EA, 0xB1D0EA, 0xB1D0EA, 0xC9DEF0, 0x1B8FD5}},
           {"normal bottom", b, 0, 20, bottom},
           {"hot top", b, 0, 21, top},
           {"hot", b, 0, 27, {0x1B8FD5, 0x4CC3FB, 0xC0E7FD, 0xE2F2FC, 0xC0E7FD, 0x4CC3FB, 0x1B8FD5}},
           {"hot bottom", b, 0, 41, bottom},
           {"pressed top", b, 0, 42, top},
           {"pressed", b, 0, 48, {0x1B8FD5, 0x3AB9F9, 0x9AD0F2, 0xB7DBF3, 0x9AD0F2, 0x3AB9F9, 0x1B8FD5}},
           {"pressed bottom", b, 0, 62, bottom},
           {"disabled", b, 0, 66, {0x87C3E8, 0xF3F8FC, 0xF2F7FB, 0xF2F7FB, 0xF2F7FB, 0xF3F8FC, 0x87C3E8}},
       })
    ExpectRow(row);
}

TEST(SkinPixels, ComboSkinSeparatorsGradientsAndArrow) {
  const SkinImage& c = Images().Combo;
  for (int y = 0; y < 18; ++y) {
    EXPECT_EQ(Hex(c.At(0, y)), "#4EA0D1");
    EXPECT_EQ(Hex(c.At(4, y)), "#4EA0D1");
  }
  const std::vector<std::pair<int, Rgb>> hotMiddle{{0, 0xE8F9FF}, {1, 0xC1EEFD}, {2, 0xBCEBFC},
                                                   {3, 0xB7E8FA}, {16, 0x65B8E3}, {17, 0xC0E1F3}};
  for (auto [y, colour] : hotMiddle) EXPECT_EQ(Hex(c.At(2, y)), Hex(colour)) << "row " << y;
  for (int x : {1, 3}) {
    EXPECT_EQ(Hex(c.At(x, 0)), "#E8F9FF");
    EXPECT_EQ(Hex(c.At(x, 17)), "#C0E1F3");
  }
  EXPECT_EQ(Hex(c.At(6, 0)), "#BEE1F3");
  EXPECT_EQ(Hex(c.At(6, 1)), "#61B5E2");
  EXPECT_EQ(Hex(c.At(6, 17)), "#E6F8FE");
  for (int y = 3; y < 16; ++y) {
    // Hot brightens upwards, pressed is the same gradient upside down.
    EXPECT_GE(c.At(2, y - 1) & 0xFF, c.At(2, y) & 0xFF) << "hot row " << y;
    EXPECT_LE(c.At(6, y - 1) & 0xFF, c.At(6, y) & 0xFF) << "pressed row " << y;
  }
  const char* arrow[4] = {"XXXXXXX", ".XXXXX.", "..XXX..", "...X..."};
  for (int y = 0; y < 18; ++y)
    for (int x = 8; x < 15; ++x) {
      Rgb expected = kKeyColour;
      if (y < 4 && arrow[y][x - 8] == 'X') expected = 0x19555F;
      if (y >= 4 && y < 8 && arrow[y - 4][x - 8] == 'X') expected = 0x84A5AC;
      EXPECT_EQ(Hex(c.At(x, y)), Hex(expected)) << "(" << x << ", " << y << ")";
    }
}

// The whole mark image: each glyph pixel in its listed colour, the rest the key.
TEST(SkinPixels, MarkSkinGlyphsAndKeyMask) {
  const SkinImage& m = Images().Mark;
  std::vector<std::vector<Rgb>> expected(24, std::vector<Rgb>(18, kKeyColour));
  const auto glyph = [&expected](int left, int top, const std::vector<std::string>& shape,
                                 const std::vector<std::vector<Rgb>>& colours) {
    for (std::size_t y = 0; y < shape.size(); ++y) {
      std::size_t next = 0;
      for (std::size_t x = 0; x < shape[y].size(); ++x)
        if (shape[y][x] == 'X') {
          const std::vector<Rgb>& row = colours[y];
          expected[top + y][left + x] = row.size() == 1 ? row[0] : row[next++];
        }
    }
  };
  const std::vector<std::string> check{"........X", ".......XX", "......XXX", "XX...XXX.",
                                       "XXX.XXX..", ".XXXXX...", "..XXX....", "...X....."};
  glyph(0, 0, check, {{0x54B71D}, {0x51B41B}, {0x4DAF17}, {0x48A913}, {0x43A20F}, {0x3E9C0A}, {0x399606}, {0x359102}});
  glyph(9, 0, check, {{0xA8DA8C}, {0xA6D98B}, {0xA4D689}, {0xA2D387}, {0x9FD085}, {0x9DCD82}, {0x9AC980}, {0x98C77E}});
  const std::vector<std::string> square(7, "XXXXXXX");
  glyph(1, 9, square, {{0x51B41B}, {0x4EB018}, {0x49AB14}, {0x45A410}, {0x409E0C}, {0x3B9807}, {0x399606}});
  glyph(10, 9, square, {{0xA6D98B}, {0xA4D689}, {0xA3D487}, {0xA0D186}, {0x9ECE83}, {0x9BCA81}, {0x9AC980}});
  const std::vector<std::string> dot{".XXX.", "XXXXX", "XXXXX", "XXXXX", ".XXX."};
  glyph(2, 18, dot,
        {{0x87CC60, 0x5CBA28, 0x87CC60},
         {0x83C85E, 0x4FB119, 0x4FB119, 0x4FB119, 0x83C85E},
         {0x50AC1D, 0x47A812, 0x47A812, 0x47A812, 0x50AC1D},
         {0x78BA54, 0x3F9D0B, 0x3F9D0B, 0x3F9D0B, 0x78BA54},
         {0x73B44F, 0x409910, 0x73B44F}});
  glyph(11, 18, dot,
        {{0xC3E5AF, 0xADDC93, 0xC3E5AF},
         {0xC1E3AE, 0xA7D88C, 0xA7D88C, 0xA7D88C, 0xC1E3AE},
         {0xA7D58E, 0xA3D388, 0xA3D388, 0xA3D388, 0xA7D58E},
         {0xBBDCA9, 0x9FCE85, 0x9FCE85, 0x9FCE85, 0xBBDCA9},
         {0xB9D9A7, 0x9FCC87, 0xB9D9A7}});
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 18; ++x) EXPECT_EQ(Hex(m.At(x, y)), Hex(expected[y][x])) << "(" << x << ", " << y << ")";
}

TEST(SkinPixels, BoxSkinListedRowsAndCornerMask) {
  const SkinImage* b = &Images().Box;
  constexpr Rgb K = kKeyColour;
  for (const ListedRow& row : std::vector<ListedRow>{
           {"normal top", b, 0, 0,
            {K, K, K, 0xBCCFE7, 0x95B3D9, 0x86A8D3, 0x83A6D2, 0x86A8D3, 0x95B3D9, 0xBCCFE7, K, K, K}},
           {"normal middle", b, 0, 6,
            {0x83A6D2, 0xF3F7FA, 0xFDFEFE, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
             0xFDFEFE, 0xF3F7FA, 0x83A6D2}},
           {"hot middle", b, 0, 19,
            {0x83A6D2, 0xC4EAF8, 0xC5EBF8, 0xC7ECF9, 0xC9EDF9, 0xCCEEFA, 0xCFEEFA, 0xD0F0FA, 0xD4F1FA, 0xD6F1FB,
             0xD9F2FB, 0xDBF4FC, 0x83A6D2}},
           {"pressed middle", b, 0, 32,
            {0x6489C1, 0xADE1F5, 0xAEE2F5, 0xB1E2F5, 0xB4E5F7, 0xB8E6F7, 0xBCE7F8, 0xBFEAF9, 0xC3ECF9, 0xC8EDF9,
             0xCDEFFA, 0xCFEFFA, 0x6489C1}},
           {"disabled middle", b, 0, 45,
            {0xC1D2E8, 0xF9FBFC, 0xFEFEFE, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
             0xFEFEFE, 0xF9FBFC, 0xC1D2E8}},
       })
    ExpectRow(row);
  // Each circle's outside corners, and nothing else, carry the key colour:
  // 3, 2 and 1 pixels at each end of the first three and last three rows.
  const int keyedAtEnds[13] = {3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
  for (int state = 0; state < 4; ++state)
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) {
        const int n = keyedAtEnds[y];
        const bool key = x < n || x >= 13 - n;
        EXPECT_EQ(b->At(x, BoxFrameTop(state) + y) == kKeyColour, key)
            << "frame " << state << " (" << x << ", " << y << ")";
      }
  // The ring at its widest points: top, bottom, left and right middles.
  const Rgb rings[4] = {0x83A6D2, 0x83A6D2, 0x6489C1, 0xC1D2E8};
  for (int state = 0; state < 4; ++state)
    for (auto [x, y] : {std::pair{6, 0}, std::pair{6, 12}, std::pair{0, 6}, std::pair{12, 6}})
      EXPECT_EQ(Hex(b->At(x, BoxFrameTop(state) + y)), Hex(rings[state])) << "frame " << state;
}

TEST(SkinPixels, HeaderSkinListedRows) {
  const SkinImage* h = &Images().Header;
  for (const ListedRow& row : std::vector<ListedRow>{
           {"top", h, 0, 0, {0xEAF5FE, 0xEAF5FE, 0xEAF5FE, 0xBDE6FD, 0xD3EEFE, 0xBDE6FD, 0x97D7FB, 0x97D7FB, 0x97D7FB}},
           {"middle", h, 0, 9, {0xEDF5FB, 0xD3E5F6, 0x7AB0D9, 0x5EC2FA, 0xAFE1FD, 0x4BA2DB, 0x5EC2FA, 0xB0E7FF, 0x4BA2DB}},
           {"row 18", h, 0, 18, {0xD3E5F6, 0xD3E5F6, 0xD3E5F6, 0x73CCFB, 0xA8DDFC, 0x73CCFB, 0xA8E3FD, 0xC8F2FF, 0xA8E3FD}},
           {"bottom line", h, 0, 19, std::vector<Rgb>(9, 0xC0DAF2)},
       })
    ExpectRow(row);
  // The normal separator is darkest in the middle; hot and pressed frames
  // (starting at columns 3 and 6) have the bright left column over most rows.
  for (int y = 0; y < 19; ++y) EXPECT_GE(h->At(2, y) & 0xFF00, h->At(2, 9) & 0xFF00) << "row " << y;
  for (int state : {1, 2})
    for (int y = 2; y < 17; ++y) EXPECT_EQ(Hex(h->At(HeaderFrameLeft(state), y)), "#5EC2FA") << "row " << y;
}

}  // namespace
}  // namespace quillane::skin

// The marks at other sizes: drawn afresh, never stretched.
namespace quillane::skin {
namespace {

bool Key(const SkinImage& image, int x, int y) { return image.At(x, y) == kKeyColour; }

TEST(ScaledMarks, At96DpiEveryMarkIsTheImagesOwnPixels) {
  const ScaledMarks marks = BuildScaledMarks(Images(), 96);
  EXPECT_EQ(marks.Diameter, 13);
  for (int state = 0; state < 4; ++state)
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(Hex(marks.Circles[state].At(x, y)), Hex(Images().Box.At(x, 13 * state + y))) << state << ": " << x << ", " << y;
  for (int d = 0; d < 2; ++d) {
    const SkinImage& check = marks.Check[d];
    ASSERT_EQ(check.Width, 9);
    ASSERT_EQ(check.Height, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 9; ++x) EXPECT_EQ(check.At(x, y), Images().Mark.At(x + 9 * d, y));
    EXPECT_EQ(marks.Dot[d].Width, 5);
    EXPECT_EQ(marks.Dot[d].At(2, 2), Images().Mark.At(4 + 9 * d, 20));
    EXPECT_EQ(marks.Arrow[d].Width, 7);
    EXPECT_EQ(marks.Arrow[d].At(3, 3), Images().Combo.At(11, 3 + 4 * d));
  }
}

// Round: the key colour outside is the same seen from every side (mirrored
// and turned), each row's outside shrinks towards the middle, and the
// circle touches all four edges. Marks grow with the dpi and keep their shape.
TEST(ScaledMarks, CirclesStayRoundAndMarksKeepTheirProportionsAtEveryDpi) {
  struct Case {
    int Dpi, Diameter, CheckWidth, Dot, ArrowHeight;
  };
  for (const Case c : {Case{120, 16, 11, 6, 5}, Case{144, 20, 14, 8, 6}, Case{192, 26, 18, 10, 8}}) {
    const ScaledMarks marks = BuildScaledMarks(Images(), c.Dpi);
    ASSERT_EQ(marks.Diameter, c.Diameter) << c.Dpi;
    const int d = c.Diameter;
    for (int state = 0; state < 4; ++state) {
      const SkinImage& circle = marks.Circles[state];
      ASSERT_EQ(circle.Width, d);
      ASSERT_EQ(circle.Height, d);
      int previousOutside = d;
      for (int y = 0; y < d; ++y) {
        int outside = 0;
        for (int x = 0; x < d; ++x) {
          const bool key = Key(circle, x, y);
          outside += key;
          ASSERT_EQ(key, Key(circle, d - 1 - x, y)) << c.Dpi << " mirrored at " << x << ", " << y;
          ASSERT_EQ(key, Key(circle, x, d - 1 - y)) << c.Dpi << " upside down at " << x << ", " << y;
          ASSERT_EQ(key, Key(circle, y, x)) << c.Dpi << " turned at " << x << ", " << y;
        }
        if (y < d / 2) {
          EXPECT_LE(outside, previousOutside) << c.Dpi << " row " << y;
          previousOutside = outside;
        }
      }
      EXPECT_FALSE(Key(circle, 0, d / 2)) << "touches the left edge";
      EXPECT_TRUE(Key(circle, 0, 0)) << "no corner";
      // The ring keeps the image's colour at its widest point; the middle its interior.
      EXPECT_EQ(Hex(circle.At(0, d / 2)), Hex(Images().Box.At(0, 13 * state + 6)));
      EXPECT_EQ(Hex(circle.At(d / 2, d / 2)), Hex(Images().Box.At(6, 13 * state + 6)));
    }
    for (int enabled = 0; enabled < 2; ++enabled) {
      EXPECT_EQ(marks.Check[enabled].Width, c.CheckWidth) << c.Dpi;
      EXPECT_TRUE(Key(marks.Check[enabled], 0, 0));
      EXPECT_FALSE(Key(marks.Check[enabled], marks.Check[enabled].Width - 1, 0)) << "the tip stays top right";
      const SkinImage& dot = marks.Dot[enabled];
      EXPECT_EQ(dot.Width, c.Dot);
      EXPECT_TRUE(Key(dot, 0, 0));
      EXPECT_FALSE(Key(dot, c.Dot / 2, c.Dot / 2));
      const SkinImage& arrow = marks.Arrow[enabled];
      EXPECT_EQ(arrow.Height, c.ArrowHeight);
      EXPECT_EQ(arrow.Width, 2 * c.ArrowHeight - 1);
      EXPECT_FALSE(Key(arrow, arrow.Width / 2, arrow.Height - 1)) << "the point at the bottom";
      EXPECT_TRUE(Key(arrow, 0, 1));
    }
  }
}

}  // namespace
}  // namespace quillane::skin
