#include "skin/skin_images.h"

#include "skin/scaled_marks.h"
#include "win32/design_table.h"

namespace quillane::skin {

std::unique_ptr<SkinImages> BuildSkinBitmaps(int dpi) {
  const SkinPixels pixels = BuildSkinPixels();
  auto images = std::make_unique<SkinImages>();
  images->Button = SurfaceFromPixels(pixels.Button);
  images->Combo = SurfaceFromPixels(pixels.Combo);
  images->Mark = SurfaceFromPixels(pixels.Mark);
  images->Box = SurfaceFromPixels(pixels.Box);
  images->Header = SurfaceFromPixels(pixels.Header);
  if (!images->Button || !images->Combo || !images->Mark || !images->Box || !images->Header) return nullptr;
  const ScaledMarks marks = BuildScaledMarks(pixels, dpi ? dpi : win::ScreenDpi().Y);
  images->Diameter = marks.Diameter;
  const auto make = [](auto& surfaces, const auto& tables) {
    bool all = true;
    for (std::size_t i = 0; i < surfaces.size(); ++i) all = (surfaces[i] = SurfaceFromPixels(tables[i])) && all;
    return all;
  };
  if (!make(images->Circles, marks.Circles) || !make(images->Check, marks.Check) ||
      !make(images->Square, marks.Square) || !make(images->Dot, marks.Dot) || !make(images->Arrow, marks.Arrow))
    return nullptr;
  return images;
}

}  // namespace quillane::skin
