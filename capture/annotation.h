#pragma once
// What the four drawing tools draw, in window pixels: the rectangle's
// one-pixel outline, the ellipse's box, the arrow's shaft and wings, and the
// pixels a shape may touch (so a preview is erased by repainting only those).
// The window draws the results; nothing here touches a window.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "capture/capture_geometry.h"

namespace quillane::capture {

enum class AnnotationTool { None, Rectangle, Ellipse, Arrow, Text };

// How far back along the shaft the wings end (`ArrowLen`).
inline constexpr float kArrowLen = 10.0f;
// An arrow not longer than this has no direction and draws nothing.
inline constexpr double kArrowMinLength = 1e-10;

// The point kept inside the region: at most its last pixel column and row
// (L + W - 1, T + H - 1), which a copy of the region still holds.
PointF ClampToRegion(PointF point, const FrameRect& region);

// True for a point strictly inside the region (its edges are outside).
bool StrictlyInside(PointF point, const FrameRect& region);

// The two wing points of an arrow from (x0, y0) to its tip (x1, y1): each
// `arrowLen` back along the shaft and `arrowLen` / 2 to one side. Nothing
// for an arrow of (almost) no length.
struct ArrowWings {
  PointF First;
  PointF Second;
};
std::optional<ArrowWings> ArrowWingPoints(float x0, float y0, float x1, float y1, float arrowLen);

struct PixelPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  bool operator==(const PixelPoint&) const = default;
};
PixelPoint ToPixel(PointF point);

// One annotation: the tool, the press point, the clamped end point and the
// colour (0x00BBGGRR).
struct Annotation {
  AnnotationTool Tool = AnnotationTool::None;
  PointF Start;
  PointF End;
  std::uint32_t Colour = 0;
  bool operator==(const Annotation&) const = default;
};

// The rectangle's outline through both corners as four filled boxes
// (top, bottom, left, right rows and columns).
std::vector<PixelBox> RectangleEdges(PointF start, PointF end);

// The ellipse's bounding box: each corner rounded (halves to even), left and
// top first, right and bottom lying just outside as the system's Ellipse takes them.
PixelBox EllipseBox(PointF start, PointF end);

// The arrow as lines from one pixel to another: each wing to the tip, then
// the shaft; nothing for an arrow of no length.
struct PixelLine {
  PixelPoint From;
  PixelPoint To;
};
std::vector<PixelLine> ArrowLines(PointF start, PointF tip);

// Boxes that together hold every pixel drawing the annotation may set, with
// room for the system's rasterisation; a large shape is covered by thin
// bands along its outline, not by its bounding box. Empty for text.
std::vector<PixelBox> CoverOf(const Annotation& shape);

}  // namespace quillane::capture
