#pragma once
// Flower shapes come back: a flower that does not spin swells and shrinks
// between two sizes while it drifts, and one that turns a degree a tick shows
// the same petals again once it has turned by the angle between two of them.
// The pixels a shape's wide outlines cover are kept the first time it is
// stroked; when it comes back they are set again, moved, which paints the
// same pixels as stroking every outline again at a fraction of the cost.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "pattern/flower_engine.h"

namespace quillane {

// The pixels of one shape as runs along its rows, relative to the shape's
// centre (the first petal's first corner).
class ShapeSpans {
 public:
  struct Run {
    std::int32_t Left, Right;  // Right is one past the last pixel
  };

  // The set pixels of a one-bit, top-down picture (rows of `stride` bytes,
  // leftmost pixel in the highest bit) whose top left pixel lies at
  // (left, top) from the centre. `stride` must cover `width` bits.
  static ShapeSpans FromMask(const std::uint8_t* bits, std::size_t stride, std::int32_t width, std::int32_t height,
                             std::int32_t left, std::int32_t top);

  // Sets the shape's pixels, centred at `centre`, to `pixel` in a top-down
  // 32-bit picture; what lies outside it is left out.
  void Paint(CanvasPoint centre, std::uint32_t pixel, std::uint32_t* pixels, std::int32_t width,
             std::int32_t height) const;

  std::size_t Bytes() const { return rowEnds_.size() * sizeof(std::uint32_t) + runs_.size() * sizeof(Run); }

 private:
  std::int32_t top_ = 0;
  std::vector<std::uint32_t> rowEnds_;  // the runs of row r are runs_[r ? rowEnds_[r - 1] : 0, rowEnds_[r])
  std::vector<Run> runs_;
};

// The shapes stroked lately and their pixels, the least recently used
// forgotten first. A shape is its petals relative to its centre, in any
// order (one colour's outlines paint their union), and the pen width.
class RecurringShapes {
 public:
  // Enough for a flower with three petals turning a degree a tick (120 turns
  // before its petals line up again) and a few others.
  static constexpr std::size_t kMaxShapes = 160;
  static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

  // The kept pixels of the shape, or null when it is not kept: then stroke
  // it and Keep its pixels.
  const ShapeSpans* Find(int penWidth, std::span<const Petal> petals);
  // Keeps the pixels of the shape last looked up and not found.
  const ShapeSpans& Keep(ShapeSpans spans);

  std::size_t Count() const { return entries_.size(); }
  std::size_t Bytes() const { return bytes_; }
  void Clear();

 private:
  using Key = std::vector<std::int32_t>;
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    ShapeSpans Spans;
    std::uint64_t LastUse = 0;
  };
  void ForgetLeastRecent();

  std::unordered_map<Key, Entry, KeyHash> entries_;
  std::size_t bytes_ = 0;
  std::uint64_t uses_ = 0;
  Key key_;
  std::vector<std::array<std::int32_t, 8>> sorted_;
};

}  // namespace quillane
