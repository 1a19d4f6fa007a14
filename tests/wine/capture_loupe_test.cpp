// The loupe with real input over the known backdrop, read off the screen:
// the pixels around the pointer enlarged beside it with a caption under
// them, flipped where the screen ends, gone once the region is fixed (its
// place repainted, the toolbar shown over it), and never in a copy or a file.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "capture_fixture.h"
#include "export/gdiplus_objects.h"
#include "export_test_support.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::Pixels;
using testing_support::WaitUntil;

// A 0x00RRGGBB pixel as the screen shows it.
COLORREF Colour(std::uint32_t pixel) { return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF); }

class CaptureLoupeTest : public CaptureFixture {
 protected:
  RECT OnScreen(const PixelBox& box) const {
    return {area.Left + box.Left, area.Top + box.Top, area.Left + box.Right, area.Top + box.Bottom};
  }
  // The loupe's place once the window shows it for the pointer at window pixel `at`.
  PixelBox LoupeFor(POINT at) const {
    const PixelSpot spot{at.x, at.y};
    EXPECT_TRUE(WaitUntil([&] { return Session().Shown().Loupe && Session().Shown().LoupePointer == spot; }))
        << at.x << "," << at.y;
    return Session().Shown().Loupe.value_or(PixelBox{});
  }
  // Whether the screen shows, in the loupe at `loupe`, the backdrop around
  // window pixel `at`: every cell a square of its own pixel, the pointer's
  // framed, and a caption under the lens, text on a ground of its own.
  ::testing::AssertionResult ShowsLens(const PixelBox& loupe, POINT at) const {
    std::string wrong;
    const bool shown = WaitUntil([&] {
      const Pixels s = testing_support::ScreenPixels(OnScreen(loupe));
      for (int row = 0; row < kLoupeCells; ++row)
        for (int column = 0; column < kLoupeCells; ++column) {
          const int x0 = at.x + column - kLoupeReach, y0 = at.y + row - kLoupeReach;
          const bool off = x0 < 0 || y0 < 0 || x0 >= area.Width || y0 >= area.Height;
          const COLORREF pixel = off ? Colour(kLoupeOffPicture) : BackdropColour(area.Left + x0, area.Top + y0);
          const int left = column * kLoupeZoom, top = row * kLoupeZoom;
          // Inside the grid lines and the pointer's marks: the pixel's colour.
          for (int y = top + 2; y < top + kLoupeZoom - 1; ++y)
            for (int x = left + 2; x < left + kLoupeZoom - 1; ++x)
              if (s.At(x, y) != pixel) {
                wrong = "cell " + std::to_string(column) + "," + std::to_string(row);
                return false;
              }
          const bool pointer = row == kLoupeReach && column == kLoupeReach;
          if (pointer && (s.At(left + 1, top + 4) == pixel || s.At(left + 4, top + 1) == pixel)) {
            wrong = "the pointer's pixel is not framed";
            return false;
          }
        }
      std::set<COLORREF> caption;
      int backdrop = 0;
      for (int y = kLoupeLensSide; y < kLoupeHeight; ++y)
        for (int x = 0; x < kLoupeWidth; ++x) {
          caption.insert(s.At(x, y));
          backdrop += s.At(x, y) == BackdropColour(area.Left + loupe.Left + x, area.Top + loupe.Top + y);
        }
      wrong = "no caption";
      return caption.size() >= 2 && backdrop < kLoupeWidth;
    });
    if (shown) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no lens for " << at.x << "," << at.y << ": " << wrong;
  }
  // Whether the screen shows no loupe in `box` any more: the picture again,
  // with the region's frame and the window's controls (the toolbar) over it.
  ::testing::AssertionResult ShowsNoLoupe(const PixelBox& box) const {
    std::vector<RECT> controls;
    for (HWND child = GetWindow(capture.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT place{};
      if (IsWindowVisible(child) && GetWindowRect(child, &place)) controls.push_back(place);
    }
    int left = 0;
    const bool gone = WaitUntil([&] {
      const RECT screen = OnScreen(box);
      const Pixels s = testing_support::ScreenPixels(screen);
      left = 0;
      for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) {
          const POINT p{screen.left + x, screen.top + y};
          const COLORREF shown = s.At(x, y);
          const bool onControl =
              std::any_of(controls.begin(), controls.end(), [&](const RECT& r) { return PtInRect(&r, p); });
          left += shown == Colour(kLoupeFrame) ||
                  (!onControl && shown != BackdropColour(p.x, p.y) && shown != FrmScreenCapture::kFrameColour);
        }
      return left == 0;
    });
    if (gone) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << left << " pixels of the loupe left";
  }
  bool Overlap(const RECT& a, const PixelBox& b) const {
    const RECT c = OnScreen(b);
    return a.left < c.right && c.left < a.right && a.top < c.bottom && c.top < a.bottom;
  }
};

TEST_F(CaptureLoupeTest, ShowsThePixelsAroundThePointerEnlargedBesideItAndFlipsWhereTheScreenEnds) {
  const struct {
    POINT At;
    bool Right;
    bool Below;
  } cases[] = {
      {{400, 300}, true, true},
      {{area.Width - 20, 300}, false, true},
      {{area.Width - 1, area.Height - 1}, false, false},
      {{400, area.Height - 20}, true, false},
  };
  std::optional<PixelBox> before;
  for (const auto& c : cases) {
    testing_support::MoveMouse(capture.Handle(), c.At, Delivery::Real);
    const PixelBox loupe = LoupeFor(c.At);
    EXPECT_EQ(loupe.Left > c.At.x, c.Right) << c.At.x << "," << c.At.y;
    EXPECT_EQ(loupe.Top > c.At.y, c.Below) << c.At.x << "," << c.At.y;
    EXPECT_FALSE(loupe.Contains(c.At.x, c.At.y));
    EXPECT_TRUE(loupe.Left >= 0 && loupe.Top >= 0 && loupe.Right <= area.Width && loupe.Bottom <= area.Height);
    EXPECT_TRUE(ShowsLens(loupe, c.At));
    // Where it was before shows the picture again.
    if (before) EXPECT_TRUE(ShowsNoLoupe(*before));
    before = loupe;
  }
}

enum class Output { Copy, Save };

class CaptureLoupeOutputTest : public CaptureLoupeTest, public ::testing::WithParamInterface<Output> {
 protected:
  exporting::GdiplusSession gdiplus;  // for the decoder
  exporting::wine_tests::TemporaryFolder folder;
};

TEST_P(CaptureLoupeOutputTest, ABandAndAHeldHandleShowItInTheRegionAndNeitherTheScreenAfterNorTheOutputKeepsIt) {
  // Ending near the screen's corner: the loupe lies inside the region, and
  // the toolbar, inside its bottom edge, comes up where the loupe was.
  const POINT corner{area.Width - 10, area.Height - 10}, sized{area.Width - 80, area.Height - 70};
  testing_support::MouseDown(capture.Handle(), {300, 200}, testing_support::MouseButton::Left, Delivery::Real);
  testing_support::MoveMouse(capture.Handle(), corner, Delivery::Real);
  PixelBox loupe = LoupeFor(corner);
  EXPECT_TRUE(loupe.Left >= 300 && loupe.Top >= 200) << "inside the band";
  EXPECT_TRUE(ShowsLens(loupe, corner));
  testing_support::MouseUp(capture.Handle(), corner, testing_support::MouseButton::Left, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !Session().Shown().Loupe && Visible(capture.Strip()); }));
  RECT strip{};
  GetWindowRect(capture.Strip(), &strip);
  ASSERT_TRUE(Overlap(strip, loupe)) << "the toolbar over the loupe's place";
  EXPECT_TRUE(ShowsNoLoupe(loupe));

  // The bottom-right handle, held and dragged.
  testing_support::MouseDown(capture.HandleWindow(6), {2, 2}, testing_support::MouseButton::Left, Delivery::Real);
  testing_support::MoveMouse(capture.Handle(), sized, Delivery::Real);
  loupe = LoupeFor(sized);
  EXPECT_TRUE(ShowsLens(loupe, sized));
  testing_support::MouseUp(capture.Handle(), sized, testing_support::MouseButton::Left, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !Session().Shown().Loupe && Visible(capture.Strip()); }));
  EXPECT_TRUE(ShowsNoLoupe(loupe));
  const FrameRect f = Frame();
  const PixelBox region{Pixel(f.Left), Pixel(f.Top), Pixel(f.Right()), Pixel(f.Bottom())};
  ASSERT_EQ(region, (PixelBox{300, 200, sized.x, sized.y}));

  const std::wstring path = folder.File(L"loupe.png");
  if (GetParam() == Output::Save) {
    dialogs.SaveAnswers = {path};
    testing_support::PressKey('S', Delivery::Real, testing_support::kControl);
  } else {
    testing_support::PressKey(VK_RETURN, Delivery::Real);
  }
  ASSERT_TRUE(WaitUntil([&] { return !capture.Exists(); }));
  std::optional<Pixels> written;
  if (GetParam() == Output::Copy) {
    written = ClipboardPixels();
  } else if (const auto decoded = exporting::wine_tests::DecodeWithGdiplus(path)) {
    written = Pixels{decoded->Image.Width, decoded->Image.Height, {}};
    for (const std::uint32_t p : decoded->Image.Pixels) written->Data.push_back(Colour(p));
  }
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, RegionOfBackdrop(region));
}

INSTANTIATE_TEST_SUITE_P(Outputs, CaptureLoupeOutputTest, ::testing::Values(Output::Copy, Output::Save));

}  // namespace
}  // namespace quillane::capture
