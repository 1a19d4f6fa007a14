#pragma once
// Draws petals straight onto a window's client area (or any device context):
// outlines only, in the window's pen width and the flower's colour.
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "pattern/flower_engine.h"
#include "pattern/recurring_shapes.h"
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

// The pixels a flower's outlines cover, found by stroking them once in a
// one-bit bitmap and kept for when the shape comes back (see RecurringShapes).
// Setting those pixels to the pen's colour paints what the stroke paints.
class FlowerOutlines {
 public:
  // Paints the petals' outlines in `colour` into `pixels`, a top-down 32-bit
  // DIB of `size`, once they Land; false when their pixels could not be
  // found: Land, then stroke them.
  bool Paint(std::uint32_t* pixels, SIZE size, int penWidth, std::uint32_t colour, std::span<const Petal> petals);
  // Sets the pixels of what was painted since the last landing; before
  // anything else reads or draws on the DIB.
  void Land(std::uint32_t* pixels, SIZE size);
  // Flowers painted from kept pixels so far.
  long Reused() const { return reused_; }
  // Lets every kept shape and every unlanded flower go.
  void Forget();

 private:
  // The one-bit bitmap new shapes are stroked in, kept from shape to shape:
  // a fresh DIB section for each cost the system new pages every time.
  class StrokeMask {
   public:
    // The mask, black over `width` x `height` at its top left, with a white
    // pen of `penWidth` and the hollow brush; nullptr when it cannot be had
    // (then let this mask go).
    HDC Prepare(int width, int height, int penWidth);
    const std::uint8_t* Bits() const { return bits_; }
    std::size_t Stride() const;

   private:
    win::MemoryDc dc_{nullptr};
    win::Bitmap bitmap_;
    win::Pen pen_;
    std::uint8_t* bits_ = nullptr;
    SIZE size_{};
    int penWidth_ = 0;
    // Deselected before the objects above go.
    win::SelectGuard bitmapSelected_, penSelected_, hollow_;
  };

  std::optional<ShapeSpans> Outlines(int penWidth, std::span<const Petal> petals);

  RecurringShapes shapes_;
  PendingShapes pending_;
  std::optional<StrokeMask> mask_;
  long reused_ = 0;
};

class GdiFlowerCanvas final : public FlowerCanvas {
 public:
  GdiFlowerCanvas(HWND window, int penWidth, PetalPath path = PetalPath::OnCanvas);
  // Draws on `dc`, whose drawable area is `size` (a memory bitmap, say).
  // Given `outlines` and `pixels`, the bits of the top-down 32-bit DIB
  // selected in `dc`, flowers are painted through the outlines kept there
  // and reach the DIB when the outlines Land.
  GdiFlowerCanvas(HDC dc, SIZE size, int penWidth, PetalPath path, FlowerOutlines* outlines = nullptr,
                  std::uint32_t* pixels = nullptr);
  GdiFlowerCanvas(const GdiFlowerCanvas&) = delete;
  GdiFlowerCanvas& operator=(const GdiFlowerCanvas&) = delete;

  float ScaleWidth() const override { return static_cast<float>(size_.cx); }
  float ScaleHeight() const override { return static_cast<float>(size_.cy); }
  void DrawPetals(std::uint32_t colour, std::span<const Petal> petals) override;
  // The part of the canvas the petals drawn so far may have touched.
  const RECT& Touched() const { return touched_; }

 private:
  void Touch(std::span<const Petal> petals);
  void SelectPen(std::uint32_t colour);
  bool MayReachCanvas(const Petal& petal) const;

  std::optional<win::WindowDc> windowDc_;
  HDC dc_;
  win::SelectGuard hollow_;
  int penWidth_;
  PetalPath path_;
  SIZE size_;
  FlowerOutlines* outlines_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  RECT touched_{};
  // The pen is made when its colour changes, not per petal.
  std::uint32_t penColour_ = 0xFFFFFFFF;
  win::Pen pen_;
  win::SelectGuard penSelected_;
};

}  // namespace quillane
