#include "capture/monitor_list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "capture/capture_toolbar.h"

namespace quillane::capture {

namespace {

std::int64_t Overlap(const PixelBox& a, const PixelBox& b) {
  const std::int64_t w = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
  const std::int64_t h = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

std::int64_t Distance(const PixelBox& box, std::int32_t x, std::int32_t y) {
  const std::int64_t dx = x < box.Left ? box.Left - x : x >= box.Right ? x - box.Right + 1 : 0;
  const std::int64_t dy = y < box.Top ? box.Top - y : y >= box.Bottom ? y - box.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

PixelBox Pixels(const FrameRect& f) { return {Pixel(f.Left), Pixel(f.Top), Pixel(f.Right()), Pixel(f.Bottom())}; }

}  // namespace

ScreenLayout::ScreenLayout(const ScreenArea& screen, std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {
  std::erase_if(monitors_, [](const Monitor& m) { return m.Area.Width() <= 0 || m.Area.Height() <= 0; });
  if (monitors_.empty()) monitors_.push_back({{0, 0, screen.Width, screen.Height}});
}

ScreenLayout ScreenLayout::FromScreenMonitors(const ScreenArea& screen, const std::vector<Monitor>& onScreen) {
  std::vector<Monitor> inWindow;
  for (const Monitor& m : onScreen)
    inWindow.push_back({{m.Area.Left - screen.Left, m.Area.Top - screen.Top, m.Area.Right - screen.Left,
                         m.Area.Bottom - screen.Top},
                        m.DotsPerInch});
  return {screen, std::move(inWindow)};
}

const Monitor& ScreenLayout::MonitorHolding(const FrameRect& region) const {
  const PixelBox box = Pixels(region);
  const Monitor* best = nullptr;
  std::int64_t most = 0;
  for (const Monitor& m : monitors_)
    if (const std::int64_t o = Overlap(m.Area, box); o > most) most = o, best = &m;
  if (best) return *best;
  return MonitorHolding(PointF{region.Left, region.Top});
}

const Monitor& ScreenLayout::MonitorHolding(PointF point) const {
  const std::int32_t x = Pixel(point.X), y = Pixel(point.Y);
  const Monitor* best = &monitors_.front();
  std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
  for (const Monitor& m : monitors_)
    if (const std::int64_t d = Distance(m.Area, x, y); d < nearest) nearest = d, best = &m;
  return *best;
}

const PixelBox& ScreenLayout::Holding(const FrameRect& region) const { return MonitorHolding(region).Area; }

const PixelBox& ScreenLayout::Holding(PointF point) const { return MonitorHolding(point).Area; }

std::int32_t ScreenLayout::DpiHolding(const FrameRect& region) const { return MonitorHolding(region).DotsPerInch; }

std::int32_t ScreenLayout::DpiHolding(PointF point) const { return MonitorHolding(point).DotsPerInch; }

bool ScreenLayout::OnAny(std::int32_t x, std::int32_t y) const {
  return std::any_of(monitors_.begin(), monitors_.end(), [&](const Monitor& m) { return m.Area.Contains(x, y); });
}

bool ScreenLayout::Shows(const FrameRect& region) const {
  const PixelBox box = Pixels(region);
  if (box.Width() <= 0 || box.Height() <= 0) return OnAny(box.Left, box.Top);
  // Cut the region along every monitor edge: each piece lies wholly on a
  // monitor or wholly off them all, so one pixel of it tells.
  std::vector<std::int32_t> xs{box.Left, box.Right}, ys{box.Top, box.Bottom};
  for (const Monitor& m : monitors_) {
    for (const std::int32_t x : {m.Area.Left, m.Area.Right})
      if (x > box.Left && x < box.Right) xs.push_back(x);
    for (const std::int32_t y : {m.Area.Top, m.Area.Bottom})
      if (y > box.Top && y < box.Bottom) ys.push_back(y);
  }
  std::sort(xs.begin(), xs.end());
  std::sort(ys.begin(), ys.end());
  for (std::size_t i = 0; i + 1 < xs.size(); ++i)
    for (std::size_t j = 0; j + 1 < ys.size(); ++j)
      if (xs[i] < xs[i + 1] && ys[j] < ys[j + 1] && !OnAny(xs[i], ys[j])) return false;
  return true;
}

bool ScreenLayout::LastColumn(PointF point) const {
  const std::int32_t x = Pixel(point.X), y = Pixel(point.Y);
  return OnAny(x, y) && !OnAny(x + 1, y);
}

bool ScreenLayout::LastRow(PointF point) const {
  const std::int32_t x = Pixel(point.X), y = Pixel(point.Y);
  return OnAny(x, y) && !OnAny(x, y + 1);
}

PointF ScreenLayout::Move(PointF anchor, PointF grab, PointF pointer, const FrameRect& now, SizeF screen) const {
  const PointF wanted = MoveRegion(anchor, grab, pointer, {now.Width, now.Height}, screen);
  if (Shows({wanted.X, wanted.Y, now.Width, now.Height})) return wanted;
  // Kept on the monitor under the pointer: no part of it where nothing is shown.
  const PixelBox& m = Holding(pointer);
  const SizeF size{static_cast<float>(m.Width()), static_cast<float>(m.Height())};
  PointF onMonitor = MoveRegion({anchor.X - m.Left, anchor.Y - m.Top}, {grab.X - m.Left, grab.Y - m.Top},
                                {pointer.X - m.Left, pointer.Y - m.Top}, {now.Width, now.Height}, size);
  onMonitor = {onMonitor.X + m.Left, onMonitor.Y + m.Top};
  if (Shows({onMonitor.X, onMonitor.Y, now.Width, now.Height})) return onMonitor;
  return {now.Left, now.Top};
}

FrameRect ScreenLayout::Band(PointF anchor, PointF pointer) const {
  FrameRect f = RubberBand(anchor, pointer);
  if (f.Width == 0 && f.Height == 0) return f;
  // The end further right (down) is the frame's right (bottom) edge, just
  // outside the region; on the last column (row) the edge lies past it.
  const PointF farEnd{std::fmax(anchor.X, pointer.X), std::fmax(anchor.Y, pointer.Y)};
  const PointF rightEnd{farEnd.X, anchor.X >= pointer.X ? anchor.Y : pointer.Y};
  const PointF bottomEnd{anchor.Y >= pointer.Y ? anchor.X : pointer.X, farEnd.Y};
  if (f.Width > 0 && LastColumn(rightEnd)) f.Width += 1;
  if (f.Height > 0 && LastRow(bottomEnd)) f.Height += 1;
  return f;
}

std::optional<FrameRect> ScreenLayout::Resize(int index, const FrameEdges& atPress, PointF pressed, PointF cursor,
                                              SizeF screen) const {
  auto frame = ResizeByHandle(index, atPress, {cursor.X - pressed.X, cursor.Y - pressed.Y}, screen);
  if (!frame) return frame;
  const DraggedEdges dragged = EdgesOfHandle(index);
  FrameEdges e{frame->Left, frame->Top, frame->Right(), frame->Bottom()};
  const auto firstColumn = [&] { return OnAny(Pixel(cursor.X), Pixel(cursor.Y)) && !OnAny(Pixel(cursor.X) - 1, Pixel(cursor.Y)); };
  const auto firstRow = [&] { return OnAny(Pixel(cursor.X), Pixel(cursor.Y)) && !OnAny(Pixel(cursor.X), Pixel(cursor.Y) - 1); };
  if (dragged.Right && LastColumn(cursor)) e.Right = std::fmin(std::fmax(e.Right, cursor.X + 1), screen.Width);
  if (dragged.Bottom && LastRow(cursor)) e.Bottom = std::fmin(std::fmax(e.Bottom, cursor.Y + 1), screen.Height);
  if (dragged.Left && firstColumn()) e.Left = std::fmax(std::fmin(e.Left, cursor.X), 0.0f);
  if (dragged.Top && firstRow()) e.Top = std::fmax(std::fmin(e.Top, cursor.Y), 0.0f);
  return FrameRect{e.Left, e.Top, e.Right - e.Left, e.Bottom - e.Top};
}

PointF ScreenLayout::Strip(const FrameRect& frame, SizeF strip) const {
  const PixelBox& m = Holding(frame);
  PointF at = PlaceStrip(frame, strip, static_cast<float>(m.Bottom));
  if (at.X + strip.Width > static_cast<float>(m.Right)) at.X = static_cast<float>(m.Right) - strip.Width;
  if (at.X < static_cast<float>(m.Left)) at.X = static_cast<float>(m.Left);
  return at;
}

PointF ScreenLayout::Panel(PointF stripAt, SizeF strip, float panelHeight) const {
  const PixelBox& m = Holding(FrameRect{stripAt.X, stripAt.Y, strip.Width, strip.Height});
  return PlacePanel(stripAt, strip, panelHeight, static_cast<float>(m.Bottom));
}

}  // namespace quillane::capture
