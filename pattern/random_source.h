#pragma once
#include <cstdint>

#include "pattern/flower_engine.h"

namespace quillane {

// A small, fast generator (xoshiro256**): the same seed gives the same run.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed);
  double Next() override;

 private:
  std::uint64_t NextBits();
  std::uint64_t state_[4];
};

// A seed that differs from run to run.
std::uint64_t FreshSeed();

}  // namespace quillane
