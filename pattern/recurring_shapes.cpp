#include "pattern/recurring_shapes.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quillane {

namespace {

// Up to 64 pixels of a mask row from bit `first` on, leftmost in the highest bit.
std::uint64_t MaskWord(const std::uint8_t* row, std::size_t stride, std::int32_t width, std::int32_t first) {
  const std::size_t byte = static_cast<std::size_t>(first) / 8;
  std::uint8_t bytes[8]{};
  std::memcpy(bytes, row + byte, std::min<std::size_t>(8, stride - byte));
  std::uint64_t word = 0;
  for (std::uint8_t b : bytes) word = word << 8 | b;
  // Bits past the row's last pixel are padding.
  if (width - first < 64) word &= ~std::uint64_t{0} << (64 - (width - first));
  return word;
}

}  // namespace

ShapeSpans ShapeSpans::FromMask(const std::uint8_t* bits, std::size_t stride, std::int32_t width, std::int32_t height,
                                std::int32_t left, std::int32_t top) {
  ShapeSpans shape;
  std::int32_t firstRow = -1;
  std::size_t lastRowEnd = 0;  // rowEnds_ size up to the last row with runs
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bits + static_cast<std::size_t>(y) * stride;
    const std::size_t before = shape.runs_.size();
    bool inRun = false;
    std::int32_t start = 0;
    for (std::int32_t base = 0; base < width; base += 64) {
      const std::uint64_t word = MaskWord(row, stride, width, base);
      int at = 0;
      while (at < 64) {
        const std::uint64_t rest = word << at;
        if (!inRun) {
          if (rest == 0) break;
          at += std::countl_zero(rest);
          start = base + at;
          inRun = true;
        } else {
          at += std::countl_one(rest);
          if (at < 64) {
            shape.runs_.push_back({left + start, left + base + at});
            inRun = false;
          }
        }
      }
    }
    if (inRun) shape.runs_.push_back({left + start, left + width});
    if (shape.runs_.size() == before && firstRow < 0) continue;
    if (firstRow < 0) firstRow = y;
    shape.rowEnds_.push_back(static_cast<std::uint32_t>(shape.runs_.size()));
    if (shape.runs_.size() != before) lastRowEnd = shape.rowEnds_.size();
  }
  shape.rowEnds_.resize(lastRowEnd);
  shape.rowEnds_.shrink_to_fit();
  shape.runs_.shrink_to_fit();
  shape.top_ = top + std::max(firstRow, 0);
  return shape;
}

void PendingShapes::Land(std::uint32_t* pixels, std::int32_t width, std::int32_t height) {
  if (waiting_.empty()) return;
  const std::size_t words = (static_cast<std::size_t>(std::max(width, 0)) + 63) / 64;
  const std::size_t needed = words * static_cast<std::size_t>(std::max(height, 0));
  if (covered_.size() != needed) covered_.assign(needed, 0);
  std::int32_t top = height, bottom = -1;
  for (auto shape = waiting_.rbegin(); shape != waiting_.rend(); ++shape) {
    const std::uint32_t pixel = shape->Pixel;
    shape->Shape->ForEachRun(shape->Centre, width, height, [&](std::int32_t y, std::int32_t x, std::int32_t end) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      std::uint64_t* covered = covered_.data() + static_cast<std::size_t>(y) * words;
      std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
      while (x < end) {
        const std::int32_t base = x & ~63, stop = std::min(end, base + 64);
        const int from = x - base, count = stop - x;
        const std::uint64_t span = (count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1) << from;
        std::uint64_t open = span & ~covered[base / 64];
        covered[base / 64] |= span;
        // The uncovered pixels of these 64, as runs.
        while (open) {
          const int first = std::countr_zero(open);
          const int length = std::countr_one(open >> first);
          std::fill_n(row + base + first, length, pixel);
          if (first + length == 64) break;
          open &= ~std::uint64_t{0} << (first + length);
        }
        x = stop;
      }
    });
  }
  waiting_.clear();
  if (bottom >= top)
    std::fill(covered_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(top) * words),
              covered_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(bottom + 1) * words), 0);
}

std::size_t RecurringShapes::KeyHash::operator()(const Key& key) const {
  std::uint64_t hash = 1469598103934665603ull;
  for (std::int32_t v : key) hash = (hash ^ static_cast<std::uint32_t>(v)) * 1099511628211ull;
  return static_cast<std::size_t>(hash);
}

std::shared_ptr<const ShapeSpans> RecurringShapes::Find(int penWidth, std::span<const Petal> petals) {
  const CanvasPoint origin = petals.empty() ? CanvasPoint{0, 0} : petals.front()[0];
  sorted_.clear();
  for (const Petal& petal : petals) {
    std::array<std::int32_t, 8>& corners = sorted_.emplace_back();
    for (std::size_t i = 0; i < 4; ++i) {
      corners[2 * i] = petal[i].X - origin.X;
      corners[2 * i + 1] = petal[i].Y - origin.Y;
    }
  }
  std::sort(sorted_.begin(), sorted_.end());
  key_.assign(1, penWidth);
  for (const auto& corners : sorted_) key_.insert(key_.end(), corners.begin(), corners.end());
  const auto found = entries_.find(key_);
  if (found == entries_.end()) return nullptr;
  found->second.LastUse = ++uses_;
  return found->second.Spans;
}

std::shared_ptr<const ShapeSpans> RecurringShapes::Keep(ShapeSpans spans) {
  const std::size_t bytes = spans.Bytes();
  while (!entries_.empty() && (entries_.size() >= kMaxShapes || bytes_ + bytes > kMaxBytes)) ForgetLeastRecent();
  auto [kept, added] = entries_.try_emplace(key_);
  Entry& entry = kept->second;
  if (!added) bytes_ -= entry.Spans->Bytes();
  bytes_ += bytes;
  entry.Spans = std::make_shared<const ShapeSpans>(std::move(spans));
  entry.LastUse = ++uses_;
  return entry.Spans;
}

void RecurringShapes::ForgetLeastRecent() {
  const auto oldest = std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
    return a.second.LastUse < b.second.LastUse;
  });
  bytes_ -= oldest->second.Spans->Bytes();
  entries_.erase(oldest);
}

void RecurringShapes::Clear() {
  entries_.clear();
  bytes_ = 0;
}

}  // namespace quillane
