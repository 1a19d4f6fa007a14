#include "capture/capture_toolbar.h"

#include <cmath>

#include "capture/capture_pickers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "capture/capture_save.h"

namespace quillane::capture {
namespace {

TEST(CaptureToolbar, ButtonsSitInTheirOrderInsideTheStripWithAFrameBehindEach) {
  for (const Dpi dpi : {Dpi{96, 96}, Dpi{120, 120}, Dpi{144, 144}}) {
    SCOPED_TRACE(dpi.X);
    const ToolbarLayout layout = LayOutToolbar(dpi);
    const int button = dpi.X / 6;  // 240 twips
    std::array<int, kToolbarButtonCount> byPlace{};
    for (int i = 0; i < kToolbarButtonCount; ++i) byPlace[static_cast<std::size_t>(i)] = i;
    std::sort(byPlace.begin(), byPlace.end(), [&](int a, int b) {
      return layout.Buttons[static_cast<std::size_t>(a)].Left < layout.Buttons[static_cast<std::size_t>(b)].Left;
    });
    EXPECT_EQ(byPlace, (std::array<int, kToolbarButtonCount>{7, 6, 5, 4, 0, 8, 2, 3, 1}));
    for (int i = 0; i < kToolbarButtonCount; ++i) {
      const PixelBox& b = layout.Buttons[static_cast<std::size_t>(i)];
      const PixelBox& f = layout.HoverFrames[static_cast<std::size_t>(i)];
      EXPECT_EQ(b.Width(), button) << i;
      EXPECT_EQ(b.Height(), button) << i;
      EXPECT_EQ(f.Width(), button * 5 / 4) << i;
      EXPECT_TRUE(f.Left <= b.Left && f.Top <= b.Top && f.Right >= b.Right && f.Bottom >= b.Bottom) << i;
      EXPECT_LE(f.Right, layout.Strip.Width) << i;
      EXPECT_LE(f.Bottom, layout.Strip.Height) << i;
      EXPECT_EQ(ButtonAt(layout, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2), i);
      EXPECT_EQ(ButtonAt(layout, b.Left, b.Top), i);
    }
    // Between two buttons and on the strip's edges there is none.
    EXPECT_EQ(ButtonAt(layout, 0, 0), kNoButton);
    EXPECT_EQ(ButtonAt(layout, layout.Buttons[7].Right, layout.Buttons[7].Top), kNoButton);
    EXPECT_EQ(ButtonAt(layout, layout.Buttons[7].Left, layout.Buttons[7].Bottom), kNoButton);
  }
  EXPECT_EQ(LayOutToolbar({96, 96}).Strip.Width, 241);
  EXPECT_EQ(LayOutToolbar({96, 96}).Strip.Height, 26);
}

TEST(CaptureToolbar, OnlyTheFourDrawingToolsAreTools) {
  std::set<std::wstring> names;
  for (int i = -1; i <= kToolbarButtonCount; ++i) {
    EXPECT_EQ(IsDrawingTool(i), i >= 4 && i <= 7) << i;
    if (i >= 0 && i < kToolbarButtonCount) names.insert(std::wstring(ToolbarTooltip(i)));
  }
  EXPECT_EQ(names.size(), 9u) << "every button says what it does";
  EXPECT_TRUE(ToolbarTooltip(9).empty());
}

TEST(CaptureToolbar, ThePanelFitsItsPaletteAtEveryDpiAndTheTextToolWidensIt) {
  for (const Dpi dpi : {Dpi{96, 96}, Dpi{120, 120}, Dpi{144, 144}}) {
    SCOPED_TRACE(dpi.X);
    const PanelMetrics panel = DesignedPanel(dpi);
    EXPECT_EQ(panel.StripWidth, LayOutToolbar(dpi).Strip.Width);
    // The last swatch ends 2360 twips into the colour panel.
    const float palette = static_cast<float>(2360 * dpi.X) / 1440.0f;
    for (const int tool : {kArrowTool, kTextTool, kEllipseTool, kRectangleTool}) {
      const PanelShape shape = ShapePanel(tool, panel);
      EXPECT_EQ(shape.FontPanelVisible, tool == kTextTool) << tool;
      EXPECT_LE(shape.ColourPanelLeft + palette, shape.Width) << tool;
      if (tool == kTextTool) {
        EXPECT_EQ(shape.Width, panel.StripWidth);
        EXPECT_GT(shape.ColourPanelLeft, panel.FontPanelLeft + panel.FontPanelWidth / 2);
      } else {
        EXPECT_EQ(shape.Width, panel.StripWidth - panel.FontPanelWidth - 2);
        // The palette's boxes sit in the middle: as much room on the right as on the left.
        const PaletteLayout boxes = LayOutPalette(dpi);
        const float left = shape.ColourPanelLeft + static_cast<float>(boxes[kCurrentColourBox].Left);
        const float right = shape.Width - (shape.ColourPanelLeft + static_cast<float>(boxes[kSwatchCount - 1].Right));
        EXPECT_GE(right, 3) << dpi.X;
        EXPECT_LE(std::fabs(left - right), 1.0f) << dpi.X << ": " << left << " and " << right;
      }
    }
  }
}

TEST(CaptureToolbar, ThePanelGoesUnderTheStripOrAboveItWhereTheScreenEnds) {
  const SizeF strip{241, 26};
  EXPECT_EQ(PlacePanel({100, 500}, strip, 37, 800), (PointF{100, 529}));
  EXPECT_EQ(PlacePanel({100, 734}, strip, 37, 800), (PointF{100, 763}));  // ends on the last row
  EXPECT_EQ(PlacePanel({100, 735}, strip, 37, 800), (PointF{100, 695}));
}

TEST(CaptureToolbar, IconsAreSixteenBySixteenInTheirColoursAndAllDiffer) {
  std::set<std::string> seen;
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    std::string all;
    for (const std::string_view row : ToolbarIconOf(i)) {
      EXPECT_EQ(row.size(), 16u) << i;
      all += row;
    }
    EXPECT_NE(all.find_first_not_of('.'), std::string::npos) << i;
    for (const char c : all)
      if (c != '.') EXPECT_NE(ToolbarIconColour(c), 0u) << i << " " << c;
    seen.insert(all);
  }
  EXPECT_EQ(seen.size(), 9u);
}

TEST(CaptureSaveName, TheExtensionComesFromTheLastPathComponent) {
  struct Case {
    std::wstring_view Path, Extension, Format;
  };
  for (const Case& c : {Case{L"C:\\shots\\a.png", L"png", L"png"}, Case{L"C:\\v1.2\\shot", L"", L"PNG"},
                        Case{L"D:/x.y/z.JPEG", L"JPEG", L"JPEG"}, Case{L"a.tar.gif", L"gif", L"gif"},
                        Case{L"shot.", L"", L"PNG"}, Case{L"\\\\server\\share.d\\截图.tif", L"tif", L"tif"},
                        Case{L"", L"", L"PNG"}}) {
    EXPECT_EQ(ExtensionOf(c.Path), c.Extension) << std::wstring(c.Path).size();
    EXPECT_EQ(FormatExtensionOf(c.Path), c.Format);
  }
  EXPECT_EQ(FolderOf(L"C:\\Program Files\\Quillane\\quillane.scr"), L"C:\\Program Files\\Quillane\\");
  EXPECT_EQ(FolderOf(L"C:\\quillane.scr"), L"C:\\");
  EXPECT_EQ(FolderOf(L"quillane.scr"), L"");
}

}  // namespace
}  // namespace quillane::capture
