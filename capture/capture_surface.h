#pragma once
// The capture window's drawing surface: the persistent picture (what is
// committed: at first the frozen desktop) and the backing image the window
// repaints from (the persistent picture plus whatever was drawn since).
// Snapshots are taken from it and restored into it.
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
// Every monitor the system shows, in screen pixels.
std::vector<Monitor> SystemMonitors();

class CaptureSurface final : public SnapshotPicture {
 public:
  explicit CaptureSurface(PictureCodec& codec) : codec_(codec) {}
  CaptureSurface(const CaptureSurface&) = delete;
  CaptureSurface& operator=(const CaptureSurface&) = delete;

  // Copies that area of the screen into the backing image and makes it the
  // persistent picture. False when the bitmaps cannot be made.
  bool Freeze(const ScreenArea& area);
  // Called whenever the whole picture changed (an undo, a dropped drawing).
  void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // Drawing into the backing image; NoteDrawn after each drawing step.
  HDC BackingDc() const { return dc_ ? dc_->Get() : nullptr; }
  void NoteDrawn() { drawn_ = true; }

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
  const win::Picture& Persistent() const { return persistent_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  SnapshotBytes SerialiseComposed() override;
  void KeepComposed() noexcept override;
  void KeepUnstored() noexcept override;
  void Restore(std::span<const std::uint8_t> bytes) override;

 private:
  std::size_t PixelCount() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_); }
  void Changed() const {
    if (changed_) changed_();
  }

  PictureCodec& codec_;
  std::function<void()> changed_;
  int width_ = 0;
  int height_ = 0;
  // Pictures of 32-bit DIB sections, whose pixels stay reachable while they live.
  win::Picture persistent_;
  std::uint32_t* persistentPixels_ = nullptr;
  win::Picture pending_;  // the composed picture while a push is under way
  std::uint32_t* pendingPixels_ = nullptr;
  bool drawn_ = false;
  // Declared in this order so the bitmap is selected out before the DC goes,
  // and the DC before the bitmap.
  win::Bitmap backing_;
  std::uint32_t* backingPixels_ = nullptr;
  std::optional<win::MemoryDc> dc_;
  win::SelectGuard selected_;
};

}  // namespace quillane::capture
