#include <windows.h>
#include <gtest/gtest.h>

#include "win32/version.h"

TEST(Program, ReadsItsOwnVersionResource) {
  const auto version = quillane::win::ReadProgramVersion();
  EXPECT_EQ(version.Major, 7);
  EXPECT_EQ(version.Minor, 1);
}
