#pragma once
// Snapping to a window: the top-level windows as they were when the screen
// froze, reduced to the rectangles a click may take, and the rectangle under
// a point (over the bare desktop, the monitor holding it). Coordinates are
// screen pixels. The list itself comes through WindowLister, so tests feed
// lists of their own; nothing here touches a window.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "capture/capture_geometry.h"

namespace quillane::capture {

// One top-level window as the system reports it, topmost first in a list.
struct WindowFacts {
  std::uintptr_t Handle = 0;  // only to tell windows apart
  PixelBox Area;              // its visible frame
  bool Visible = true;
  bool Minimised = false;
  bool Maximised = false;  // its borders reach past its monitor, hidden
  bool Cloaked = false;  // on another virtual desktop, or a suspended app's
  bool Desktop = false;  // the shell's desktop or wallpaper window
  bool Own = false;      // one of the capture's own windows
};

// Hands out the top-level windows in stacking order, topmost first.
class WindowLister {
 public:
  virtual ~WindowLister() = default;
  virtual std::vector<WindowFacts> TopLevelWindows() = 0;
};

// The windows a click may snap to, topmost first, each clipped to the screen
// (every monitor's box together), with the monitors for the bare desktop.
class SnapTargets {
 public:
  SnapTargets() = default;
  // Keeps the visible, restored, uncloaked windows that are not the capture's
  // own nor the desktop and that still cover a pixel once clipped. A
  // maximised window keeps only its monitor's part: the borders it has past
  // the monitor's edges are never shown, not even on the next monitor.
  SnapTargets(std::span<const WindowFacts> windows, std::vector<PixelBox> monitors);

  // The topmost window holding the point, else the monitor holding it;
  // nothing when the point is on no monitor.
  std::optional<PixelBox> At(std::int32_t x, std::int32_t y) const;
  // The window part of At: the topmost window holding the point.
  std::optional<PixelBox> WindowAt(std::int32_t x, std::int32_t y) const;

  std::span<const PixelBox> Windows() const { return windows_; }
  std::span<const PixelBox> Monitors() const { return monitors_; }

 private:
  std::vector<PixelBox> windows_;
  std::vector<PixelBox> monitors_;
};

// Every monitor's box together.
PixelBox Bounds(std::span<const PixelBox> monitors);

// The monitor holding the point, if any.
std::optional<PixelBox> MonitorAt(std::span<const PixelBox> monitors, std::int32_t x, std::int32_t y);

// The common part of two boxes; an empty box (0 wide or high) when they do not meet.
PixelBox Intersect(const PixelBox& a, const PixelBox& b);

}  // namespace quillane::capture
