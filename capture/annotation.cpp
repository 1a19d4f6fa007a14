#include "capture/annotation.h"

#include <algorithm>
#include <cmath>


namespace quillane::capture {

namespace {

// Rows of one cover band, and the room left around what is drawn for the
// system's rasterisation, which may stray a pixel from the ideal line.
constexpr int kBandRows = 16;
constexpr int kRoom = 3;

std::int32_t Floor(double value) { return static_cast<std::int32_t>(std::floor(value)); }
std::int32_t Ceil(double value) { return static_cast<std::int32_t>(std::ceil(value)); }

PixelBox Inflated(PixelBox box, int by) { return {box.Left - by, box.Top - by, box.Right + by, box.Bottom + by}; }

// Bands along the line: each holds the line's pixels of its rows, whose x
// lies between the line's x half a row above and below.
void CoverLine(PixelPoint a, PixelPoint b, std::vector<PixelBox>& out) {
  if (a.Y > b.Y) std::swap(a, b);
  const auto xAt = [&](double y) {
    if (a.Y == b.Y) return static_cast<double>(a.X);
    y = std::clamp(y, static_cast<double>(a.Y), static_cast<double>(b.Y));
    return a.X + (b.X - a.X) * (y - a.Y) / (b.Y - a.Y);
  };
  for (std::int32_t y0 = a.Y;; y0 += kBandRows) {
    const std::int32_t y1 = std::min(y0 + kBandRows - 1, b.Y);
    double from = xAt(y0 - 1.0), to = xAt(y1 + 1.0);
    if (a.Y == b.Y) from = a.X, to = b.X;
    if (from > to) std::swap(from, to);
    out.push_back({Floor(from) - kRoom, y0 - kRoom, Ceil(to) + kRoom + 1, y1 + kRoom + 1});
    if (y1 >= b.Y) break;
  }
}

// Bands along an ellipse's outline: in each band the outline lies between
// the ellipse's half-width at the band's row nearest to and farthest from
// the middle, on both sides.
void CoverEllipse(const PixelBox& box, std::vector<PixelBox>& out) {
  const double a = (box.Width() - 1) / 2.0, b = (box.Height() - 1) / 2.0;
  if (a < 2 || b < 2) {
    out.push_back(Inflated(box, kRoom));
    return;
  }
  const double cx = box.Left + a, cy = box.Top + b;
  const auto halfWidth = [&](double y) {
    const double t = (y - cy) / b;
    return t <= -1 || t >= 1 ? 0.0 : a * std::sqrt(1 - t * t);
  };
  for (std::int32_t y0 = box.Top; y0 < box.Bottom; y0 += kBandRows) {
    const std::int32_t y1 = std::min(y0 + kBandRows - 1, box.Bottom - 1);
    const double above = y0 - 1.0, below = y1 + 1.0;
    const double widest = cy >= above && cy <= below ? a : std::max(halfWidth(above), halfWidth(below));
    const double narrowest = std::min(halfWidth(above), halfWidth(below));
    const std::int32_t top = y0 - kRoom, bottom = y1 + kRoom + 1;
    const std::int32_t leftOuter = Floor(cx - widest) - kRoom, leftInner = Ceil(cx - narrowest) + kRoom + 1;
    const std::int32_t rightInner = Floor(cx + narrowest) - kRoom, rightOuter = Ceil(cx + widest) + kRoom + 1;
    if (leftInner >= rightInner) {
      out.push_back({leftOuter, top, rightOuter, bottom});
    } else {
      out.push_back({leftOuter, top, leftInner, bottom});
      out.push_back({rightInner, top, rightOuter, bottom});
    }
  }
}

}  // namespace

PointF ClampToRegion(PointF point, const FrameRect& region) {
  // A region with no pixels keeps the point on its left or top edge.
  const auto clamp = [](float value, float first, float size) {
    return std::max(std::min(value, first + size - 1), first);
  };
  return {clamp(point.X, region.Left, region.Width), clamp(point.Y, region.Top, region.Height)};
}

bool StrictlyInside(PointF point, const FrameRect& region) {
  return point.X > region.Left && point.X < region.Right() && point.Y > region.Top && point.Y < region.Bottom();
}

std::optional<ArrowWings> ArrowWingPoints(float x0, float y0, float x1, float y1, float arrowLen) {
  const float dx = x1 - x0, dy = y1 - y0;
  const double length = std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx);
  if (!(length > kArrowMinLength)) return std::nullopt;
  // Back from the tip along the shaft.
  const double ux = static_cast<double>(x0) - x1, uy = static_cast<double>(y0) - y1;
  const double scale = arrowLen / length;
  return ArrowWings{{static_cast<float>(x1 + scale * (ux + uy / 2)), static_cast<float>(y1 + scale * (uy - ux / 2))},
                    {static_cast<float>(x1 + scale * (ux - uy / 2)), static_cast<float>(y1 + scale * (uy + ux / 2))}};
}

PixelPoint ToPixel(PointF point) { return {Pixel(point.X), Pixel(point.Y)}; }

std::vector<PixelBox> RectangleEdges(PointF start, PointF end) {
  const PixelPoint a = ToPixel(start), b = ToPixel(end);
  const std::int32_t l = std::min(a.X, b.X), r = std::max(a.X, b.X), t = std::min(a.Y, b.Y), bo = std::max(a.Y, b.Y);
  return {{l, t, r + 1, t + 1}, {l, bo, r + 1, bo + 1}, {l, t, l + 1, bo + 1}, {r, t, r + 1, bo + 1}};
}

PixelBox EllipseBox(PointF start, PointF end) {
  const PixelPoint a = ToPixel(start), b = ToPixel(end);
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

std::vector<PixelLine> ArrowLines(PointF start, PointF tip) {
  const auto wings = ArrowWingPoints(start.X, start.Y, tip.X, tip.Y, kArrowLen);
  if (!wings) return {};
  const PixelPoint to = ToPixel(tip);
  return {{ToPixel(wings->First), to}, {ToPixel(wings->Second), to}, {ToPixel(start), to}};
}

std::vector<PixelBox> CoverOf(const Annotation& shape) {
  std::vector<PixelBox> cover;
  switch (shape.Tool) {
    case AnnotationTool::Rectangle: cover = RectangleEdges(shape.Start, shape.End); break;
    case AnnotationTool::Ellipse: CoverEllipse(EllipseBox(shape.Start, shape.End), cover); break;
    case AnnotationTool::Arrow:
      for (const PixelLine& line : ArrowLines(shape.Start, shape.End)) CoverLine(line.From, line.To, cover);
      break;
    default: break;
  }
  return cover;
}

}  // namespace quillane::capture
