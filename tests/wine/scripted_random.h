#pragma once
#include <deque>

#include "pattern/flower_engine.h"

namespace quillane::testing_support {

// Hands out chosen numbers, then one that never starts a flower.
class ScriptedRandom final : public RandomSource {
 public:
  std::deque<double> Numbers;
  double Next() override {
    if (Numbers.empty()) return 0.999;
    const double r = Numbers.front();
    Numbers.pop_front();
    return r;
  }
};

}  // namespace quillane::testing_support
