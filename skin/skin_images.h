#pragma once
// The five skin images as drawable surfaces, alive while any window is skinned.
#include <array>
#include <memory>

#include "skin/skin_draw.h"

namespace quillane::skin {

struct SkinImages {
  std::unique_ptr<Surface> Button;
  std::unique_ptr<Surface> Combo;
  std::unique_ptr<Surface> Mark;
  std::unique_ptr<Surface> Box;
  std::unique_ptr<Surface> Header;
  // The circles and marks at the display's size (see scaled_marks.h).
  int Diameter = kBoxFrameSize;
  std::array<std::unique_ptr<Surface>, 4> Circles;
  std::array<std::unique_ptr<Surface>, 2> Check, Square, Dot, Arrow;
};

// Builds the five images from their pixel tables; null when the system has
// no memory for them (the skin then draws nothing but still tracks).
// `dpi` sizes the circles and marks (0: the display's).
std::unique_ptr<SkinImages> BuildSkinBitmaps(int dpi = 0);

}  // namespace quillane::skin
