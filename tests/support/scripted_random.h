#pragma once
// Random numbers a test chooses, for replaying exact flower starts.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>

#include "pattern/flower_engine.h"
#include "pattern/random_source.h"

namespace quillane::testing_support {

// Hands out `Numbers` in order. What follows them is the test's choice
// (`After`): a failure (the default: every draw of a tick must be scripted),
// a number that never starts a flower, or a seeded run that grows flowers.
class ScriptedRandom final : public RandomSource {
 public:
  enum class AfterScript { Fail, NeverStart, Seeded };

  ScriptedRandom() = default;
  explicit ScriptedRandom(AfterScript after, std::uint64_t seed = 1) : After(after), seeded_(seed) {}
  ScriptedRandom(std::initializer_list<double> numbers) : Numbers(numbers) {}

  void Add(std::initializer_list<double> numbers) { Numbers.insert(Numbers.end(), numbers); }
  void Add(double number, int times) { Numbers.insert(Numbers.end(), static_cast<std::size_t>(times), number); }
  std::size_t Remaining() const { return Numbers.size(); }

  double Next() override {
    if (!Numbers.empty()) {
      const double r = Numbers.front();
      Numbers.pop_front();
      return r;
    }
    switch (After) {
      case AfterScript::Seeded: return seeded_.Next();
      case AfterScript::Fail: ADD_FAILURE() << "drew more numbers than were scripted"; return 0.5;
      case AfterScript::NeverStart: break;
    }
    // Slot 199 is never in play, and 0.999 never makes a zero step.
    return 0.999;
  }

  std::deque<double> Numbers;
  AfterScript After = AfterScript::Fail;

 private:
  SeededRandom seeded_{1};
};

}  // namespace quillane::testing_support
