// The one handle owner: each handle is released exactly once, by whoever
// holds it last, and a counted kind's count follows what is held.
#include "win32/owner.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillane::win {
namespace {

std::vector<int> closed;
int live = 0;

// Handles are ints; -1 owns nothing, as INVALID_HANDLE_VALUE does for files.
struct FakeTraits {
  using Handle = int;
  static Handle Invalid() { return -1; }
  void Close(Handle handle) const { closed.push_back(handle * 100 + tag); }
  int tag = 0;  // carried with the handle, like a device context's window
};
struct CountedTraits : FakeTraits {
  static void Acquired() { ++live; }
  static void Released() { --live; }
};

class OwnerTest : public testing::Test {
 protected:
  void SetUp() override {
    closed.clear();
    live = 0;
  }
};

TEST_F(OwnerTest, ReleasesEachHandleOnceWhoeverHoldsItLast) {
  {
    Owner<FakeTraits> empty;
    EXPECT_FALSE(empty);
    Owner<FakeTraits> zero(0, {7});  // 0 is a handle like any other here
    EXPECT_TRUE(zero);
    Owner<FakeTraits> moved(std::move(zero));
    EXPECT_FALSE(zero);
    EXPECT_EQ(moved.Get(), 0);
    Owner<FakeTraits> target(5, {1});
    target = std::move(moved);  // 5 goes now, 0 when target goes, with its own tag
    EXPECT_EQ(closed, (std::vector<int>{501}));
    target = std::move(target);
    EXPECT_EQ(target.Get(), 0);
  }
  EXPECT_EQ(closed, (std::vector<int>{501, 7}));
}

TEST_F(OwnerTest, ResetReleasesWhatWasHeldAndReleaseGivesItUpUnclosed) {
  {
    Owner<FakeTraits> owner(3);
    owner.Reset(4);
    EXPECT_EQ(closed, (std::vector<int>{300}));
    EXPECT_EQ(owner.Release(), 4);
    EXPECT_FALSE(owner);
    *owner.Receive() = 6;  // as a creating call writes it
    EXPECT_EQ(owner.Get(), 6);
    *owner.Receive() = 8;
    EXPECT_EQ(closed, (std::vector<int>{300, 600}));
    owner.Reset();
    owner.Reset();
  }
  EXPECT_EQ(closed, (std::vector<int>{300, 600, 800}));
}

TEST_F(OwnerTest, ACountedKindCountsWhatItHolds) {
  {
    Owner<CountedTraits> a(1), none(-1);
    EXPECT_EQ(live, 1);
    Owner<CountedTraits> b(std::move(a));
    EXPECT_EQ(live, 1);
    b.Reset(2);
    EXPECT_EQ(live, 1);
    a.Reset(3);
    EXPECT_EQ(live, 2);
    EXPECT_EQ(a.Release(), 3);  // handed to an owner outside, which counts itself
    EXPECT_EQ(live, 1);
    b = std::move(none);
    EXPECT_EQ(live, 0);
  }
  EXPECT_EQ(live, 0);
  EXPECT_EQ(closed, (std::vector<int>{100, 200}));
}

}  // namespace
}  // namespace quillane::win
