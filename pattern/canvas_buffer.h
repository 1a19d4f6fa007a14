#pragma once
// The canvas in memory: the ticks draw here, and the window is shown what
// they drew about thirty times a second. A flower tick comes every few
// milliseconds; copying each one to the screen as it is drawn costs more than
// the drawing and shows little a showing later would not.
//
// The window stays the truth: what the window erases is erased here too, and
// what is drawn here goes to the window unchanged, so the window shows exactly
// the pixels it would show had every tick drawn on it.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "pattern/gdi_flower_canvas.h"
#include "win32/gdi.h"

namespace quillane {

class CanvasBuffer {
 public:
  // Sizes the picture to the window's client area, keeping what overlaps and
  // filling the rest with `background`; false when it cannot be made.
  bool Fit(HWND window, COLORREF background);
  // Gives the picture up (the window goes).
  void Release();
  HDC Dc() const { return dc_ ? dc_->Get() : nullptr; }
  // The picture's bits, top-down, 32 bits a pixel.
  std::uint32_t* Pixels() const { return bitmap_.Pixels; }
  SIZE Size() const { return size_; }
  explicit operator bool() const { return bitmap_.Handle && dc_ && *dc_; }
  // The outlines flowers are painted through here; what they paint lands
  // before the picture is shown, erased or resized.
  FlowerOutlines& Outlines() { return outlines_; }

  // Marks an area drawn since the window last saw the picture.
  void Touch(const RECT& area) { UnionRect(&pending_, &pending_, &area); }
  bool Pending() const { return !IsRectEmpty(&pending_); }
  // Copies what was drawn since to the window; false when nothing waited.
  bool Show(HWND window);
  // The window's erase through `eraseDc` (the pixels it may paint) in `brush`:
  // the same pixels here take the same colour.
  void Erase(HDC eraseDc, HBRUSH brush);

 private:
  void Land() { outlines_.Land(Pixels(), size_); }

  SIZE size_{};
  RECT pending_{};
  std::optional<win::MemoryDc> dc_;
  win::DibSection bitmap_;
  win::SelectGuard selected_;
  FlowerOutlines outlines_;
};

}  // namespace quillane
