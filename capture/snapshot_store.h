#pragma once
// The capture's undo and redo history: one entry per step, holding what the
// step changed (the picture's own bytes; the capture window's keep the
// changed rectangle before and after the step). Step 1 is the frozen
// desktop, which lives in the picture itself and needs no entry: entry i
// (from 2) takes the picture from step i - 1 to step i and back. After
// every operation 1 <= snapshotPos <= snapshotTop <= the last index.
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
  // What was drawn since the last kept step (into the composed picture, over
  // the persistent one) as one step's bytes: enough to take the picture back
  // before the step and on to after it again. Throws when it cannot be stored.
  virtual SnapshotBytes SerialiseStep() = 0;
  // After a successful SerialiseStep: the composed picture becomes the
  // persistent picture.
  virtual void KeepComposed() noexcept = 0;
  // After a failed one: the composed picture stays as it is, drawing and
  // all, though no entry holds it; the next step takes that drawing in.
  virtual void KeepUnstored() noexcept = 0;
  // Takes the picture, which shows the step's end (its start), back to its
  // start (on to its end); throws, leaving the picture as it was, when the
  // bytes cannot be read back.
  enum class Side { Before, After };
  virtual void Restore(std::span<const std::uint8_t> step, Side side) = 0;
};

class SnapshotStore {
 public:
  explicit SnapshotStore(SnapshotPicture& picture);

  // A fresh history at step 1, the picture as it is (the frozen desktop).
  void Open();
  // Appends what was drawn as the step after the current one, dropping the
  // redo history. False when it cannot be stored: the drawing stays on the
  // picture, the redo history is dropped all the same, and undo stops here.
  bool Push();

  enum class Step {
    Restored,  // the picture now shows the step at snapshotPos
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
  // Empty for 0 and 1.
  const SnapshotBytes& Entry(std::int32_t index) const { return snapshots_.at(static_cast<std::size_t>(index)); }

 private:
  bool Show(std::int32_t index, SnapshotPicture::Side side);

  SnapshotPicture& picture_;
  std::vector<SnapshotBytes> snapshots_;
  std::int32_t snapshotPos_ = 1;
  std::int32_t snapshotTop_ = 1;
  // The lowest step undo may show again.
  std::int32_t floor_ = 1;
  // The picture holds drawing that the step at snapshotPos lacks.
  bool aheadOfEntry_ = false;
  bool unstoredDrawing_ = false;
};

}  // namespace quillane::capture
