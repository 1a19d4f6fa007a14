#pragma once
// Remembers the last few flower shapes drawn, so a shape that comes back (a
// flower that does not spin swells and shrinks between two sizes while it
// drifts) can be painted from the pixels its outlines covered the last time,
// instead of stroking every wide outline again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pattern/flower_engine.h"

namespace quillane {

class RecurringShapes {
 public:
  static constexpr std::size_t kSlots = 4;

  enum class Verdict {
    Stroke,  // not seen lately: stroke it; the slot now holds it and anything kept there is gone
    Keep,    // seen once before: keep the pixels of its outlines in the slot, then paint them
    Reuse,   // its pixels are kept in the slot: paint them
  };
  struct Answer {
    Verdict What;
    std::size_t Slot;
  };

  // A shape is the petals' corners relative to the first petal's centre, and
  // the pen width; the same shape anywhere else is the same pixels moved.
  Answer Look(int penWidth, std::span<const Petal> petals);

 private:
  struct Entry {
    std::vector<std::int32_t> Key;
    bool Seen = false;
    bool Kept = false;
  };
  std::array<Entry, kSlots> entries_{};
  std::size_t next_ = 0;  // the oldest slot, taken by the next new shape
  std::vector<std::int32_t> key_;
};

}  // namespace quillane
