#include "capture/snapshot_store.h"

#include <exception>
#include <utility>

namespace quillane::capture {

SnapshotStore::SnapshotStore(SnapshotPicture& picture) : picture_(picture), snapshots_(2) {}

void SnapshotStore::Open() {
  snapshots_.resize(2);
  snapshotPos_ = snapshotTop_ = floor_ = 1;
  aheadOfEntry_ = unstoredDrawing_ = false;
}

bool SnapshotStore::Push() {
  const auto next = static_cast<std::size_t>(snapshotPos_) + 1;
  try {
    SnapshotBytes bytes = picture_.SerialiseStep();
    // Only steps that cannot fail once the array has room.
    if (snapshots_.size() <= next) snapshots_.emplace_back();
    snapshots_[next] = std::move(bytes);
  } catch (...) {
    // The drawing is the user's: it stays. Redo would paint over it, so the
    // redo history goes as after any new step.
    picture_.KeepUnstored();
    snapshots_.resize(next);
    snapshotTop_ = snapshotPos_;
    aheadOfEntry_ = unstoredDrawing_ = true;
    return false;
  }
  snapshots_.resize(next + 1);
  picture_.KeepComposed();
  snapshotPos_ = snapshotTop_ = static_cast<std::int32_t>(next);
  // Its start lacks what could not be stored, and so does every step below.
  if (std::exchange(aheadOfEntry_, false)) floor_ = snapshotPos_;
  return true;
}

bool SnapshotStore::Show(std::int32_t index, SnapshotPicture::Side side) {
  try {
    picture_.Restore(snapshots_[static_cast<std::size_t>(index)], side);
    return true;
  } catch (...) {
    return false;
  }
}

SnapshotStore::Step SnapshotStore::Undo() {
  if (aheadOfEntry_) return Step::Blocked;
  if (snapshotPos_ <= 1) return Step::AtEnd;
  if (snapshotPos_ - 1 < floor_) return Step::Blocked;
  if (!Show(snapshotPos_, SnapshotPicture::Side::Before)) return Step::Failed;
  --snapshotPos_;
  return Step::Restored;
}

SnapshotStore::Step SnapshotStore::Redo() {
  if (snapshotPos_ >= snapshotTop_) return Step::AtEnd;
  if (!Show(snapshotPos_ + 1, SnapshotPicture::Side::After)) return Step::Failed;
  ++snapshotPos_;
  return Step::Restored;
}

void SnapshotStore::Reset() {
  // The picture is not touched: drawing it holds beyond step 1 stays counted.
  snapshots_.resize(2);
  snapshotPos_ = snapshotTop_ = floor_ = 1;
}

}  // namespace quillane::capture
