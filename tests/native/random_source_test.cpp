#include "pattern/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

namespace quillane {
namespace {

std::vector<double> Draw(std::uint64_t seed, int count) {
  SeededRandom random(seed);
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(random.Next());
  return values;
}

TEST(SeededRandom, StaysInTheHalfOpenUnitRangeAndIsEvenlySpread) {
  for (std::uint64_t seed : {0ull, 1ull, 20240517ull, 0xFFFFFFFFFFFFFFFFull}) {
    SCOPED_TRACE(seed);
    constexpr int kDraws = 100000;
    const std::vector<double> values = Draw(seed, kDraws);
    double sum = 0.0;
    std::array<int, 10> bins{};
    for (double v : values) {
      ASSERT_GE(v, 0.0);
      ASSERT_LT(v, 1.0);
      sum += v;
      ++bins[static_cast<std::size_t>(v * 10)];
    }
    // The mean of 100000 uniform draws has a spread of 0.0009; each tenth
    // holds 10000 give or take 95.
    EXPECT_NEAR(sum / kDraws, 0.5, 0.005);
    for (int count : bins) EXPECT_NEAR(count, kDraws / 10, 600);
  }
}

TEST(SeededRandom, DrawsSmallSlotNumbersAsOftenAsTheEngineExpects) {
  // The engine starts a flower in slot s when Int(r*200) = s: each of the
  // first four numbers should come up about once in 200 draws.
  SeededRandom random(99);
  std::array<int, 4> hits{};
  constexpr int kDraws = 400000;
  for (int i = 0; i < kDraws; ++i) {
    const int s = static_cast<int>(random.Next() * 200);
    if (s < 4) ++hits[s];
  }
  for (int h : hits) EXPECT_NEAR(h, kDraws / 200, 200);  // 2000 give or take 45
}

TEST(SeededRandom, SameSeedSameNumbersOtherSeedOtherNumbers) {
  EXPECT_EQ(Draw(42, 1000), Draw(42, 1000));
  EXPECT_NE(Draw(42, 1000), Draw(43, 1000));
  EXPECT_NE(Draw(0, 1000), Draw(1, 1000));
}

TEST(SeededRandom, ZeroSeedIsNotStuck) {
  const std::vector<double> values = Draw(0, 1000);
  EXPECT_GT(std::set<double>(values.begin(), values.end()).size(), 990u);
}

TEST(SeededRandom, FreshSeedsDiffer) {
  std::set<std::uint64_t> seeds;
  for (int i = 0; i < 16; ++i) seeds.insert(FreshSeed());
  EXPECT_GT(seeds.size(), 1u);
}

}  // namespace
}  // namespace quillane
