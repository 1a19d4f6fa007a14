// Annotating a captured region with real input: what each tool commits into
// the copy, the preview that leaves the picture alone, one undo step per
// commit, the pickers, text in any language, and typed text that is never
// lost or copied as a box.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/annotation_painter.h"
#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::Pixels;
using testing_support::WaitUntil;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
// Swatches of the palette by index.
constexpr int kBlueSwatch = 13, kGreenSwatch = 12;

class CaptureAnnotationTest : public CaptureFixture {
 protected:
  // The region (100, 100)-(500, 400): pixels 100..499 across, 100..399 down.
  void SetUp() override {
    CaptureFixture::SetUp();
    Drag(100, 100, 500, 400);
    ASSERT_EQ(Frame(), (FrameRect{100, 100, 400, 300}));
  }
  // The colour panel must be shown (a drawing tool chosen).
  POINT SwatchMiddle(int swatch) const {
    const PixelBox& b = capture.Pickers().Palette()[static_cast<std::size_t>(swatch)];
    return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  }
  void ChooseColour(int swatch) {
    testing_support::Click(capture.ColourPanel(), SwatchMiddle(swatch), Delivery::Real);
  }
  // The region as a copy takes it.
  Pixels Copy() const { return PictureArea({100, 100, 500, 400}); }
  Pixels PictureArea(const PixelBox& box) const {
    const win::Bitmap copy = capture.Surface().CopyArea(box);
    return testing_support::BitmapPixels(copy.Get());
  }
  COLORREF Desktop(int x, int y) const { return BackdropColour(area.Left + x, area.Top + y); }
  int Step() const { return Session().Snapshots().snapshotPos(); }
};

TEST_F(CaptureAnnotationTest, EachToolCommitsItsPixelsIntoTheCopy) {
  ClickButton(kRectangleTool);
  Drag(150, 150, 250, 220);  // red, the starting colour
  ChooseColour(kBlueSwatch);
  ClickButton(kEllipseTool);
  Drag(300, 150, 400, 250);
  ChooseColour(kGreenSwatch);
  ClickButton(kArrowTool);
  Drag(150, 300, 250, 300);  // to the right
  EXPECT_EQ(Step(), 4);
  PutClipboardText(L"before");
  ClickButton(kCopyButton);
  ASSERT_FALSE(capture.Exists());
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied.has_value());
  ASSERT_EQ(copied->Width, 400);
  const auto at = [&](int x, int y) { return copied->At(x - 100, y - 100); };
  // The rectangle's four edges through both corners, its inside untouched.
  for (int x = 150; x <= 250; ++x) EXPECT_TRUE(at(x, 150) == kRed && at(x, 220) == kRed) << x;
  for (int y = 150; y <= 220; ++y) EXPECT_TRUE(at(150, y) == kRed && at(250, y) == kRed) << y;
  EXPECT_EQ(at(200, 185), Desktop(200, 185));
  EXPECT_EQ(at(251, 185), Desktop(251, 185));
  // The ellipse's outline at its four extremes, its inside untouched.
  for (const POINT p : {POINT{300, 200}, POINT{350, 150}, POINT{399, 200}, POINT{350, 249}})
    EXPECT_EQ(at(p.x, p.y), kBlue) << p.x << "," << p.y;
  for (const POINT p : {POINT{350, 200}, POINT{310, 160}, POINT{303, 200}})
    EXPECT_EQ(at(p.x, p.y), Desktop(p.x, p.y)) << p.x << "," << p.y;
  // The arrow: shaft, tip, and the wings 10 back and 5 to each side.
  for (const POINT p : {POINT{150, 300}, POINT{200, 300}, POINT{250, 300}, POINT{240, 295}, POINT{240, 305},
                        POINT{242, 296}, POINT{248, 299}, POINT{242, 304}, POINT{248, 301}})
    EXPECT_EQ(at(p.x, p.y), kGreen) << p.x << "," << p.y;
  EXPECT_EQ(at(240, 300 - 7), Desktop(240, 293));
}

}  // namespace
}  // namespace quillane::capture
