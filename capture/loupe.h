#pragma once
// The loupe beside the pointer while a region is chosen: the pixels around
// the pointer enlarged in a grid, the pointer's pixel framed, and a caption
// line under them with the pointer's coordinates and colour. Here are its
// place on the monitor and the lens drawn into a 32-bit pixel buffer; the
// caption's text is drawn by the Win32 side. Nothing here touches a window.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "capture/capture_geometry.h"

namespace quillane::capture {

// Source pixels across and down the lens; the pointer's is the middle one.
inline constexpr int kLoupeCells = 17;
inline constexpr int kLoupeReach = kLoupeCells / 2;
// One source pixel takes kLoupeZoom pixels across and down, its last row and
// column being the grid line, so each cell shows kLoupeZoom - 1 pixels of colour.
inline constexpr int kLoupeZoom = 8;
inline constexpr int kLoupeLensSide = kLoupeCells * kLoupeZoom + 1;  // with the closing grid line
inline constexpr int kLoupeCaptionHeight = 20;
// The caption's characters, in pixels high, as the capture's labels have
// them at 96 dpi: "-1280, -200 #FFFFFF" still fits across the lens.
inline constexpr int kLoupeCaptionFontHeight = 14;
inline constexpr int kLoupeWidth = kLoupeLensSide;
inline constexpr int kLoupeHeight = kLoupeLensSide + kLoupeCaptionHeight;
// Room between the pointer and the loupe, clear of the pointer's own picture.
inline constexpr int kLoupeGap = 16;

// The loupe's sizes at one dpi; the constants above are those at 96. The
// cell count stays, so the lens shows as many pixels on every monitor.
struct LoupeMetrics {
  int Zoom = kLoupeZoom;
  int CaptionHeight = kLoupeCaptionHeight;
  int CaptionFontHeight = kLoupeCaptionFontHeight;
  int Gap = kLoupeGap;
  int LensSide() const { return kLoupeCells * Zoom + 1; }
  int Width() const { return LensSide(); }
  int Height() const { return LensSide() + CaptionHeight; }
  bool operator==(const LoupeMetrics&) const = default;
};
// The sizes at 96 grown by dpi / 96, rounded; a dpi of 0 or less is 96.
LoupeMetrics LoupeMetricsAt(int dpi);

// Where the loupe goes for the pointer at (x, y) on `monitor`: below and right
// of the pointer, flipped left and/or up where the monitor ends, on a spot
// that covers none of `avoid` (the toolbar, the options panel). Nothing while
// the pointer is over one of them, or when every spot would cover one.
std::optional<PixelBox> PlaceLoupe(std::int32_t x, std::int32_t y, const PixelBox& monitor,
                                   std::span<const PixelBox> avoid, const LoupeMetrics& metrics = {});

// A picture of 32-bit 0x00RRGGBB pixels, row by row from the top; `Stride` is
// the distance between rows in pixels.
struct PixelSource {
  const std::uint32_t* Pixels = nullptr;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::ptrdiff_t Stride = 0;
  std::optional<std::uint32_t> At(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return std::nullopt;
    return Pixels[static_cast<std::ptrdiff_t>(y) * Stride + x];
  }
};

// Lens colours, as 0x00RRGGBB pixels.
inline constexpr std::uint32_t kLoupeGrid = 0x808080;
inline constexpr std::uint32_t kLoupeFrame = 0x1E64B4;
inline constexpr std::uint32_t kLoupeOffPicture = 0x404040;  // cells past the picture's edge

// The lens part of the loupe. It remembers what it drew last, so a move
// rewrites only the cells whose colour changed; anyone else writing into the
// lens must call Forget.
class LoupeLens {
 public:
  explicit LoupeLens(const LoupeMetrics& metrics = {}) : metrics_(metrics) {}
  const LoupeMetrics& Metrics() const { return metrics_; }
  // Other sizes draw the whole lens afresh at the next Render.
  void UseMetrics(const LoupeMetrics& metrics) {
    if (metrics == metrics_) return;
    metrics_ = metrics;
    Forget();
  }
  // Draws the source's pixels around (x, y) into the Metrics().LensSide() square at
  // the top-left of `target` (rows `stride` pixels apart). Returns the part
  // of the square that changed, empty when nothing did.
  PixelBox Render(std::span<std::uint32_t> target, std::ptrdiff_t stride, const PixelSource& source, std::int32_t x,
                  std::int32_t y);
  void Forget() { drawn_ = false; }
  // The pixel under the pointer at the last Render; nothing off the picture.
  std::optional<std::uint32_t> PointerPixel() const { return pointerPixel_; }

 private:
  LoupeMetrics metrics_;
  std::array<std::uint32_t, kLoupeCells * kLoupeCells> shown_{};
  std::uint32_t mark_ = 0;
  bool drawn_ = false;
  std::optional<std::uint32_t> pointerPixel_;
};

// The colour that frames the pointer's pixel: black on a light pixel, white on a dark one.
std::uint32_t LoupeMarkColour(std::uint32_t pixel);

// The caption: "x, y #RRGGBB" for a 0x00RRGGBB pixel, "x, y" off the picture.
std::wstring LoupeCaption(std::int32_t x, std::int32_t y, std::optional<std::uint32_t> pixel);

}  // namespace quillane::capture
