#include "capture/annotation_painter.h"

#include <algorithm>
#include <climits>

namespace quillane::capture {

void DrawAnnotation(HDC dc, const Annotation& shape) {
  const auto colour = static_cast<COLORREF>(shape.Colour);
  switch (shape.Tool) {
    case AnnotationTool::Rectangle: {
      const win::Brush brush(CreateSolidBrush(colour));
      for (const PixelBox& edge : RectangleEdges(shape.Start, shape.End)) {
        const RECT r = RectOf(edge);
        FillRect(dc, &r, brush.Get());
      }
      break;
    }
    case AnnotationTool::Ellipse: {
      const win::Pen pen(CreatePen(PS_SOLID, 1, colour));
      const win::SelectGuard withPen(dc, pen.Get());
      const win::SelectGuard hollow(dc, GetStockObject(NULL_BRUSH));
      const PixelBox box = EllipseBox(shape.Start, shape.End);
      Ellipse(dc, box.Left, box.Top, box.Right, box.Bottom);
      break;
    }
    case AnnotationTool::Arrow: {
      const auto lines = ArrowLines(shape.Start, shape.End);
      if (lines.empty()) break;
      const win::Pen pen(CreatePen(PS_SOLID, 1, colour));
      const win::SelectGuard withPen(dc, pen.Get());
      for (const PixelLine& line : lines) {
        MoveToEx(dc, line.From.X, line.From.Y, nullptr);
        LineTo(dc, line.To.X, line.To.Y);
      }
      // A line stops short of its last pixel: the tip is set on its own.
      SetPixelV(dc, lines.back().To.X, lines.back().To.Y, colour);
      break;
    }
    default: break;
  }
}

win::Font AnnotationFont(float points, win::DisplayDpi dpi) {
  return win::CreateDesignFont(L"宋体", points, FW_NORMAL, dpi);
}

RECT RectOf(const PixelBox& box) { return {box.Left, box.Top, box.Right, box.Bottom}; }

win::Region RegionOf(const std::vector<PixelBox>& boxes) {
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + boxes.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  header->rdh.dwSize = sizeof(RGNDATAHEADER);
  header->rdh.iType = RDH_RECTANGLES;
  header->rdh.nCount = static_cast<DWORD>(boxes.size());
  header->rdh.nRgnSize = static_cast<DWORD>(boxes.size() * sizeof(RECT));
  const RECT bounds = BoundsOf(boxes);
  header->rdh.rcBound = bounds;
  auto* rects = reinterpret_cast<RECT*>(header->Buffer);
  for (std::size_t i = 0; i < boxes.size(); ++i) rects[i] = RectOf(boxes[i]);
  return win::Region(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), header));
}

RECT BoundsOf(const std::vector<PixelBox>& boxes) {
  if (boxes.empty()) return {};
  RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const PixelBox& b : boxes) {
    bounds.left = std::min<LONG>(bounds.left, b.Left);
    bounds.top = std::min<LONG>(bounds.top, b.Top);
    bounds.right = std::max<LONG>(bounds.right, b.Right);
    bounds.bottom = std::max<LONG>(bounds.bottom, b.Bottom);
  }
  return bounds;
}

}  // namespace quillane::capture
