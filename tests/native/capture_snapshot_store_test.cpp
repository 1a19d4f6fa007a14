#include "capture/snapshot_store.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "capture_picture_fake.h"

namespace quillane::capture {
namespace {

using testing::FakePicture;
using Step = SnapshotStore::Step;

class SnapshotStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store.Open(); }

  FakePicture picture;
  SnapshotStore store{picture};
};

TEST_F(SnapshotStoreTest, OpeningHoldsTheDesktopAtOneAndNothingToStepTo) {
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(store.snapshotTop(), 1);
  EXPECT_EQ(store.LastIndex(), 1);
  EXPECT_TRUE(store.Entry(0).empty());
  EXPECT_TRUE(store.Entry(1).empty()) << "the desktop is the picture itself";
  EXPECT_EQ(store.Redo(), Step::AtEnd);
  EXPECT_EQ(store.Undo(), Step::AtEnd);
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(picture.Composed, 1u);
}

// Opening stores nothing; the steps take the picture back to the desktop
// and on again, and a reset starts the steps afresh from what shows.
TEST(SnapshotStore, TheDesktopNeedsNoStoringAndStepsLeadBackToIt) {
  FakePicture picture;
  picture.FailSerialise = true;
  SnapshotStore store(picture);
  store.Open();
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(store.LastIndex(), 1);
  EXPECT_FALSE(store.HoldsUnstoredDrawing());
  EXPECT_EQ(store.Undo(), Step::AtEnd) << "with nothing drawn the region may go";
  picture.FailSerialise = false;
  for (const std::uint32_t content : {7u, 8u}) {
    picture.Draw(content);
    ASSERT_TRUE(store.Push());
  }
  EXPECT_EQ(FakePicture::Before(store.Entry(3)), 7u);
  for (const std::uint32_t content : {7u, 1u}) {
    EXPECT_EQ(store.Undo(), Step::Restored);
    EXPECT_EQ(picture.Composed, content);
  }
  EXPECT_EQ(store.Undo(), Step::AtEnd);
  EXPECT_EQ(store.Redo(), Step::Restored);
  EXPECT_EQ(picture.Composed, 7u);
  EXPECT_EQ(store.Undo(), Step::Restored);
  store.Reset();
  EXPECT_EQ(store.Redo(), Step::AtEnd);
  picture.Draw(9);
  ASSERT_TRUE(store.Push());
  EXPECT_EQ(store.Undo(), Step::Restored);
  EXPECT_EQ(picture.Composed, 1u);
}

// A step that cannot be stored keeps its drawing; undo never goes back
// past it, redo history is gone, and later steps undo down to it.
TEST_F(SnapshotStoreTest, AStepThatCannotBeStoredKeepsItsDrawingAndUndoStopsAtIt) {
  for (const std::uint32_t content : {2u, 3u}) {
    picture.Draw(content);
    ASSERT_TRUE(store.Push());
  }
  ASSERT_EQ(store.Undo(), Step::Restored);  // redo history: step 3
  EXPECT_FALSE(store.HoldsUnstoredDrawing());
  picture.Draw(4);
  picture.FailSerialise = true;
  EXPECT_FALSE(store.Push());
  EXPECT_EQ(picture.Composed, 4u) << "the drawing stays";
  EXPECT_TRUE(store.HoldsUnstoredDrawing());
  EXPECT_EQ(store.snapshotPos(), 2);
  EXPECT_EQ(store.snapshotTop(), 2);
  EXPECT_EQ(store.LastIndex(), 2);
  EXPECT_EQ(store.Redo(), Step::AtEnd) << "redo would paint over the drawing";
  EXPECT_EQ(store.Undo(), Step::Blocked);
  EXPECT_EQ(picture.Composed, 4u);
  picture.Draw(5);
  EXPECT_FALSE(store.Push());
  picture.FailSerialise = false;
  for (const std::uint32_t content : {6u, 7u}) {
    picture.Draw(content);
    ASSERT_TRUE(store.Push());
  }
  EXPECT_EQ(store.snapshotPos(), 4);
  EXPECT_EQ(store.Undo(), Step::Restored);
  EXPECT_EQ(picture.Composed, 6u) << "the first stored step holds everything drawn before it";
  EXPECT_EQ(store.Undo(), Step::Blocked);
  EXPECT_EQ(store.snapshotPos(), 3);
  EXPECT_EQ(store.Redo(), Step::Restored);
  EXPECT_EQ(picture.Composed, 7u);
  EXPECT_TRUE(store.HoldsUnstoredDrawing());
  store.Open();
  EXPECT_FALSE(store.HoldsUnstoredDrawing()) << "a new opening starts afresh";
}

// Long random runs of every operation, with failures, checking after each
// step the store's invariant, that the picture shows the current step, and
// that no drawing is ever taken away by a failure or undone past.
TEST(SnapshotStore, RandomRunsKeepTheInvariantAndNeverLoseDrawing) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    std::mt19937 random(seed);
    FakePicture picture;
    SnapshotStore store(picture);
    store.Open();
    std::uint32_t nextContent = 2;
    bool unstoredShown = false;  // the picture shows drawing no entry holds
    int lowest = 1;              // undo never shows a step below this
    for (int step = 0; step < 5000; ++step) {
      picture.FailSerialise = random() % 5 == 0;
      picture.FailRestore = random() % 5 == 0;
      const int pos = store.snapshotPos(), top = store.snapshotTop();
      const std::uint32_t shown = picture.Composed;
      switch (random() % 7) {
        case 0:
        case 1: {
          picture.Draw(nextContent++);
          const bool pushed = store.Push();
          EXPECT_EQ(pushed, !picture.FailSerialise);
          EXPECT_EQ(picture.Composed, nextContent - 1) << "the drawing stays either way";
          EXPECT_EQ(store.snapshotPos(), pushed ? pos + 1 : pos);
          EXPECT_EQ(store.snapshotTop(), store.snapshotPos()) << "no redo over new drawing";
          if (pushed && unstoredShown) lowest = store.snapshotPos();
          unstoredShown = !pushed;
          break;
        }
        case 2:
        case 3: {
          const Step result = store.Undo();
          if (result != Step::Restored) EXPECT_EQ(picture.Composed, shown);
          EXPECT_EQ(store.snapshotPos(), result == Step::Restored ? pos - 1 : pos);
          EXPECT_EQ(result == Step::Blocked, unstoredShown || (pos > 1 && pos - 1 < lowest));
          EXPECT_EQ(result == Step::AtEnd, pos == 1 && !unstoredShown);
          break;
        }
        case 4:
        case 5: {
          const Step result = store.Redo();
          if (result != Step::Restored) EXPECT_EQ(picture.Composed, shown);
          EXPECT_EQ(store.snapshotPos(), result == Step::Restored ? pos + 1 : pos);
          EXPECT_EQ(result == Step::AtEnd, pos == top);
          break;
        }
        default:
          // Callers reset at step 1 only, where the picture needs no change.
          if (pos == 1) store.Reset();
          break;
      }
      ASSERT_LE(1, store.snapshotPos()) << "seed " << seed << " step " << step;
      ASSERT_LE(store.snapshotPos(), store.snapshotTop()) << "seed " << seed << " step " << step;
      ASSERT_LE(store.snapshotTop(), store.LastIndex()) << "seed " << seed << " step " << step;
      if (!unstoredShown) {
        // Step 1 is the desktop; every later one ends where its entry says.
        const int at = store.snapshotPos();
        ASSERT_EQ(at == 1 ? 1u : FakePicture::After(store.Entry(at)), picture.Composed)
            << "seed " << seed << " step " << step;
        ASSERT_EQ(picture.Persistent, picture.Composed);
      }
    }
  }
}

}  // namespace
}  // namespace quillane::capture
