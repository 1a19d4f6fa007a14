#include "pattern/gdi_flower_canvas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

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

// How far a wide pen may paint beyond an outline's corners: CreatePen's pens
// have round joins and ends, which reach half the width; a whole width (and
// one pixel for rounding) leaves room to spare.
std::int32_t PenReach(int penWidth) { return std::max(penWidth, 1) + 1; }

struct Bounds {
  std::int32_t Left, Top, Right, Bottom;  // inclusive
};
Bounds CornerBounds(std::span<const Petal> petals) {
  Bounds b{petals[0][0].X, petals[0][0].Y, petals[0][0].X, petals[0][0].Y};
  for (const Petal& petal : petals)
    for (const CanvasPoint& p : petal) {
      b.Left = std::min(b.Left, p.X);
      b.Right = std::max(b.Right, p.X);
      b.Top = std::min(b.Top, p.Y);
      b.Bottom = std::max(b.Bottom, p.Y);
    }
  return b;
}

}  // namespace

std::size_t FlowerOutlines::StrokeMask::Stride() const {
  return (static_cast<std::size_t>(size_.cx) + 31) / 32 * 4;
}

HDC FlowerOutlines::StrokeMask::Prepare(int width, int height, int penWidth) {
  if (!dc_) return nullptr;
  if (width > size_.cx || height > size_.cy) {
    // Grown in steps, so a flower growing a pixel a tick does not make a new one each tick.
    constexpr int kStep = 256;
    const int cx = std::max<int>(size_.cx, (width + kStep - 1) / kStep * kStep);
    const int cy = std::max<int>(size_.cy, (height + kStep - 1) / kStep * kStep);
    struct {
      BITMAPINFOHEADER Header;
      RGBQUAD Colours[2];
    } info{};
    info.Header.biSize = sizeof info.Header;
    info.Header.biWidth = cx;
    info.Header.biHeight = -cy;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = 1;
    info.Colours[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    bitmapSelected_.Reset();
    bitmap_.Reset(CreateDIBSection(dc_.Get(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                   nullptr, 0));
    if (!bitmap_ || !bits) return nullptr;
    bits_ = static_cast<std::uint8_t*>(bits);
    size_ = {cx, cy};
    bitmapSelected_ = win::SelectGuard(dc_.Get(), bitmap_.Get());
  }
  if (!pen_ || penWidth != penWidth_) {
    penSelected_.Reset();
    pen_.Reset(CreatePen(PS_SOLID, penWidth, RGB(255, 255, 255)));
    penWidth_ = penWidth;
    penSelected_ = win::SelectGuard(dc_.Get(), pen_.Get());
  }
  if (!hollow_) hollow_ = win::SelectGuard(dc_.Get(), GetStockObject(NULL_BRUSH));
  // The last shape's pixels go (its strokes were flushed before it was read).
  const std::size_t bytes = (static_cast<std::size_t>(width) + 7) / 8;
  for (int y = 0; y < height; ++y) std::memset(bits_ + static_cast<std::size_t>(y) * Stride(), 0, bytes);
  return dc_.Get();
}

// The petals stroked in white on black in the one-bit mask; its white pixels,
// relative to the first petal's centre, are the shape.
std::optional<ShapeSpans> FlowerOutlines::Outlines(int penWidth, std::span<const Petal> petals) {
  const CanvasPoint origin = petals[0][0];
  const Bounds corners = CornerBounds(petals);
  const std::int64_t reach = PenReach(penWidth);
  const std::int64_t left = std::int64_t{corners.Left} - reach, top = std::int64_t{corners.Top} - reach;
  const std::int64_t width = corners.Right + reach - left + 1, height = corners.Bottom + reach - top + 1;
  // Beyond this a flower is far larger than any screen: stroke it as it is.
  constexpr std::int64_t kMaxSide = 16384;
  if (width > kMaxSide || height > kMaxSide) return std::nullopt;
  if (!mask_) mask_.emplace();
  const HDC dc = mask_->Prepare(static_cast<int>(width), static_cast<int>(height), penWidth);
  if (!dc) {
    mask_.reset();
    return std::nullopt;
  }
  for (const Petal& petal : petals) {
    std::array<POINT, 4> corners4;
    for (std::size_t i = 0; i < 4; ++i)
      corners4[i] = {static_cast<LONG>(petal[i].X - left), static_cast<LONG>(petal[i].Y - top)};
    ::Polygon(dc, corners4.data(), 4);
  }
  GdiFlush();
  return ShapeSpans::FromMask(mask_->Bits(), mask_->Stride(), static_cast<std::int32_t>(width),
                              static_cast<std::int32_t>(height), static_cast<std::int32_t>(left - origin.X),
                              static_cast<std::int32_t>(top - origin.Y));
}

void FlowerOutlines::Forget() {
  shapes_.Clear();
  pending_.Clear();
  mask_.reset();
}

void FlowerOutlines::Land(std::uint32_t* pixels, SIZE size) {
  if (!pending_.Count()) return;
  // What GDI may still hold back lands before these pixels are set.
  GdiFlush();
  pending_.Land(pixels, size.cx, size.cy);
}

bool FlowerOutlines::Paint(std::uint32_t* pixels, SIZE size, int penWidth, std::uint32_t colour,
                           std::span<const Petal> petals) {
  if (petals.empty()) return true;
  std::shared_ptr<const ShapeSpans> shape = shapes_.Find(penWidth, petals);
  if (shape) {
    ++reused_;
  } else {
    std::optional<ShapeSpans> stroked = Outlines(penWidth, petals);
    if (!stroked) return false;
    shape = shapes_.Keep(std::move(*stroked));
  }
  // The canvas is shown every few ticks, which lands them; this bounds
  // what waits should it not be.
  constexpr std::size_t kMaxWaiting = 1024;
  if (pending_.Count() >= kMaxWaiting) Land(pixels, size);
  pending_.Add(std::move(shape), petals[0][0], win::DibPixel(colour));
  return true;
}

GdiFlowerCanvas::GdiFlowerCanvas(HWND window, int penWidth, PetalPath path)
    : windowDc_(std::in_place, window),
      dc_(windowDc_->Get()),
      hollow_(dc_, GetStockObject(NULL_BRUSH)),
      penWidth_(penWidth),
      path_(path),
      size_(ClientSize(window)) {}

GdiFlowerCanvas::GdiFlowerCanvas(HDC dc, SIZE size, int penWidth, PetalPath path, FlowerOutlines* outlines,
                                 std::uint32_t* pixels)
    : dc_(dc),
      hollow_(dc_, GetStockObject(NULL_BRUSH)),
      penWidth_(penWidth),
      path_(path),
      size_(size),
      outlines_(pixels ? outlines : nullptr),
      pixels_(pixels) {}

void GdiFlowerCanvas::SelectPen(std::uint32_t colour) {
  if (pen_ && colour == penColour_) return;
  // Deselect the old pen before it is deleted.
  penSelected_.Reset();
  pen_.Reset(CreatePen(PS_SOLID, penWidth_, colour));
  penColour_ = colour;
  penSelected_ = win::SelectGuard(dc_, pen_.Get());
}

bool GdiFlowerCanvas::MayReachCanvas(const Petal& petal) const {
  const Bounds corners = CornerBounds({&petal, 1});
  const std::int64_t reach = PenReach(penWidth_);
  return corners.Right + reach >= 0 && corners.Left - reach < size_.cx && corners.Bottom + reach >= 0 &&
         corners.Top - reach < size_.cy;
}

void GdiFlowerCanvas::Touch(std::span<const Petal> petals) {
  const Bounds corners = CornerBounds(petals);
  // Round joins and ends reach half the width; a pixel each side for rounding.
  const std::int32_t reach = std::max(penWidth_, 1) / 2 + 2;
  RECT area{std::max<LONG>(corners.Left - reach, 0), std::max<LONG>(corners.Top - reach, 0),
            std::min<LONG>(corners.Right + reach + 1, size_.cx), std::min<LONG>(corners.Bottom + reach + 1, size_.cy)};
  if (area.left < area.right && area.top < area.bottom) UnionRect(&touched_, &touched_, &area);
}

void GdiFlowerCanvas::DrawPetals(std::uint32_t colour, std::span<const Petal> petals) {
  if (petals.empty()) return;
  Touch(petals);
  if (outlines_) {
    if (outlines_->Paint(pixels_, size_, penWidth_, colour, petals)) return;
    // Stroked over what was painted before it.
    outlines_->Land(pixels_, size_);
  }
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
