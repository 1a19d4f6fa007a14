#include "capture/snapshot_store.h"

#include <exception>
#include <utility>

namespace quillane::capture {

SnapshotStore::SnapshotStore(SnapshotPicture& picture) : picture_(picture), snapshots_(2) {}

bool SnapshotStore::Open() {
  snapshots_.resize(2);
  snapshotPos_ = snapshotTop_ = 1;
  try {
    snapshots_[1] = picture_.SerialiseComposed();
  } catch (...) {
    picture_.DropComposed();
    snapshots_[1].clear();
    return false;
  }
  picture_.KeepComposed();
  return true;
}

bool SnapshotStore::Push() {
  const auto next = static_cast<std::size_t>(snapshotPos_) + 1;
  try {
    SnapshotBytes bytes = picture_.SerialiseComposed();
    // Only steps that cannot fail once the array has room: a failure leaves
    // the redo history as it was.
    if (snapshots_.size() <= next) snapshots_.emplace_back();
    snapshots_[next] = std::move(bytes);
  } catch (...) {
    picture_.DropComposed();
    return false;
  }
  snapshots_.resize(next + 1);
  picture_.KeepComposed();
  snapshotPos_ = snapshotTop_ = static_cast<std::int32_t>(next);
  return true;
}

bool SnapshotStore::Show(std::int32_t index) {
  try {
    picture_.Restore(snapshots_[static_cast<std::size_t>(index)]);
    return true;
  } catch (...) {
    return false;
  }
}

SnapshotStore::Step SnapshotStore::Undo() {
  if (snapshotPos_ <= 1) return Step::AtEnd;
  if (!Show(snapshotPos_ - 1)) return Step::Failed;
  --snapshotPos_;
  return Step::Restored;
}

SnapshotStore::Step SnapshotStore::Redo() {
  if (snapshotPos_ >= snapshotTop_) return Step::AtEnd;
  if (!Show(snapshotPos_ + 1)) return Step::Failed;
  ++snapshotPos_;
  return Step::Restored;
}

void SnapshotStore::Reset() {
  snapshots_.resize(2);
  snapshotPos_ = snapshotTop_ = 1;
}

}  // namespace quillane::capture
