#include "skin/skin_images.h"

namespace quillane::skin {

std::unique_ptr<SkinImages> BuildSkinBitmaps() {
  const SkinPixels pixels = BuildSkinPixels();
  auto images = std::make_unique<SkinImages>();
  images->Button = SurfaceFromPixels(pixels.Button);
  images->Combo = SurfaceFromPixels(pixels.Combo);
  images->Mark = SurfaceFromPixels(pixels.Mark);
  images->Box = SurfaceFromPixels(pixels.Box);
  images->Header = SurfaceFromPixels(pixels.Header);
  if (!images->Button || !images->Combo || !images->Mark || !images->Box || !images->Header) return nullptr;
  return images;
}

}  // namespace quillane::skin
