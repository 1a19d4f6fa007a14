#pragma once
// The capture's undo and redo history: one serialised picture per step.
// Index 0 is never used, 1 is the frozen desktop without annotations, and
// after every operation 1 <= snapshotPos <= snapshotTop <= the last index.
// A step that cannot be stored (no memory, a picture too large for the
// format) keeps its drawing on the picture: undo then stops there rather
// than take the picture back past it. A step that cannot be read back
// changes nothing.
#include <cstdint>
#include <span>
#include <vector>

namespace quillane::capture {

using SnapshotBytes = std::vector<std::uint8_t>;

// The capture window's picture as the store sees it.
class SnapshotPicture {
 public:
  virtual ~SnapshotPicture() = default;
  // The composed picture (persistent picture plus what was drawn into the
  // backing image since) as bytes. Throws when it cannot be serialised.
  virtual SnapshotBytes SerialiseComposed() = 0;
  // After a successful SerialiseComposed: the composed picture becomes the
  // persistent picture.
  virtual void KeepComposed() noexcept = 0;
  // After a failed one: the composed picture stays as it is, drawing and
  // all, though no entry holds it.
  virtual void KeepUnstored() noexcept = 0;
  // Replaces the picture with the one serialised in `bytes`; throws, leaving
  // the picture as it was, when they cannot be read back.
  virtual void Restore(std::span<const std::uint8_t> bytes) = 0;
};

class SnapshotStore {
 public:
  explicit SnapshotStore(SnapshotPicture& picture);

  // Writes entry 1 from the picture as it is (the frozen desktop). False when
  // it cannot be serialised: entry 1 then stays empty, and undo never goes
  // back to it from a later step.
  bool Open();
  // Appends the composed picture after the current step, dropping the redo
  // history. False when it cannot be stored: the drawing stays on the
  // picture, the redo history is dropped all the same, and undo stops here.
  bool Push();

  enum class Step {
    Restored,  // the picture now shows the entry at snapshotPos
    AtEnd,     // nothing to step to: undo at step 1 or redo at the top
    Blocked,   // undo would lose drawing that no entry holds; nothing changed
    Failed,    // the entry could not be read back; nothing changed
  };
  Step Undo();
  Step Redo();
  // Back to the clean desktop: every annotation and all redo history dropped.
  void Reset();

  // Some drawing on the picture could not be stored, so the picture is
  // annotated whatever snapshotPos says.
  bool HoldsUnstoredDrawing() const { return unstoredDrawing_; }
  std::int32_t snapshotPos() const { return snapshotPos_; }
  std::int32_t snapshotTop() const { return snapshotTop_; }
  std::int32_t LastIndex() const { return static_cast<std::int32_t>(snapshots_.size()) - 1; }
  const SnapshotBytes& Entry(std::int32_t index) const { return snapshots_.at(static_cast<std::size_t>(index)); }

 private:
  bool Show(std::int32_t index);

  SnapshotPicture& picture_;
  std::vector<SnapshotBytes> snapshots_;
  std::int32_t snapshotPos_ = 1;
  std::int32_t snapshotTop_ = 1;
  // The lowest step undo may show again.
  std::int32_t floor_ = 1;
  // The picture holds drawing that the entry at snapshotPos lacks.
  bool aheadOfEntry_ = false;
  bool unstoredDrawing_ = false;
};

}  // namespace quillane::capture
