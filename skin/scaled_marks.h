#pragma once
// The option circles, check marks, option dots and the combo box's arrow at
// the display's size. At 96 dots per inch they are the skin's own pixels;
// at any other size they are drawn afresh from the same colours, so circles
// stay round and marks keep their proportions instead of being stretched.
#include <array>

#include "skin/skin_pixels.h"

namespace quillane::skin {

struct ScaledMarks {
  int Diameter = 0;                   // of the option circles
  std::array<SkinImage, 4> Circles;   // normal, hot, pressed, disabled; key colour outside
  std::array<SkinImage, 2> Check;     // enabled, disabled; key colour around the mark
  std::array<SkinImage, 2> Square;    // a check box's indeterminate mark
  std::array<SkinImage, 2> Dot;       // a chosen option's dot
  std::array<SkinImage, 2> Arrow;     // the combo box's drop arrow
};

// A length of the 96-dpi images at `dpi`, halves to even.
int ScaledLength(int length, int dpi);

// The marks at `dpi` from the skin's own images.
ScaledMarks BuildScaledMarks(const SkinPixels& images, int dpi);

}  // namespace quillane::skin
