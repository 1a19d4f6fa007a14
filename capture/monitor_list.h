#pragma once
// The monitors the capture covers, and the "screen ends here" rules taken
// from the monitor that holds a region rather than from the box around all
// of them: with monitors of different sizes that box has corners no monitor
// shows. All areas are in the capture window's pixels. Each monitor has its
// own dots per inch: the controls over the picture take the one of the
// monitor that holds the region.
#include <cstdint>
#include <optional>
#include <vector>

#include "capture/capture_geometry.h"

namespace quillane::capture {

struct Monitor {
  PixelBox Area;
  // 0: not known; the capture's own (the system's) applies.
  std::int32_t DotsPerInch = 0;
  bool operator==(const Monitor&) const = default;
};

class ScreenLayout {
 public:
  ScreenLayout() = default;
  // `screen` is what the window covers; with no monitor it is one monitor itself.
  ScreenLayout(const ScreenArea& screen, std::vector<Monitor> monitors);
  // Monitors given in screen pixels, as the system lists them.
  static ScreenLayout FromScreenMonitors(const ScreenArea& screen, const std::vector<Monitor>& onScreen);

  const std::vector<Monitor>& Monitors() const { return monitors_; }
  // The monitor showing most of the region; for a region on none, the nearest.
  const PixelBox& Holding(const FrameRect& region) const;
  const PixelBox& Holding(PointF point) const;
  // The dots per inch of the monitor holding the region or the point (0: not known).
  std::int32_t DpiHolding(const FrameRect& region) const;
  std::int32_t DpiHolding(PointF point) const;
  // Every pixel of the region lies on some monitor.
  bool Shows(const FrameRect& region) const;
  // The pixel column right of `x` (row below `y`) lies on no monitor: the
  // point is on the screen's last column (row) there.
  bool LastColumn(PointF point) const;
  bool LastRow(PointF point) const;

  // Left and top of a region being moved: as MoveRegion gives it when that
  // is all on the monitors, else kept on the monitor under the pointer, else
  // where it is now.
  PointF Move(PointF anchor, PointF grab, PointF pointer, const FrameRect& now, SizeF screen) const;
  // The frame spanning anchor and pointer; an end on the screen's last
  // column or row takes that column or row in.
  FrameRect Band(PointF anchor, PointF pointer) const;
  // The frame while handle `index` is dragged from `pressed` to `cursor`
  // (ResizeByHandle); a dragged edge whose pointer is on the screen's first
  // or last column or row takes that column or row in.
  std::optional<FrameRect> Resize(int index, const FrameEdges& atPress, PointF pressed, PointF cursor,
                                  SizeF screen) const;
  // The toolbar strip against the region, on the monitor holding it.
  PointF Strip(const FrameRect& frame, SizeF strip) const;
  // The options panel under the strip, above it when that monitor ends first.
  PointF Panel(PointF stripAt, SizeF strip, float panelHeight) const;

 private:
  bool OnAny(std::int32_t x, std::int32_t y) const;
  const Monitor& MonitorHolding(const FrameRect& region) const;
  const Monitor& MonitorHolding(PointF point) const;
  std::vector<Monitor> monitors_;
};

}  // namespace quillane::capture
