// The capture's keys with real key presses, judged by what lands on the
// clipboard: nudges and sizes to the pixel, Enter copying, Ctrl+Z and Ctrl+Y
// through a drawn shape, Ctrl+A taking the whole screen, Enter in a text box.
#include <windows.h>
#include <gtest/gtest.h>

#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::Pixels;
using testing_support::WaitUntil;

class CaptureKeysTest : public CaptureFixture {
 protected:
  void Key(UINT key, unsigned modifiers = testing_support::kNoModifier) {
    testing_support::PressKey(key, Delivery::Real, modifiers);
  }
  // Enter, and the clipboard once the capture has closed.
  Pixels CopyWithEnter() {
    Key(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !capture.Exists(); }));
    return ClipboardPixels().value_or(Pixels{});
  }
  int Step() const { return Session().Snapshots().snapshotPos(); }
};

TEST_F(CaptureKeysTest, ArrowsNudgeAndShiftArrowsSizeWhatEnterCopies) {
  Drag(100, 100, 500, 400);
  const struct {
    UINT Key;
    unsigned Modifiers;
  } presses[] = {
      {VK_RIGHT, testing_support::kNoModifier},
      {VK_DOWN, testing_support::kControl},
      {VK_LEFT, testing_support::kShift},
      {VK_DOWN, testing_support::kShift | testing_support::kControl},
  };
  for (const auto& press : presses) Key(press.Key, press.Modifiers);
  ASSERT_EQ(Frame(), (FrameRect{101, 110, 399, 310}));
  EXPECT_EQ(CopyWithEnter(), RegionOfBackdrop({101, 110, 500, 420}));
}

TEST_F(CaptureKeysTest, CtrlZAndCtrlYTakeADrawnShapeAwayAndBack) {
  Drag(100, 100, 500, 400);
  ClickButton(kRectangleTool);
  Drag(150, 150, 250, 250);
  ASSERT_EQ(Step(), 2);
  Key('Z', testing_support::kControl);
  EXPECT_EQ(Step(), 1);
  Key('Y', testing_support::kControl);
  EXPECT_EQ(Step(), 2);
  Key('Z', testing_support::kControl);
  ASSERT_EQ(Step(), 1);
  // The copy holds the clean screen: the rectangle is truly gone.
  EXPECT_EQ(CopyWithEnter(), RegionOfBackdrop({100, 100, 500, 400}));
}

TEST_F(CaptureKeysTest, CtrlAWithNoRegionTakesTheWholeScreen) {
  Key('A', testing_support::kControl);
  const Pixels copy = CopyWithEnter();
  EXPECT_EQ(copy.Width, area.Width);
  EXPECT_EQ(copy.Height, area.Height);
  EXPECT_EQ(copy, RegionOfBackdrop({0, 0, area.Width, area.Height}));
}

TEST_F(CaptureKeysTest, EnterInTheTextBoxDrawsTheTextAndTheNextEnterCopiesIt) {
  Drag(100, 100, 500, 400);
  ClickButton(kTextTool);
  Click(150, 150);
  ASSERT_TRUE(WaitUntil([&] { return GetFocus() == capture.TextEdit(); }));
  testing_support::TypeText(L"ok", Delivery::Real);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(capture.TextEdit()); }));
  EXPECT_EQ(Step(), 2);
  ASSERT_TRUE(capture.Exists());
  EXPECT_NE(CopyWithEnter(), RegionOfBackdrop({100, 100, 500, 400}));
}

}  // namespace
}  // namespace quillane::capture
