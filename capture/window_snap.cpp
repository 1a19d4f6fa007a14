#include "capture/window_snap.h"

#include <algorithm>

namespace quillane::capture {

PixelBox Intersect(const PixelBox& a, const PixelBox& b) {
  PixelBox common{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom)};
  if (common.Right < common.Left || common.Bottom < common.Top) return {common.Left, common.Top, common.Left, common.Top};
  return common;
}

PixelBox Bounds(std::span<const PixelBox> monitors) {
  if (monitors.empty()) return {};
  PixelBox all = monitors.front();
  for (const PixelBox& m : monitors)
    all = {std::min(all.Left, m.Left), std::min(all.Top, m.Top), std::max(all.Right, m.Right),
           std::max(all.Bottom, m.Bottom)};
  return all;
}

SnapTargets::SnapTargets(std::span<const WindowFacts> windows, std::vector<PixelBox> monitors)
    : monitors_(std::move(monitors)) {
  const PixelBox screen = Bounds(monitors_);
  windows_.reserve(windows.size());
  for (const WindowFacts& window : windows) {
    if (!window.Visible || window.Minimised || window.Cloaked || window.Desktop || window.Own) continue;
    // A box turned inside out by a bad report covers nothing.
    if (window.Area.Width() <= 0 || window.Area.Height() <= 0) continue;
    PixelBox shown = Intersect(window.Area, screen);
    if (window.Maximised) {
      const std::int32_t middleX = window.Area.Left + window.Area.Width() / 2;
      const std::int32_t middleY = window.Area.Top + window.Area.Height() / 2;
      if (const auto monitor = MonitorAt(monitors_, middleX, middleY)) shown = Intersect(shown, *monitor);
    }
    if (shown.Width() > 0 && shown.Height() > 0) windows_.push_back(shown);
  }
}

std::optional<PixelBox> SnapTargets::WindowAt(std::int32_t x, std::int32_t y) const {
  for (const PixelBox& window : windows_)
    if (window.Contains(x, y)) return window;
  return std::nullopt;
}

std::optional<PixelBox> SnapTargets::At(std::int32_t x, std::int32_t y) const {
  // A window reaching past the monitors keeps only the screen's part, but a
  // point on no monitor snaps to nothing even inside a window's box.
  const std::optional<PixelBox> monitor = MonitorAt(monitors_, x, y);
  if (!monitor) return std::nullopt;
  if (auto window = WindowAt(x, y)) return window;
  return monitor;
}

std::optional<PixelBox> MonitorAt(std::span<const PixelBox> monitors, std::int32_t x, std::int32_t y) {
  for (const PixelBox& monitor : monitors)
    if (monitor.Contains(x, y)) return monitor;
  return std::nullopt;
}

}  // namespace quillane::capture
