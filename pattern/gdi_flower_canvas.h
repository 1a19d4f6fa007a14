#pragma once
// Draws petals straight onto a window's client area (or any device context):
// outlines only, in the window's pen width and the flower's colour.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "pattern/flower_engine.h"
#include "win32/gdi.h"

namespace quillane {

// How a flower's petals reach the device context. All paths paint the same
// pixels; the benchmark and the pixel test compare them.
enum class PetalPath {
  EveryPetal,  // one Polygon per petal, every petal: the plain reference
  OnCanvas,    // one Polygon per petal that can reach the canvas
  OneCall,     // one PolyPolygon per flower of the petals that can reach the canvas;
               // under Wine it costs more, as Wine unites all outlines into one region
};

class GdiFlowerCanvas final : public FlowerCanvas {
 public:
  GdiFlowerCanvas(HWND window, int penWidth, PetalPath path = PetalPath::OnCanvas);
  // Draws on `dc`, whose drawable area is `size` (a memory bitmap, say).
  GdiFlowerCanvas(HDC dc, SIZE size, int penWidth, PetalPath path);
  GdiFlowerCanvas(const GdiFlowerCanvas&) = delete;
  GdiFlowerCanvas& operator=(const GdiFlowerCanvas&) = delete;

  float ScaleWidth() const override { return static_cast<float>(size_.cx); }
  float ScaleHeight() const override { return static_cast<float>(size_.cy); }
  void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) override;

 private:
  void SelectPen(std::uint32_t colour);
  bool MayReachCanvas(const Petal& petal) const;

  std::optional<win::WindowDc> windowDc_;
  HDC dc_;
  win::SelectGuard hollow_;
  int penWidth_;
  PetalPath path_;
  SIZE size_;
  // The pen is made when its colour changes, not per petal.
  std::uint32_t penColour_ = 0xFFFFFFFF;
  win::Pen pen_;
  std::optional<win::SelectGuard> penSelected_;
};

}  // namespace quillane
