#pragma once
// The five skin images as drawable surfaces, alive while any window is skinned.
#include <memory>

#include "skin/skin_draw.h"

namespace quillane::skin {

struct SkinImages {
  std::unique_ptr<Surface> Button;
  std::unique_ptr<Surface> Combo;
  std::unique_ptr<Surface> Mark;
  std::unique_ptr<Surface> Box;
  std::unique_ptr<Surface> Header;
};

// Builds the five images from their pixel tables; null when the system has
// no memory for them (the skin then draws nothing but still tracks).
std::unique_ptr<SkinImages> BuildSkinBitmaps();

}  // namespace quillane::skin
