#include "capture/loupe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillane::capture {
namespace {

// ---- Placement ----

const PixelBox kPrimary{0, 0, 1920, 1080};
const PixelBox kLeftMonitor{-1280, 0, 0, 1024};

bool OnMonitor(const PixelBox& box, const PixelBox& monitor) {
  return box.Left >= monitor.Left && box.Top >= monitor.Top && box.Right <= monitor.Right &&
         box.Bottom <= monitor.Bottom;
}

bool Meet(const PixelBox& a, const PixelBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

enum Side { Before, After };  // left of / above the pointer, or right of / below it

TEST(Loupe, SitsBesideThePointerAndFlipsToStayOnItsMonitor) {
  struct Row {
    const char* Where;
    std::int32_t X, Y;
    PixelBox Monitor;
    Side Across, Down;
  };
  const Row rows[] = {
      {"middle", 960, 540, kPrimary, After, After},
      {"top-left corner", 0, 0, kPrimary, After, After},
      {"top edge", 960, 0, kPrimary, After, After},
      {"left edge", 0, 540, kPrimary, After, After},
      {"right edge", 1919, 540, kPrimary, Before, After},
      {"top-right corner", 1919, 0, kPrimary, Before, After},
      {"bottom edge", 960, 1079, kPrimary, After, Before},
      {"bottom-left corner", 0, 1079, kPrimary, After, Before},
      {"bottom-right corner", 1919, 1079, kPrimary, Before, Before},
      {"just fits right", 1920 - kLoupeGap - kLoupeWidth, 540, kPrimary, After, After},
      {"one short of fitting", 1921 - kLoupeGap - kLoupeWidth, 540, kPrimary, Before, After},
      // A monitor left of the primary: it flips rather than spill onto the primary.
      {"left monitor's right edge", -1, 500, kLeftMonitor, Before, After},
      {"left monitor's bottom", -600, 1023, kLeftMonitor, After, Before},
  };
  for (const Row& row : rows) {
    const std::optional<PixelBox> loupe = PlaceLoupe(row.X, row.Y, row.Monitor, {});
    ASSERT_TRUE(loupe) << row.Where;
    EXPECT_EQ(loupe->Width(), kLoupeWidth) << row.Where;
    EXPECT_EQ(loupe->Height(), kLoupeHeight) << row.Where;
    EXPECT_TRUE(OnMonitor(*loupe, row.Monitor)) << row.Where;
    // Beside the pointer: clear of it, with a gap of the pointer's size at most.
    const std::int32_t across = row.Across == After ? loupe->Left - row.X : row.X - loupe->Right + 1;
    const std::int32_t down = row.Down == After ? loupe->Top - row.Y : row.Y - loupe->Bottom + 1;
    EXPECT_GT(across, 0) << row.Where;
    EXPECT_LE(across, 32) << row.Where;
    EXPECT_GT(down, 0) << row.Where;
    EXPECT_LE(down, 32) << row.Where;
  }
}

TEST(Loupe, KeepsOffTheToolbarAndPanelAndHidesOverThem) {
  const PixelBox toolbar{600, 600, 841, 626};
  const PixelBox panel{600, 630, 841, 700};
  const std::vector<PixelBox> avoid{toolbar, panel};
  // Over either: hidden.
  for (const auto& [x, y] : {std::pair{600, 600}, {840, 625}, {700, 650}, {840, 699}})
    EXPECT_FALSE(PlaceLoupe(x, y, kPrimary, avoid)) << x << "," << y;
  // Just above the toolbar the first spot would cover it: another one is taken.
  for (const auto& [x, y] : {std::pair{700, 599}, {599, 610}, {842, 650}, {500, 500}}) {
    const std::optional<PixelBox> loupe = PlaceLoupe(x, y, kPrimary, avoid);
    ASSERT_TRUE(loupe) << x << "," << y;
    EXPECT_FALSE(Meet(*loupe, toolbar)) << x << "," << y;
    EXPECT_FALSE(Meet(*loupe, panel)) << x << "," << y;
    EXPECT_TRUE(OnMonitor(*loupe, kPrimary)) << x << "," << y;
  }
  // Boxes round the pointer that every spot would cover: hidden rather than over them.
  const std::vector<PixelBox> around{{0, 0, 1920, 530}, {0, 550, 1920, 1080}};
  EXPECT_FALSE(PlaceLoupe(960, 540, kPrimary, around));
}

// At 96 dpi the sizes above; on monitors of more dpi all of them grow, and
// the loupe still flips where the monitor ends, at its bigger size.
struct DpiRow {
  int Dpi;
  int Zoom, Width, Height, Gap, FontHeight;
};
const DpiRow kDpiRows[] = {
    {96, 8, 137, 157, 16, 14},
    {120, 10, 171, 196, 20, 18},
    {144, 12, 205, 235, 24, 21},
};

TEST(Loupe, GrowsWithTheDpiOfItsMonitorAndStillFlipsAtItsEdges) {
  EXPECT_EQ(LoupeMetricsAt(96), LoupeMetrics{});
  EXPECT_EQ(LoupeMetricsAt(0), LoupeMetrics{}) << "an unknown dpi is 96";
  for (const DpiRow& row : kDpiRows) {
    const LoupeMetrics m = LoupeMetricsAt(row.Dpi);
    EXPECT_EQ(m.Zoom, row.Zoom) << row.Dpi;
    EXPECT_EQ(m.Width(), row.Width) << row.Dpi;
    EXPECT_EQ(m.Height(), row.Height) << row.Dpi;
    EXPECT_EQ(m.Gap, row.Gap) << row.Dpi;
    EXPECT_EQ(m.CaptionFontHeight, row.FontHeight) << row.Dpi;
    // Right of and below the pointer while it fits, flipped one pixel further.
    const std::int32_t fitsX = 1920 - row.Gap - row.Width, fitsY = 1080 - row.Gap - row.Height;
    const struct {
      std::int32_t X, Y;
      bool Right, Below;
    } spots[] = {{fitsX, fitsY, true, true}, {fitsX + 1, fitsY, false, true}, {fitsX, fitsY + 1, true, false}};
    for (const auto& spot : spots) {
      const std::optional<PixelBox> loupe = PlaceLoupe(spot.X, spot.Y, kPrimary, {}, m);
      ASSERT_TRUE(loupe) << row.Dpi;
      EXPECT_EQ(loupe->Width(), row.Width) << row.Dpi;
      EXPECT_EQ(loupe->Height(), row.Height) << row.Dpi;
      EXPECT_TRUE(OnMonitor(*loupe, kPrimary)) << row.Dpi;
      EXPECT_EQ(loupe->Left > spot.X, spot.Right) << row.Dpi << " " << spot.X;
      EXPECT_EQ(loupe->Top > spot.Y, spot.Below) << row.Dpi << " " << spot.Y;
    }
  }
}

// ---- The lens ----

// A picture whose every pixel differs from its neighbours, in runs of equal
// pixels where `runs` is set, so a move leaves some cells as they were.
struct Picture {
  std::int32_t Width, Height;
  std::vector<std::uint32_t> Pixels;
  Picture(std::int32_t width, std::int32_t height, bool runs = false) : Width(width), Height(height) {
    Pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x)
        Pixels[static_cast<std::size_t>(y) * width + x] =
            runs ? ((x / 5) * 0x2345 + (y / 3) * 0x51) & 0xFFFFFF : static_cast<std::uint32_t>(x << 12 | y);
  }
  PixelSource Source() const { return {Pixels.data(), Width, Height, Width}; }
  std::uint32_t At(std::int32_t x, std::int32_t y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

struct Lens {
  std::vector<std::uint32_t> Pixels = std::vector<std::uint32_t>(kLoupeLensSide * kLoupeLensSide, 0xABCDEF);
  LoupeLens Renderer;
  PixelBox Render(const PixelSource& source, std::int32_t x, std::int32_t y) {
    return Renderer.Render(Pixels, kLoupeLensSide, source, x, y);
  }
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * kLoupeLensSide + x]; }
  // The colour in the middle of the cell `column`, `row` cells from the pointer's.
  std::uint32_t Cell(int column, int row) const {
    const int pitch = (kLoupeLensSide - 1) / kLoupeCells;
    return At((kLoupeReach + column) * pitch + pitch / 2, (kLoupeReach + row) * pitch + pitch / 2);
  }
};

TEST(Loupe, EachCellShowsItsPixelEnlargedWithGridLinesBetween) {
  const Picture picture(64, 48);
  Lens lens;
  EXPECT_EQ(lens.Render(picture.Source(), 30, 20), (PixelBox{0, 0, kLoupeLensSide, kLoupeLensSide}));
  for (int row = -kLoupeReach; row <= kLoupeReach; ++row)
    for (int column = -kLoupeReach; column <= kLoupeReach; ++column)
      ASSERT_EQ(lens.Cell(column, row), picture.At(30 + column, 20 + row)) << column << "," << row;
  EXPECT_EQ(lens.Renderer.PointerPixel(), picture.At(30, 20));
  // A cell is a square of one colour, bounded by grid lines; the lens has a frame.
  const int pitch = (kLoupeLensSide - 1) / kLoupeCells;
  EXPECT_GE(pitch, 6);
  EXPECT_LE(pitch, 10);
  for (int i = 1; i < pitch; ++i)
    for (int j = 1; j < pitch; ++j) ASSERT_EQ(lens.At(i, j), picture.At(30 - kLoupeReach, 20 - kLoupeReach));
  for (int i = 1; i < kLoupeLensSide - 1; ++i) {
    EXPECT_EQ(lens.At(pitch, i), kLoupeGrid) << i;  // between the first two columns
    EXPECT_EQ(lens.At(i, pitch), kLoupeGrid) << i;
    EXPECT_EQ(lens.At(0, i), kLoupeFrame) << i;
    EXPECT_EQ(lens.At(kLoupeLensSide - 1, i), kLoupeFrame) << i;
  }
}

TEST(Loupe, ThePointersPixelIsFramedInAColourThatShowsOnIt) {
  struct Row {
    std::uint32_t Pixel;
    std::uint32_t Mark;
  };
  const Row rows[] = {{0xFFFFFF, 0x000000}, {0xFFFF00, 0x000000}, {0x00FF00, 0x000000},
                      {0x000000, 0xFFFFFF}, {0x0000FF, 0xFFFFFF}, {0x800000, 0xFFFFFF}};
  for (const Row& row : rows) {
    Picture picture(40, 40);
    picture.Pixels[static_cast<std::size_t>(20) * 40 + 20] = row.Pixel;
    Lens lens;
    lens.Render(picture.Source(), 20, 20);
    EXPECT_EQ(lens.Cell(0, 0), row.Pixel);
    const int pitch = (kLoupeLensSide - 1) / kLoupeCells;
    const int edge = kLoupeReach * pitch;  // the grid line left of and above the pointer's cell
    for (int i = 0; i <= pitch; ++i) {
      EXPECT_EQ(lens.At(edge + i, edge), row.Mark) << std::hex << row.Pixel;
      EXPECT_EQ(lens.At(edge, edge + i), row.Mark) << std::hex << row.Pixel;
      EXPECT_EQ(lens.At(edge + i, edge + pitch), row.Mark) << std::hex << row.Pixel;
      EXPECT_EQ(lens.At(edge + pitch, edge + i), row.Mark) << std::hex << row.Pixel;
    }
    // The neighbours' grid lines stay plain.
    EXPECT_EQ(lens.At(edge - pitch, edge + pitch / 2), kLoupeGrid);
  }
}

TEST(Loupe, TheLensDrawsItsCellsAtTheZoomOfItsDpi) {
  const Picture picture(64, 48);
  for (const DpiRow& row : kDpiRows) {
    LoupeLens renderer(LoupeMetricsAt(row.Dpi));
    // Room past the lens on both sides, which it must leave alone.
    const int stride = row.Width + 8;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * (row.Width + 8), 0xABCDEF);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * stride + x]; };
    EXPECT_EQ(renderer.Render(pixels, stride, picture.Source(), 30, 20), (PixelBox{0, 0, row.Width, row.Width}));
    for (int r = 0; r < kLoupeCells; ++r)
      for (int c = 0; c < kLoupeCells; ++c)
        ASSERT_EQ(at(c * row.Zoom + row.Zoom / 2, r * row.Zoom + row.Zoom / 2),
                  picture.At(30 - kLoupeReach + c, 20 - kLoupeReach + r))
            << row.Dpi << ": " << c << "," << r;
    for (int i = 0; i < row.Width; ++i) {
      EXPECT_EQ(at(row.Width - 1, i), kLoupeFrame) << row.Dpi;
      EXPECT_EQ(at(row.Width, i), 0xABCDEFu) << row.Dpi;
      EXPECT_EQ(at(i, row.Width), 0xABCDEFu) << row.Dpi;
    }
  }
}

TEST(Loupe, CellsPastThePicturesEdgeShowAsOffThePicture) {
  const Picture picture(20, 10);
  struct Row {
    std::int32_t X, Y;
  };
  for (const Row& at : {Row{0, 0}, Row{19, 9}, Row{-3, 4}, Row{25, 12}}) {
    Lens lens;
    lens.Render(picture.Source(), at.X, at.Y);
    for (int row = -kLoupeReach; row <= kLoupeReach; ++row)
      for (int column = -kLoupeReach; column <= kLoupeReach; ++column) {
        const std::int32_t x = at.X + column, y = at.Y + row;
        const bool on = x >= 0 && y >= 0 && x < picture.Width && y < picture.Height;
        ASSERT_EQ(lens.Cell(column, row), on ? picture.At(x, y) : kLoupeOffPicture) << x << "," << y;
      }
    const bool pointerOn = at.X >= 0 && at.Y >= 0 && at.X < picture.Width && at.Y < picture.Height;
    EXPECT_EQ(lens.Renderer.PointerPixel().has_value(), pointerOn);
  }
}

TEST(Loupe, AMoveRewritesOnlyWhatChangedAndEndsAsAFreshDrawing) {
  const Picture picture(200, 120, /*runs=*/true);
  Lens moving;
  moving.Render(picture.Source(), 100, 60);
  struct Step {
    std::int32_t X, Y;
  };
  const Step path[] = {{101, 60}, {102, 60}, {102, 61}, {90, 50}, {0, 0}, {199, 119}, {-20, 60}, {100, 60}};
  for (const Step& step : path) {
    const std::vector<std::uint32_t> before = moving.Pixels;
    const PixelBox changed = moving.Render(picture.Source(), step.X, step.Y);
    Lens fresh;
    fresh.Render(picture.Source(), step.X, step.Y);
    ASSERT_EQ(moving.Pixels, fresh.Pixels) << "at " << step.X << "," << step.Y;
    // Every pixel that differs lies in the reported box.
    for (int y = 0; y < kLoupeLensSide; ++y)
      for (int x = 0; x < kLoupeLensSide; ++x) {
        if (before[static_cast<std::size_t>(y) * kLoupeLensSide + x] == moving.At(x, y)) continue;
        ASSERT_TRUE(changed.Contains(x, y)) << x << "," << y << " at " << step.X << "," << step.Y;
      }
  }
  // Standing still changes nothing.
  EXPECT_EQ(moving.Render(picture.Source(), 100, 60).Width(), 0);
  // Over a plain area a move changes nothing either.
  const std::vector<std::uint32_t> plain(300 * 300, 0x336699);
  const PixelSource flat{plain.data(), 300, 300, 300};
  Lens still;
  still.Render(flat, 150, 150);
  EXPECT_EQ(still.Render(flat, 151, 150).Width(), 0);
  EXPECT_EQ(still.Render(flat, 140, 160).Width(), 0);
  // Forget draws everything again.
  still.Renderer.Forget();
  EXPECT_EQ(still.Render(flat, 140, 160), (PixelBox{0, 0, kLoupeLensSide, kLoupeLensSide}));
}

TEST(Loupe, CaptionNamesThePointAndItsColour) {
  struct Row {
    std::int32_t X, Y;
    std::optional<std::uint32_t> Pixel;
    std::wstring Expected;
  };
  const Row rows[] = {
      {12, 34, 0x1A2B3C, L"12, 34 #1A2B3C"},
      {0, 0, 0x000000, L"0, 0 #000000"},
      {3839, 2159, 0xFFFFFF, L"3839, 2159 #FFFFFF"},
      {-1280, 5, 0xFF000000u | 0x00FF00, L"-1280, 5 #00FF00"},  // a stray top byte is not a colour
      {-1, -1, std::nullopt, L"-1, -1"},
  };
  for (const Row& row : rows) EXPECT_EQ(LoupeCaption(row.X, row.Y, row.Pixel), row.Expected);
}

}  // namespace
}  // namespace quillane::capture
