#pragma once
// Draws petals straight onto a window's client area: outlines only, in the
// window's pen width and the flower's colour.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "pattern/flower_engine.h"
#include "win32/gdi.h"

namespace quillane {

class GdiFlowerCanvas final : public FlowerCanvas {
 public:
  GdiFlowerCanvas(HWND window, int penWidth);
  GdiFlowerCanvas(const GdiFlowerCanvas&) = delete;
  GdiFlowerCanvas& operator=(const GdiFlowerCanvas&) = delete;

  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }
  void SetPenColour(std::uint32_t colour) override;
  void Polygon(const std::array<CanvasPoint, 4>& points) override;

 private:
  win::WindowDc dc_;
  win::SelectGuard hollow_;
  int penWidth_;
  float width_ = 0;
  float height_ = 0;
  // The pen is made when its colour changes, not per petal.
  std::uint32_t penColour_ = 0xFFFFFFFF;
  win::Pen pen_;
  std::optional<win::SelectGuard> penSelected_;
};

}  // namespace quillane
