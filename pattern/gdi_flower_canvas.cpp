#include "pattern/gdi_flower_canvas.h"

#include <algorithm>
#include <array>

namespace quillane {

namespace {

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

std::array<POINT, 4> GdiPoints(const Petal& petal) {
  return {{{petal[0].X, petal[0].Y}, {petal[1].X, petal[1].Y}, {petal[2].X, petal[2].Y}, {petal[3].X, petal[3].Y}}};
}

}  // namespace

GdiFlowerCanvas::GdiFlowerCanvas(HWND window, int penWidth, PetalPath path)
    : windowDc_(std::in_place, window),
      dc_(windowDc_->Get()),
      hollow_(dc_, GetStockObject(NULL_BRUSH)),
      penWidth_(penWidth),
      path_(path),
      size_(ClientSize(window)) {}

GdiFlowerCanvas::GdiFlowerCanvas(HDC dc, SIZE size, int penWidth, PetalPath path)
    : dc_(dc), hollow_(dc_, GetStockObject(NULL_BRUSH)), penWidth_(penWidth), path_(path), size_(size) {}

void GdiFlowerCanvas::SelectPen(std::uint32_t colour) {
  if (pen_ && colour == penColour_) return;
  // Deselect the old pen before it is deleted.
  penSelected_.reset();
  pen_.Reset(CreatePen(PS_SOLID, penWidth_, colour));
  penColour_ = colour;
  penSelected_.emplace(dc_, pen_.Get());
}

// A wide pen paints up to half its width beyond the outline: CreatePen's pens
// have round joins and ends, which reach no further. A whole width (and one
// pixel for rounding) leaves room to spare.
bool GdiFlowerCanvas::MayReachCanvas(const Petal& petal) const {
  const auto [minX, maxX] = std::minmax({petal[0].X, petal[1].X, petal[2].X, petal[3].X});
  const auto [minY, maxY] = std::minmax({petal[0].Y, petal[1].Y, petal[2].Y, petal[3].Y});
  const std::int64_t reach = std::max(penWidth_, 1) + 1;
  return maxX + reach >= 0 && minX - reach < size_.cx && maxY + reach >= 0 && minY - reach < size_.cy;
}

void GdiFlowerCanvas::DrawPetals(std::uint32_t colour, std::span<const Petal> petals) {
  // The pen's pixels of several outlines drawn in one call are the union of
  // those drawn one by one, so a long flower may take several calls.
  constexpr int kBatch = 64;
  std::array<POINT, kBatch * 4> batch;
  std::array<INT, kBatch> counts;
  int batched = 0;
  const auto drawBatch = [&] {
    counts.fill(4);
    PolyPolygon(dc_, batch.data(), counts.data(), batched);
    batched = 0;
  };
  for (const Petal& petal : petals) {
    if (path_ != PetalPath::EveryPetal && !MayReachCanvas(petal)) continue;
    SelectPen(colour);
    const auto corners = GdiPoints(petal);
    if (path_ != PetalPath::OneCall) {
      ::Polygon(dc_, corners.data(), 4);
      continue;
    }
    std::copy(corners.begin(), corners.end(), batch.begin() + batched * 4);
    if (++batched == kBatch) drawBatch();
  }
  if (batched > 0) drawBatch();
}

}  // namespace quillane
