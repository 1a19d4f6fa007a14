#include "pattern/recurring_shapes.h"

#include <algorithm>
#include <utility>

namespace quillane {

RecurringShapes::Answer RecurringShapes::Look(int penWidth, std::span<const Petal> petals) {
  key_.clear();
  key_.push_back(penWidth);
  const CanvasPoint origin = petals.empty() ? CanvasPoint{0, 0} : petals.front()[0];
  for (const Petal& petal : petals)
    for (const CanvasPoint& p : petal) {
      key_.push_back(p.X - origin.X);
      key_.push_back(p.Y - origin.Y);
    }
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.Seen && e.Key == key_; });
  if (found == entries_.end()) {
    const std::size_t slot = next_;
    next_ = (next_ + 1) % kSlots;
    entries_[slot].Key.swap(key_);
    entries_[slot].Seen = true;
    entries_[slot].Kept = false;
    return {Verdict::Stroke, slot};
  }
  const auto slot = static_cast<std::size_t>(found - entries_.begin());
  return {std::exchange(found->Kept, true) ? Verdict::Reuse : Verdict::Keep, slot};
}

}  // namespace quillane
