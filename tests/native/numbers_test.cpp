#include "util/numbers.h"

#include <gtest/gtest.h>

namespace quillane {
namespace {

TEST(Numbers, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(0.4), 0);
  EXPECT_EQ(RoundHalfEven(1e300), 2147483647);
}

TEST(Numbers, IntRoundsDown) {
  EXPECT_EQ(IntFloor(0.99), 0);
  EXPECT_EQ(IntFloor(-0.01), -1);
  EXPECT_EQ(IntFloor(8.9999), 8);
}

TEST(Numbers, ReadsTheNumberAtTheStartOfText) {
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"9.005"), 9.005);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"  0.005"), 0.005);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"6.005abc"), 6.005);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"-2.5"), -2.5);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"+3"), 3.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L".5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"1e2x"), 100.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"1e"), 1.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"abc"), 0.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L""), 0.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"-"), 0.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(L"1e-999"), 0.0);
  EXPECT_GT(ParseLeadingNumber(L"1e999"), 1e300);
}

TEST(Numbers, TwipsBecomePixelsAtTheDisplaysDensity) {
  EXPECT_EQ(TwipsToPixels(18105, 96), 1207);
  EXPECT_EQ(TwipsToPixels(3810, 96), 254);
  EXPECT_EQ(TwipsToPixels(3810, 144), 381);
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
}

}  // namespace
}  // namespace quillane
