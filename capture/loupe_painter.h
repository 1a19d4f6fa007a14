#pragma once
// The loupe on a window: the lens drawn into a bitmap of the loupe's size,
// the caption written under it, and the loupe (or only what changed of it)
// copied onto a device context.
#include <windows.h>

#include <cstdint>
#include <string>

#include "capture/loupe.h"
#include "win32/gdi.h"

namespace quillane::capture {

class LoupePainter {
 public:
  LoupePainter();
  LoupePainter(const LoupePainter&) = delete;
  LoupePainter& operator=(const LoupePainter&) = delete;
  explicit operator bool() const { return bits_.Pixels != nullptr && dc_; }

  // The pixels around (x, y) of `source`, and the caption naming the point
  // as (shownX, shownY), at the sizes of `dpi` (0: 96). Returns what changed,
  // in the loupe's own pixels; all of it when the dpi changed.
  PixelBox Update(const PixelSource& source, std::int32_t x, std::int32_t y, std::int32_t shownX,
                  std::int32_t shownY, std::int32_t dpi = 96);
  // The sizes of the last Update.
  const LoupeMetrics& Metrics() const { return lens_.Metrics(); }
  // Copies `part` of the loupe (its own pixels) to `target` with the loupe's
  // top-left at (left, top).
  void Paint(HDC target, std::int32_t left, std::int32_t top, const PixelBox& part) const;
  void Paint(HDC target, std::int32_t left, std::int32_t top) const {
    Paint(target, left, top, {0, 0, Metrics().Width(), Metrics().Height()});
  }

 private:
  // The bitmap and caption font for `dpi`'s sizes; false when GDI refused them.
  bool UseDpi(std::int32_t dpi);

  win::DibSection bits_;
  win::MemoryDc dc_;
  win::Font font_;
  LoupeLens lens_;
  std::wstring caption_;
  bool captionDrawn_ = false;
  std::int32_t dpi_ = 96;
};

}  // namespace quillane::capture
