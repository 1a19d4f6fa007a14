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
  void SetUp() override { ASSERT_TRUE(store.Open()); }
  std::uint32_t Shown() const { return FakePicture::Content(store.Entry(store.snapshotPos())); }

  FakePicture picture;
  SnapshotStore store{picture};
};

TEST_F(SnapshotStoreTest, OpeningHoldsTheDesktopAtOneAndNothingToStepTo) {
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(store.snapshotTop(), 1);
  EXPECT_EQ(store.LastIndex(), 1);
  EXPECT_TRUE(store.Entry(0).empty());
  EXPECT_EQ(Shown(), 1u);
  EXPECT_EQ(store.Redo(), Step::AtEnd);
  EXPECT_EQ(store.Undo(), Step::AtEnd);
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(picture.Composed, 1u);
}

TEST(SnapshotStore, ADesktopThatCannotBeSerialisedLeavesAnEmptyFirstStep) {
  FakePicture picture;
  picture.FailSerialise = true;
  SnapshotStore store(picture);
  EXPECT_FALSE(store.Open());
  EXPECT_EQ(store.snapshotPos(), 1);
  EXPECT_EQ(store.LastIndex(), 1);
  EXPECT_TRUE(store.Entry(1).empty());
  // Once serialising works again, annotations push; undo to the empty first step fails harmlessly.
  picture.FailSerialise = false;
  picture.Draw(7);
  ASSERT_TRUE(store.Push());
  EXPECT_EQ(store.Undo(), Step::Failed);
  EXPECT_EQ(store.snapshotPos(), 2);
  EXPECT_EQ(picture.Composed, 7u);
}

// Long random runs of every operation, with failures, checking after each
// step the store's invariant and that the picture shows the current step.
TEST(SnapshotStore, RandomRunsKeepTheInvariantAndThePictureInStep) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    std::mt19937 random(seed);
    FakePicture picture;
    SnapshotStore store(picture);
    ASSERT_TRUE(store.Open());
    std::uint32_t nextContent = 2;
    for (int step = 0; step < 5000; ++step) {
      picture.FailSerialise = random() % 5 == 0;
      picture.FailRestore = random() % 5 == 0;
      const int pos = store.snapshotPos(), top = store.snapshotTop(), last = store.LastIndex();
      const std::uint32_t shown = picture.Composed;
      switch (random() % 7) {
        case 0:
        case 1: {
          picture.Draw(nextContent++);
          const bool pushed = store.Push();
          EXPECT_EQ(pushed, !picture.FailSerialise);
          if (pushed) {
            EXPECT_EQ(store.snapshotPos(), pos + 1);
            EXPECT_EQ(store.snapshotTop(), pos + 1);
          } else {
            EXPECT_EQ(store.snapshotTop(), top);
            EXPECT_EQ(store.LastIndex(), last);
            EXPECT_EQ(picture.Composed, shown);
          }
          break;
        }
        case 2:
        case 3: {
          const Step result = store.Undo();
          if (result != Step::Restored) EXPECT_EQ(picture.Composed, shown);
          EXPECT_EQ(store.snapshotPos(), result == Step::Restored ? pos - 1 : pos);
          EXPECT_EQ(result == Step::AtEnd, pos == 1);
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
          store.Reset();
          // Callers reset at step 1 only; anywhere else the desktop must be shown again.
          if (pos != 1) picture.Persistent = picture.Composed = FakePicture::Content(store.Entry(1));
          break;
      }
      ASSERT_LE(1, store.snapshotPos()) << "seed " << seed << " step " << step;
      ASSERT_LE(store.snapshotPos(), store.snapshotTop()) << "seed " << seed << " step " << step;
      ASSERT_LE(store.snapshotTop(), store.LastIndex()) << "seed " << seed << " step " << step;
      ASSERT_EQ(FakePicture::Content(store.Entry(store.snapshotPos())), picture.Composed)
          << "seed " << seed << " step " << step;
      ASSERT_EQ(picture.Persistent, picture.Composed);
    }
  }
}

}  // namespace
}  // namespace quillane::capture
