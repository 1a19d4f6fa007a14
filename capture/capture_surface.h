#pragma once
// The capture window's drawing surface: the persistent picture (what is
// committed: at first the frozen desktop) and the backing image the window
// repaints from (the persistent picture plus whatever was drawn since).
// Undo steps are taken from it, as the rectangle one drawing changed, and
// restored into it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "capture/capture_geometry.h"
#include "capture/loupe.h"
#include "capture/monitor_list.h"
#include "capture/snapshot_store.h"
#include "win32/gdi.h"
#include "win32/picture.h"

namespace quillane::capture {

// Pictures to snapshot bytes and back; ExcelPropertyBag in the program.
class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  virtual void WriteP(std::vector<std::uint8_t>& bytes, const win::Picture& picture) = 0;
  virtual win::Picture ReadP(std::span<const std::uint8_t> bytes) = 0;
};
PictureCodec& PropertyBagCodec();

// The whole virtual screen (every monitor), in screen pixels.
ScreenArea VirtualScreen();
// Every monitor the system shows, in screen pixels, with its dpi where this
// thread is per-monitor aware.
std::vector<Monitor> SystemMonitors();

class CaptureSurface final : public SnapshotPicture {
 public:
  explicit CaptureSurface(PictureCodec& codec) : codec_(codec) {}
  CaptureSurface(const CaptureSurface&) = delete;
  CaptureSurface& operator=(const CaptureSurface&) = delete;

  // Copies that area of the screen into the backing image, which is then
  // also the persistent picture. False when the bitmap cannot be made. It
  // may run on a thread of its own while nothing else uses the surface.
  bool Freeze(const ScreenArea& area);
  // Makes the persistent picture a copy of its own, as drawing needs; the
  // window asks once the frozen picture shows, so opening never waits for
  // it. False when there is no memory for it (drawing then asks again).
  bool KeepFrozen() const;
  bool KeptFrozen() const { return static_cast<bool>(persistent_); }
  // Called with the area that changed as a whole (an undo, a redo).
  void OnChanged(std::function<void(const RECT&)> changed) { changed_ = std::move(changed); }

  // The backing image to draw into; NoteDrawn with what was drawn after each
  // drawing step (without an area: anywhere).
  HDC BackingDc() {
    KeepFrozen();
    return PictureDc();
  }
  void NoteDrawn();
  void NoteDrawn(const RECT& area);
  // The backing image to read from.
  HDC PictureDc() const { return dc_ ? dc_->Get() : nullptr; }

  void Paint(HDC target, const RECT& area) const;
  // That area of the composed picture (the frozen screen with what was drawn
  // into it, nothing of the window's overlays) as a new bitmap compatible
  // with the screen and selected into no device context. Empty when it
  // cannot be made.
  win::Bitmap CopyArea(const PixelBox& area) const;
  // The backing image's pixel (0x00BBGGRR), or kNoPixel off the picture.
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
  // The backing image's own pixels (0x00RRGGBB), for the loupe; what was
  // drawn into it shows there once GDI is flushed.
  PixelSource Pixels() const { return {backingPixels_, width_, height_, width_}; }
  // What is committed: at first the frozen desktop. Empty when no memory.
  const win::Picture& Persistent() const {
    KeepFrozen();
    return persistent_;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // A step's bytes are the codec's picture of the changed rectangle as it
  // was over itself as it is now, then that rectangle (left, top, width,
  // height, 32-bit little-endian).
  SnapshotBytes SerialiseStep() override;
  void KeepComposed() noexcept override;
  void KeepUnstored() noexcept override;
  void Restore(std::span<const std::uint8_t> step, Side side) override;

 private:
  // Rows [top, bottom) from left to right of one image into the other.
  void CopyRows(const std::uint32_t* from, std::uint32_t* to, const RECT& area) const noexcept;

  PictureCodec& codec_;
  std::function<void(const RECT&)> changed_;
  int width_ = 0;
  int height_ = 0;
  // A picture of a 32-bit DIB section, whose pixels stay reachable while it
  // lives; made from the backing image when first needed.
  mutable win::Picture persistent_;
  mutable std::uint32_t* persistentPixels_ = nullptr;
  // What was drawn into the backing image since the last kept step.
  RECT drawn_{};
  // Declared in this order so the bitmap is selected out before the DC goes,
  // and the DC before the bitmap.
  win::Bitmap backing_;
  std::uint32_t* backingPixels_ = nullptr;
  std::optional<win::MemoryDc> dc_;
  win::SelectGuard selected_;
};

}  // namespace quillane::capture
