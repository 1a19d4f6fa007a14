#include "pattern/recurring_shapes.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillane {
namespace {

using Verdict = RecurringShapes::Verdict;

std::vector<Petal> Flower(CanvasPoint centre, int tip) {
  return {{{centre, {centre.X + 3, centre.Y - 2}, {centre.X + tip, centre.Y}, {centre.X + 3, centre.Y + 2}}},
          {{centre, {centre.X - 2, centre.Y + 3}, {centre.X, centre.Y + tip}, {centre.X + 2, centre.Y + 3}}}};
}

TEST(RecurringShapes, AShapeIsKeptTheSecondTimeAndReusedAfterWhereverItIsDrawn) {
  RecurringShapes shapes;
  struct Step {
    int PenWidth;
    CanvasPoint Centre;
    int Tip;
    Verdict Expected;
  };
  // A drifting flower swelling and shrinking between two sizes, then the
  // same corners in another pen width, which paints other pixels.
  const Step steps[] = {
      {90, {10, 10}, 40, Verdict::Stroke}, {90, {14, 10}, 44, Verdict::Stroke}, {90, {18, 10}, 40, Verdict::Keep},
      {90, {22, 10}, 44, Verdict::Keep},   {90, {26, 10}, 40, Verdict::Reuse},  {90, {-30, 5}, 44, Verdict::Reuse},
      {10, {26, 10}, 40, Verdict::Stroke}, {10, {26, 10}, 40, Verdict::Keep},   {90, {0, 0}, 40, Verdict::Reuse},
  };
  std::vector<std::size_t> slots;
  for (const Step& step : steps) {
    const RecurringShapes::Answer answer = shapes.Look(step.PenWidth, Flower(step.Centre, step.Tip));
    EXPECT_EQ(answer.What, step.Expected) << "step " << slots.size();
    slots.push_back(answer.Slot);
  }
  // Each shape keeps its slot while it recurs.
  EXPECT_EQ(slots[0], slots[2]);
  EXPECT_EQ(slots[2], slots[4]);
  EXPECT_EQ(slots[1], slots[5]);
  EXPECT_NE(slots[0], slots[1]);
  EXPECT_EQ(slots[6], slots[7]);
}

TEST(RecurringShapes, OnlyTheLastFewShapesAreRememberedAndAnotherOrderOfPetalsIsAnotherShape) {
  RecurringShapes shapes;
  shapes.Look(90, Flower({0, 0}, 40));
  shapes.Look(90, Flower({0, 0}, 40));
  std::vector<Petal> turned = Flower({0, 0}, 40);
  std::swap(turned[0], turned[1]);
  EXPECT_EQ(shapes.Look(90, turned).What, Verdict::Stroke);
  // Enough new shapes push the first out: it is stroked anew and its kept pixels are gone.
  for (int tip = 50; tip < 50 + static_cast<int>(RecurringShapes::kSlots); ++tip)
    EXPECT_EQ(shapes.Look(90, Flower({0, 0}, tip)).What, Verdict::Stroke);
  EXPECT_EQ(shapes.Look(90, Flower({0, 0}, 40)).What, Verdict::Stroke);
  EXPECT_EQ(shapes.Look(90, Flower({5, 5}, 40)).What, Verdict::Keep);
}

}  // namespace
}  // namespace quillane
