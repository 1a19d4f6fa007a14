#include "pattern/gdi_flower_canvas.h"

namespace quillane {

GdiFlowerCanvas::GdiFlowerCanvas(HWND window, int penWidth)
    : dc_(window), hollow_(dc_.Get(), GetStockObject(NULL_BRUSH)), penWidth_(penWidth) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = static_cast<float>(client.right - client.left);
  height_ = static_cast<float>(client.bottom - client.top);
}

void GdiFlowerCanvas::SetPenColour(std::uint32_t colour) {
  if (pen_ && colour == penColour_) return;
  // Deselect the old pen before it is deleted.
  penSelected_.reset();
  pen_.Reset(CreatePen(PS_SOLID, penWidth_, colour));
  penColour_ = colour;
  penSelected_.emplace(dc_.Get(), pen_.Get());
}

void GdiFlowerCanvas::Polygon(const std::array<CanvasPoint, 4>& points) {
  POINT gdiPoints[4];
  for (int i = 0; i < 4; ++i) gdiPoints[i] = {points[i].X, points[i].Y};
  ::Polygon(dc_.Get(), gdiPoints, 4);
}

}  // namespace quillane
