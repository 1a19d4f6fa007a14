#include "capture/loupe.h"

#include <algorithm>
#include <cwchar>

namespace quillane::capture {
namespace {

bool Overlaps(const PixelBox& a, const PixelBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const PixelBox& inner, const PixelBox& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

void Fill(std::span<std::uint32_t> target, std::ptrdiff_t stride, int left, int top, int width, int height,
          std::uint32_t colour) {
  for (int row = top; row < top + height; ++row) {
    std::uint32_t* line = target.data() + row * stride + left;
    std::fill(line, line + width, colour);
  }
}

void Grow(PixelBox& box, const PixelBox& part) {
  if (box.Width() <= 0 || box.Height() <= 0) {
    box = part;
    return;
  }
  box = {std::min(box.Left, part.Left), std::min(box.Top, part.Top), std::max(box.Right, part.Right),
         std::max(box.Bottom, part.Bottom)};
}

// `value` pixels at 96 dpi, at `dpi`, rounded half up.
int LoupeScaled(int value, int dpi) { return (value * dpi + 48) / 96; }

}  // namespace

LoupeMetrics LoupeMetricsAt(int dpi) {
  if (dpi <= 0) dpi = 96;
  LoupeMetrics m;
  // Four pixels a cell at least, room for the pointer's two rings and a colour.
  m.Zoom = std::max(4, LoupeScaled(kLoupeZoom, dpi));
  m.CaptionHeight = std::max(1, LoupeScaled(kLoupeCaptionHeight, dpi));
  m.CaptionFontHeight = std::max(1, LoupeScaled(kLoupeCaptionFontHeight, dpi));
  m.Gap = std::max(1, LoupeScaled(kLoupeGap, dpi));
  return m;
}

std::optional<PixelBox> PlaceLoupe(std::int32_t x, std::int32_t y, const PixelBox& monitor,
                                   std::span<const PixelBox> avoid, const LoupeMetrics& metrics) {
  const std::int32_t gap = metrics.Gap, width = metrics.Width(), height = metrics.Height();
  for (const PixelBox& box : avoid)
    if (box.Contains(x, y)) return std::nullopt;
  const std::int32_t right = x + gap, left = x - gap - width;
  const std::int32_t below = y + gap, above = y - gap - height;
  // Beside the pointer first, then flipped across, up, or both.
  const std::array<PixelBox, 4> spots{{
      {right, below, right + width, below + height},
      {left, below, left + width, below + height},
      {right, above, right + width, above + height},
      {left, above, left + width, above + height},
  }};
  const auto clear = [&](const PixelBox& spot) {
    return std::none_of(avoid.begin(), avoid.end(), [&](const PixelBox& box) { return Overlaps(spot, box); });
  };
  bool anyFits = false;
  for (const PixelBox& spot : spots) {
    if (!Inside(spot, monitor)) continue;
    anyFits = true;
    if (clear(spot)) return spot;
  }
  if (anyFits) return std::nullopt;
  // A monitor too small for the loupe: pushed against its top-left corner.
  const std::int32_t l = std::max(monitor.Left, std::min(right, monitor.Right - width));
  const std::int32_t t = std::max(monitor.Top, std::min(below, monitor.Bottom - height));
  const PixelBox pushed{l, t, l + width, t + height};
  return clear(pushed) ? std::optional<PixelBox>(pushed) : std::nullopt;
}

std::uint32_t LoupeMarkColour(std::uint32_t pixel) {
  const std::uint32_t r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
  // Perceived brightness, weights as in Rec. 601, in thousandths.
  return r * 299 + g * 587 + b * 114 >= 128 * 1000 ? 0x000000 : 0xFFFFFF;
}

PixelBox LoupeLens::Render(std::span<std::uint32_t> target, std::ptrdiff_t stride, const PixelSource& source,
                           std::int32_t x, std::int32_t y) {
  const int zoom = metrics_.Zoom, lensSide = metrics_.LensSide();
  PixelBox changed;
  if (!drawn_) {
    Fill(target, stride, 0, 0, lensSide, lensSide, kLoupeGrid);
    // The outer frame sets the loupe off from the picture behind it.
    Fill(target, stride, 0, 0, lensSide, 1, kLoupeFrame);
    Fill(target, stride, 0, lensSide - 1, lensSide, 1, kLoupeFrame);
    Fill(target, stride, 0, 0, 1, lensSide, kLoupeFrame);
    Fill(target, stride, lensSide - 1, 0, 1, lensSide, kLoupeFrame);
    changed = {0, 0, lensSide, lensSide};
  }
  pointerPixel_ = source.At(x, y);
  const std::uint32_t mark = LoupeMarkColour(pointerPixel_.value_or(kLoupeOffPicture));
  const int middle = kLoupeReach * zoom;  // the pointer cell's grid line, left and top
  bool pointerCellDrawn = false;
  for (int row = 0; row < kLoupeCells; ++row)
    for (int column = 0; column < kLoupeCells; ++column) {
      const std::uint32_t colour =
          source.At(x - kLoupeReach + column, y - kLoupeReach + row).value_or(kLoupeOffPicture);
      std::uint32_t& shown = shown_[row * kLoupeCells + column];
      const bool pointerCell = row == kLoupeReach && column == kLoupeReach;
      if (drawn_ && shown == colour && !(pointerCell && mark != mark_)) continue;
      shown = colour;
      pointerCellDrawn = pointerCellDrawn || pointerCell;
      const int left = column * zoom + 1, top = row * zoom + 1;
      Fill(target, stride, left, top, zoom - 1, zoom - 1, colour);
      Grow(changed, {left, top, left + zoom - 1, top + zoom - 1});
    }
  if (pointerCellDrawn) {
    // Two rings round the pointer's pixel: on the grid lines and just inside
    // them, so the mark shows on any colour and at any grid.
    for (int ring = 0; ring < 2; ++ring) {
      const int left = middle + ring, side = zoom + 1 - 2 * ring;
      Fill(target, stride, left, left, side, 1, mark);
      Fill(target, stride, left, left + side - 1, side, 1, mark);
      Fill(target, stride, left, left, 1, side, mark);
      Fill(target, stride, left + side - 1, left, 1, side, mark);
    }
    Grow(changed, {middle, middle, middle + zoom + 1, middle + zoom + 1});
  }
  mark_ = mark;
  drawn_ = true;
  return changed;
}

std::wstring LoupeCaption(std::int32_t x, std::int32_t y, std::optional<std::uint32_t> pixel) {
  wchar_t text[48];
  if (pixel)
    std::swprintf(text, 48, L"%d, %d #%06X", static_cast<int>(x), static_cast<int>(y),
                  static_cast<unsigned>(*pixel & 0xFFFFFF));
  else
    std::swprintf(text, 48, L"%d, %d", static_cast<int>(x), static_cast<int>(y));
  return text;
}

}  // namespace quillane::capture
