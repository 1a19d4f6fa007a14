#pragma once
// Flower shapes come back: a flower that does not spin swells and shrinks
// between two sizes while it drifts, and one that turns a degree a tick shows
// the same petals again once it has turned by the angle between two of them.
// The pixels a shape's wide outlines cover are kept the first time it is
// stroked; when it comes back they are set again, moved, which paints the
// same pixels as stroking every outline again at a fraction of the cost.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
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

  // Calls `visit(y, left, right)` for each run of the shape centred at
  // `centre` on a picture of `width` x `height`, cut to the picture; `right`
  // is one past the run's last pixel.
  template <class Visit>
  void ForEachRun(CanvasPoint centre, std::int32_t width, std::int32_t height, Visit&& visit) const;

  std::size_t Bytes() const { return rowEnds_.size() * sizeof(std::uint32_t) + runs_.size() * sizeof(Run); }

 private:
  std::int32_t top_ = 0;
  std::vector<std::uint32_t> rowEnds_;  // the runs of row r are runs_[r ? rowEnds_[r - 1] : 0, rowEnds_[r])
  std::vector<Run> runs_;
};

template <class Visit>
void ShapeSpans::ForEachRun(CanvasPoint centre, std::int32_t width, std::int32_t height, Visit&& visit) const {
  const std::int64_t firstY = static_cast<std::int64_t>(centre.Y) + top_;
  const std::int64_t rows = static_cast<std::int64_t>(rowEnds_.size());
  const std::int64_t from = std::clamp<std::int64_t>(-firstY, 0, rows);
  const std::int64_t to = std::clamp<std::int64_t>(height - firstY, from, rows);
  for (std::int64_t r = from; r < to; ++r) {
    const auto y = static_cast<std::int32_t>(firstY + r);
    for (std::uint32_t i = r ? rowEnds_[r - 1] : 0; i < rowEnds_[r]; ++i) {
      const std::int64_t x0 = std::max<std::int64_t>(static_cast<std::int64_t>(centre.X) + runs_[i].Left, 0);
      const std::int64_t x1 = std::min<std::int64_t>(static_cast<std::int64_t>(centre.X) + runs_[i].Right, width);
      if (x0 < x1) visit(y, static_cast<std::int32_t>(x0), static_cast<std::int32_t>(x1));
    }
  }
}

// Shapes painted one over another, each in its own colour, wait here until
// the picture is next needed and are then set at once, the last first: a
// pixel takes the colour of the last shape covering it, as painting them in
// turn leaves it, but is written once instead of once a shape. Growing
// flowers move a few pixels a tick, so most of each painting covers the last.
class PendingShapes {
 public:
  void Add(std::shared_ptr<const ShapeSpans> shape, CanvasPoint centre, std::uint32_t pixel) {
    waiting_.push_back({std::move(shape), centre, pixel});
  }
  std::size_t Count() const { return waiting_.size(); }
  // Sets the waiting shapes' pixels in a top-down 32-bit picture of
  // `width` x `height`, as painted in the order added, and forgets them.
  void Land(std::uint32_t* pixels, std::int32_t width, std::int32_t height);
  // Forgets the waiting shapes unpainted.
  void Clear() { waiting_.clear(); }

 private:
  struct Waiting {
    std::shared_ptr<const ShapeSpans> Shape;
    CanvasPoint Centre;
    std::uint32_t Pixel;
  };
  std::vector<Waiting> waiting_;
  // A bit a pixel, set once a later shape has given the pixel its colour;
  // all clear between landings.
  std::vector<std::uint64_t> covered_;
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
  // it and Keep its pixels. Shapes still waiting to be painted outlive
  // their forgetting.
  std::shared_ptr<const ShapeSpans> Find(int penWidth, std::span<const Petal> petals);
  // Keeps the pixels of the shape last looked up and not found.
  std::shared_ptr<const ShapeSpans> Keep(ShapeSpans spans);

  std::size_t Count() const { return entries_.size(); }
  std::size_t Bytes() const { return bytes_; }
  void Clear();

 private:
  using Key = std::vector<std::int32_t>;
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    std::shared_ptr<const ShapeSpans> Spans;
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
