#pragma once
// The capture window's geometry, in window pixels held as single-precision
// numbers like the forms' control positions: the area it covers, the
// selection frame, its eight handles, the rubber band, moving a region,
// the toolbar strip's place and the two labels' texts. The window applies
// these results; nothing here touches a window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quillane::capture {

struct PointF {
  float X = 0;
  float Y = 0;
  bool operator==(const PointF&) const = default;
};

struct SizeF {
  float Width = 0;
  float Height = 0;
  bool operator==(const SizeF&) const = default;
};

// The selection frame `Shape1`: the region itself.
struct FrameRect {
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  float Right() const { return Left + Width; }
  float Bottom() const { return Top + Height; }
  bool operator==(const FrameRect&) const = default;
};

// A rectangle of whole pixels: Left and Top are its first column and row,
// Right and Bottom lie just outside it.
struct PixelBox {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  bool Contains(std::int32_t x, std::int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool operator==(const PixelBox&) const = default;
};

// The pixels of the region a copy takes: the frame's edges rounded, kept
// on the screen; nothing when that leaves no pixel.
std::optional<PixelBox> CopyArea(const FrameRect& frame, SizeF screen);

// Every monitor together (the virtual screen), in screen pixels. The capture
// window covers it exactly, so a window pixel is a screen pixel minus the
// origin, which is negative when a monitor lies left of or above the primary.
struct ScreenArea {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  PointF ToWindow(int screenX, int screenY) const;
  SizeF Size() const { return {static_cast<float>(Width), static_cast<float>(Height)}; }
};

// Pointer shapes by the forms' codes.
enum class Pointer : int {
  Default = 0,  // each window's own
  Arrow = 1,
  Cross = 2,
  Move = 5,  // four-way arrow
  SizeNESW = 6,
  SizeNS = 7,
  SizeNWSE = 8,
  SizeWE = 9,
};

// A frame's four edges, as taken when a handle is pressed.
struct FrameEdges {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
};

// The handles `Image1`(0..7): 0 top-left, 1 top middle, 2 top-right, 3 left
// middle, 4 bottom-left, 5 bottom middle, 6 bottom-right, 7 right middle.
inline constexpr int kHandleCount = 8;
Pointer HandlePointer(int index);
// Left and top of each handle around the frame; `handle` is one handle's size.
std::array<PointF, kHandleCount> PlaceHandles(const FrameRect& frame, SizeF handle);
// Which edges handle `index` drags.
struct DraggedEdges {
  bool Left = false;
  bool Top = false;
  bool Right = false;
  bool Bottom = false;
};
DraggedEdges EdgesOfHandle(int index);
// The frame while handle `index` is dragged, from the edges taken at the
// press: the edges it drags move by exactly `moved` (the pointer's movement
// since the press), stop against the opposite edge (size 0) and stay within
// the screen; the others stay exactly where they were. Nothing for an index
// that is no handle.
std::optional<FrameRect> ResizeByHandle(int index, const FrameEdges& atPress, PointF moved, SizeF screen);

// The frame spanning the anchor and the pointer, in any direction; on the
// anchor's row or column it is 0 high or wide.
FrameRect RubberBand(PointF anchor, PointF pointer);

// Left and top of a region of `size` grabbed at `grab` while its top-left was
// at `anchor`, with the pointer now at `pointer`: kept on the screen, and a
// region larger than the screen ends on its right or bottom edge.
PointF MoveRegion(PointF anchor, PointF grab, PointF pointer, SizeF size, SizeF screen);

// The toolbar strip against the frame's bottom-right corner: 4 pixels below
// it, or 4 pixels inside its bottom edge when there is no room below, and
// never left of the screen.
PointF PlaceStrip(const FrameRect& frame, SizeF strip, float screenHeight);

// `LblPos` rides 2 pixels inside the frame's top-left corner and `lblInfo`
// 2 pixels under `LblPos`.
struct LabelPlaces {
  PointF Size;
  PointF Info;
};
LabelPlaces PlaceLabels(const FrameRect& frame, float sizeLabelHeight);

// `LblPos`'s caption: width, "x", height, each in its shortest decimal form
// ("320x240").
std::wstring SizeText(float width, float height);

// A colour value split into its three bytes, as the forms' SplitColor does
// (truncating division, remainders with the dividend's sign).
struct SplitRgb {
  std::int32_t R;
  std::int32_t G;
  std::int32_t B;
};
SplitRgb SplitColor(std::int32_t color);

// What a failed pixel read gives (the system's CLR_INVALID).
inline constexpr std::uint32_t kNoPixel = 0xFFFFFFFF;
// `lblInfo`'s caption for a pixel, "RGB(r,g,b)"; nothing for kNoPixel.
std::optional<std::wstring> ColourReadout(std::uint32_t pixel);

// Rounds a window coordinate to a pixel (halves to even).
std::int32_t Pixel(float value);

}  // namespace quillane::capture
