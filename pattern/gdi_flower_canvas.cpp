#include "pattern/gdi_flower_canvas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

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

// One region from rows of spans, already in the banded order regions keep.
// Uniting rectangle by rectangle costs the square of their number on some
// systems, so the rows are made into regions in small groups, then paired up.
win::Region RegionFromSpans(const std::vector<RECT>& spans) {
  constexpr std::size_t kGroup = 256;
  std::vector<win::Region> parts;
  std::vector<char> data;
  for (std::size_t first = 0; first < spans.size(); first += kGroup) {
    const std::size_t count = std::min(kGroup, spans.size() - first);
    data.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->rcBound = {spans[first].left, spans[first].top, spans[first].right, spans[first + count - 1].bottom};
    for (std::size_t i = first; i < first + count; ++i) {
      header->rcBound.left = std::min(header->rcBound.left, spans[i].left);
      header->rcBound.right = std::max(header->rcBound.right, spans[i].right);
    }
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), spans.data() + first, count * sizeof(RECT));
    parts.emplace_back(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
    if (!parts.back()) return {};
  }
  if (parts.empty()) return win::Region(CreateRectRgn(0, 0, 0, 0));
  while (parts.size() > 1) {
    std::vector<win::Region> paired;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
      if (CombineRgn(parts[i].Get(), parts[i].Get(), parts[i + 1].Get(), RGN_OR) == ERROR) return {};
      paired.push_back(std::move(parts[i]));
    }
    if (parts.size() % 2) paired.push_back(std::move(parts.back()));
    parts = std::move(paired);
  }
  return std::move(parts.front());
}

}  // namespace

// The petals stroked in white on black in a one-bit bitmap around them; its
// white pixels, relative to the first petal's centre, are the region.
win::Region FlowerOutlines::Outlines(int penWidth, std::span<const Petal> petals) {
  const CanvasPoint origin = petals[0][0];
  const Bounds corners = CornerBounds(petals);
  const std::int32_t reach = PenReach(penWidth);
  const std::int32_t left = corners.Left - reach, top = corners.Top - reach;
  const std::int32_t width = corners.Right + reach - left + 1, height = corners.Bottom + reach - top + 1;

  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[2];
  } info{};
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = width;
  info.Header.biHeight = -height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = 1;
  info.Colours[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  const win::MemoryDc dc(nullptr);
  const win::Bitmap mask(
      CreateDIBSection(dc.Get(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !mask) return {};
  {
    const win::SelectGuard maskSelected(dc.Get(), mask.Get());
    PatBlt(dc.Get(), 0, 0, width, height, BLACKNESS);
    const win::Pen pen(CreatePen(PS_SOLID, penWidth, RGB(255, 255, 255)));
    const win::SelectGuard penSelected(dc.Get(), pen.Get());
    const win::SelectGuard hollow(dc.Get(), GetStockObject(NULL_BRUSH));
    for (const Petal& petal : petals) {
      std::array<POINT, 4> corners4;
      for (std::size_t i = 0; i < 4; ++i) corners4[i] = {petal[i].X - left, petal[i].Y - top};
      ::Polygon(dc.Get(), corners4.data(), 4);
    }
    GdiFlush();
  }
  const auto* row = static_cast<const unsigned char*>(bits);
  const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  const auto lit = [&](std::int32_t x) { return (row[x >> 3] & (0x80 >> (x & 7))) != 0; };
  std::vector<RECT> spans;
  for (std::int32_t y = 0; y < height; ++y, row += stride)
    for (std::int32_t x = 0; x < width;) {
      while (x < width && !lit(x)) ++x;
      if (x == width) break;
      const std::int32_t start = x;
      while (x < width && lit(x)) ++x;
      const LONG x0 = left + start - origin.X, x1 = left + x - origin.X, y0 = top + y - origin.Y;
      spans.push_back({x0, y0, x1, y0 + 1});
    }
  return RegionFromSpans(spans);
}

void FlowerOutlines::Forget() {
  shapes_ = {};
  for (win::Region& kept : kept_) kept.Reset();
}

bool FlowerOutlines::Paint(HDC dc, int penWidth, std::uint32_t colour, std::span<const Petal> petals) {
  if (petals.empty()) return true;
  // A solid brush paints exactly the pen's colour only where no colour is
  // dithered or matched to a palette.
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) < 24) return false;
  const RecurringShapes::Answer answer = shapes_.Look(penWidth, petals);
  win::Region& kept = kept_[answer.Slot];
  if (answer.What == RecurringShapes::Verdict::Stroke) {
    kept.Reset();
    return false;
  }
  if (answer.What == RecurringShapes::Verdict::Keep) kept = Outlines(penWidth, petals);
  if (!kept) return false;
  const win::Brush brush(CreateSolidBrush(colour));
  const CanvasPoint origin = petals[0][0];
  OffsetRgn(kept.Get(), origin.X, origin.Y);
  const bool painted = FillRgn(dc, kept.Get(), brush.Get()) != 0;
  OffsetRgn(kept.Get(), -origin.X, -origin.Y);
  reused_ += painted;
  return painted;
}

GdiFlowerCanvas::GdiFlowerCanvas(HWND window, int penWidth, PetalPath path)
    : windowDc_(std::in_place, window),
      dc_(windowDc_->Get()),
      hollow_(dc_, GetStockObject(NULL_BRUSH)),
      penWidth_(penWidth),
      path_(path),
      size_(ClientSize(window)) {}

GdiFlowerCanvas::GdiFlowerCanvas(HDC dc, SIZE size, int penWidth, PetalPath path, FlowerOutlines* outlines)
    : dc_(dc),
      hollow_(dc_, GetStockObject(NULL_BRUSH)),
      penWidth_(penWidth),
      path_(path),
      size_(size),
      outlines_(outlines) {}

void GdiFlowerCanvas::SelectPen(std::uint32_t colour) {
  if (pen_ && colour == penColour_) return;
  // Deselect the old pen before it is deleted.
  penSelected_.reset();
  pen_.Reset(CreatePen(PS_SOLID, penWidth_, colour));
  penColour_ = colour;
  penSelected_.emplace(dc_, pen_.Get());
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
  if (outlines_ && outlines_->Paint(dc_, penWidth_, colour, petals)) return;
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
