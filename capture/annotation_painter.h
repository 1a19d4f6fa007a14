#pragma once
// The annotations drawn with GDI onto the capture's picture or its window:
// the rectangle's one-pixel outline through both corners, the hollow ellipse
// with a one-pixel solid pen, the arrow's three lines with its tip, and the
// text tool's font.
#include <windows.h>

#include <vector>

#include "capture/annotation.h"
#include "win32/design_table.h"
#include "win32/gdi.h"

namespace quillane::capture {

void DrawAnnotation(HDC dc, const Annotation& shape);

// The font text is typed and drawn in, of that many points.
win::Font AnnotationFont(float points, win::DisplayDpi dpi);

// A box as a GDI rectangle.
RECT RectOf(const PixelBox& box);
// The boxes as one region (empty when there are none), for clipping and repainting.
win::Region RegionOf(const std::vector<PixelBox>& boxes);
// The smallest rectangle holding them.
RECT BoundsOf(const std::vector<PixelBox>& boxes);

}  // namespace quillane::capture
