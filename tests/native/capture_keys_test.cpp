#include "capture/capture_keys.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quillane::capture {
namespace {

using C = CaptureCommand;

TEST(CaptureKeys, EachKeyGivesItsCommandInEachState) {
  struct Row {
    int Key;
    CaptureKeyState State;  // Ctrl, Shift, TextBoxOpen, RegionExists
    CaptureKeyAction Expected;
  };
  const Row rows[] = {
      // Arrows nudge the region; Ctrl makes the step 10.
      {kKeyLeft, {false, false, false, true}, {C::MoveRegion, -1, 0}},
      {kKeyRight, {false, false, false, true}, {C::MoveRegion, 1, 0}},
      {kKeyUp, {true, false, false, true}, {C::MoveRegion, 0, -10}},
      {kKeyDown, {true, false, false, true}, {C::MoveRegion, 0, 10}},
      // Shift: the right or bottom edge.
      {kKeyRight, {false, true, false, true}, {C::SizeRegion, 1, 0}},
      {kKeyLeft, {true, true, false, true}, {C::SizeRegion, -10, 0}},
      {kKeyUp, {false, true, false, true}, {C::SizeRegion, 0, -1}},
      {kKeyDown, {true, true, false, true}, {C::SizeRegion, 0, 10}},
      // Before a region: the pointer, with or without Shift.
      {kKeyLeft, {false, false, false, false}, {C::MovePointer, -1, 0}},
      {kKeyDown, {true, false, false, false}, {C::MovePointer, 0, 10}},
      {kKeyUp, {false, true, false, false}, {C::MovePointer, 0, -1}},
      // The toolbar's buttons.
      {kKeyEnter, {false, false, false, true}, {C::Copy}},
      {kKeyC, {true, false, false, true}, {C::Copy}},
      {kKeyS, {true, false, false, true}, {C::Save}},
      {kKeyZ, {true, false, false, true}, {C::Undo}},
      {kKeyY, {true, false, false, true}, {C::Redo}},
      {kKeyZ, {true, true, false, true}, {C::Redo}},
      // Without Ctrl those letters are nothing, nor are the buttons without a region.
      {kKeyC, {false, false, false, true}, {}},
      {kKeyS, {false, false, false, true}, {}},
      {kKeyZ, {false, false, false, true}, {}},
      {kKeyEnter, {false, false, false, false}, {}},
      {kKeyC, {true, false, false, false}, {}},
      {kKeyS, {true, false, false, false}, {}},
      {kKeyZ, {true, false, false, false}, {}},
      {kKeyY, {true, false, false, false}, {}},
      {kKeyEnter, {true, false, false, true}, {}},
      {kKeyS, {true, true, false, true}, {}},
      // Ctrl+A with or without a region.
      {kKeyA, {true, false, false, false}, {C::SelectAll}},
      {kKeyA, {true, false, false, true}, {C::SelectAll}},
      {kKeyA, {false, false, false, true}, {}},
      // Esc closes whatever the state.
      {kKeyEscape, {false, false, false, false}, {C::Close}},
      {kKeyEscape, {true, true, false, true}, {C::Close}},
      {kKeyEscape, {false, false, true, true}, {C::Close}},
      // An open text box takes every other key; Enter ends it.
      {kKeyEnter, {false, false, true, true}, {C::FinishText}},
      {kKeyLeft, {false, false, true, true}, {}},
      {kKeyZ, {true, false, true, true}, {}},
      {kKeyC, {true, false, true, true}, {}},
      {kKeyA, {true, false, true, true}, {}},
      {kKeyS, {true, false, true, true}, {}},
      // Keys the capture does not know.
      {'Q', {true, false, false, true}, {}},
      {0x70 /* F1 */, {false, false, false, true}, {}},
  };
  for (const Row& row : rows) {
    const CaptureKeyAction got = MapCaptureKey(row.Key, row.State);
    EXPECT_EQ(got, row.Expected) << "key 0x" << std::hex << row.Key << std::dec << " ctrl " << row.State.Ctrl
                                 << " shift " << row.State.Shift << " text " << row.State.TextBoxOpen
                                 << " region " << row.State.RegionExists << ": got " << static_cast<int>(got.Command);
  }
}

const PixelBox kScreen{-1280, 0, 1920, 1080};  // a monitor left of the primary

TEST(CaptureKeys, NudgedRegionsStayOnTheScreen) {
  struct Row {
    PixelBox Region;
    std::int32_t Dx, Dy;
    PixelBox Expected;
  };
  const Row rows[] = {
      {{100, 100, 200, 150}, 1, 0, {101, 100, 201, 150}},
      {{100, 100, 200, 150}, 0, -10, {100, 90, 200, 140}},
      {{-1275, 5, -1175, 55}, -10, -10, {-1280, 0, -1180, 50}},   // stops on the left and top edges
      {{1815, 1025, 1915, 1075}, 10, 10, {1820, 1030, 1920, 1080}},  // and on the right and bottom
      {{-1280, 0, 1920, 1080}, 1, 1, {-1280, 0, 1920, 1080}},       // the whole screen stays
      {{0, 0, 0, 0}, -1, -1, {-1, 0, -1, 0}},                      // an empty region moves too
  };
  for (const Row& row : rows)
    EXPECT_EQ(NudgeRegion(row.Region, row.Dx, row.Dy, kScreen), row.Expected)
        << row.Region.Left << "," << row.Region.Top << " by " << row.Dx << "," << row.Dy;
}

TEST(CaptureKeys, SizingMovesOnlyTheRightAndBottomEdgesAndStopsAtZero) {
  struct Row {
    PixelBox Region;
    std::int32_t Dx, Dy;
    PixelBox Expected;
  };
  const Row rows[] = {
      {{100, 100, 200, 150}, 1, 0, {100, 100, 201, 150}},
      {{100, 100, 200, 150}, 0, -10, {100, 100, 200, 140}},
      {{100, 100, 105, 103}, -10, 0, {100, 100, 100, 103}},  // shrinks to 0 wide, never past
      {{100, 100, 105, 103}, 0, -10, {100, 100, 105, 100}},
      {{100, 100, 100, 100}, -1, -1, {100, 100, 100, 100}},
      {{100, 100, 1915, 1078}, 10, 10, {100, 100, 1920, 1080}},  // grows to the screen's edge only
  };
  for (const Row& row : rows)
    EXPECT_EQ(SizeRegion(row.Region, row.Dx, row.Dy, kScreen), row.Expected)
        << row.Region.Right << "," << row.Region.Bottom << " by " << row.Dx << "," << row.Dy;
}

TEST(CaptureKeys, ThePointerStepsToTheScreensLastPixelAndNoFurther) {
  EXPECT_EQ(NudgePointer({10, 10}, 1, 0, kScreen), (PixelSpot{11, 10}));
  EXPECT_EQ(NudgePointer({10, 10}, 0, -10, kScreen), (PixelSpot{10, 0}));
  EXPECT_EQ(NudgePointer({-1275, 3}, -10, -10, kScreen), (PixelSpot{-1280, 0}));
  EXPECT_EQ(NudgePointer({1915, 1075}, 10, 10, kScreen), (PixelSpot{1919, 1079}));
}

TEST(CaptureKeys, SelectAllTakesThePointersMonitorThenTheWholeScreen) {
  const PixelBox left{-1280, 0, 0, 1024};
  const PixelBox primary{0, 0, 1920, 1080};
  const std::vector<PixelBox> monitors{primary, left};
  const PixelSpot onLeft{-10, 500};
  std::optional<PixelBox> region;
  region = SelectAllTarget(region, onLeft, monitors, kScreen);
  EXPECT_EQ(region, left);
  region = SelectAllTarget(region, onLeft, monitors, kScreen);
  EXPECT_EQ(region, kScreen);
  region = SelectAllTarget(region, onLeft, monitors, kScreen);
  EXPECT_EQ(region, left);  // a third press goes back to the monitor
  // A region of its own, on another monitor, gives way to the pointer's monitor.
  EXPECT_EQ(SelectAllTarget(PixelBox{10, 10, 50, 50}, {100, 100}, monitors, kScreen), primary);
  // A pointer on no monitor (the strip under the left one) takes the whole screen.
  EXPECT_EQ(SelectAllTarget(std::nullopt, {-10, 1050}, monitors, kScreen), kScreen);
}

}  // namespace
}  // namespace quillane::capture
