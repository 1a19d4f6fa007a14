#pragma once
// Rounds of a leak loop. The program counts its own GDI objects exactly, so
// a leak of one object a round shows within a few rounds: a few dozen is the
// default. QUILLANE_SOAK_ROUNDS asks for more, for the one long soak run.
#include <cstdlib>

namespace quillane::testing_support {

inline int SoakRounds(int rounds = 24) {
  const char* text = std::getenv("QUILLANE_SOAK_ROUNDS");
  if (!text || !*text) return rounds;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return *end == '\0' && value > 0 ? static_cast<int>(value) : rounds;
}

}  // namespace quillane::testing_support
