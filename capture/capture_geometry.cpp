#include "capture/capture_geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "util/numbers.h"

namespace quillane::capture {

PointF ScreenArea::ToWindow(int screenX, int screenY) const {
  // In 64 bits: a cursor far off a negative origin must not wrap.
  return {static_cast<float>(static_cast<std::int64_t>(screenX) - Left),
          static_cast<float>(static_cast<std::int64_t>(screenY) - Top)};
}

std::optional<PixelBox> CopyArea(const FrameRect& frame, SizeF screen) {
  const auto clamp = [](std::int32_t value, float limit) {
    return std::clamp(value, std::int32_t{0}, static_cast<std::int32_t>(limit));
  };
  const PixelBox box{clamp(Pixel(frame.Left), screen.Width), clamp(Pixel(frame.Top), screen.Height),
                     clamp(Pixel(frame.Right()), screen.Width), clamp(Pixel(frame.Bottom()), screen.Height)};
  if (box.Width() <= 0 || box.Height() <= 0) return std::nullopt;
  return box;
}

Pointer HandlePointer(int index) {
  static constexpr std::array<Pointer, kHandleCount> kShapes{
      Pointer::SizeNWSE, Pointer::SizeNS, Pointer::SizeNESW, Pointer::SizeWE,
      Pointer::SizeNESW, Pointer::SizeNS, Pointer::SizeNWSE, Pointer::SizeWE};
  return index >= 0 && index < kHandleCount ? kShapes[static_cast<std::size_t>(index)] : Pointer::Default;
}

std::array<PointF, kHandleCount> PlaceHandles(const FrameRect& f, SizeF handle) {
  const float halfW = handle.Width / 2;
  const float halfH = handle.Height / 2;
  const float left = f.Left - halfW;
  const float middle = f.Left + f.Width / 2 - halfW;
  const float right = f.Left + f.Width - halfW;
  const float top = f.Top - halfH;
  const float centre = f.Top + f.Height / 2 - halfH;
  const float bottom = f.Top + f.Height - halfH;
  // The top-right handle sits a third of a handle further in than the others
  // on the right edge; users have always seen it there.
  const auto topRight = static_cast<float>(f.Left + f.Width - handle.Width / 1.5);
  return {{{left, top}, {middle, top}, {topRight, top}, {left, centre},
           {left, bottom}, {middle, bottom}, {right, bottom}, {right, centre}}};
}

DraggedEdges EdgesOfHandle(int index) {
  switch (index) {
    case 0: return {true, true, false, false};
    case 1: return {false, true, false, false};
    case 2: return {false, true, true, false};
    case 3: return {true, false, false, false};
    case 4: return {true, false, false, true};
    case 5: return {false, false, false, true};
    case 6: return {false, false, true, true};
    case 7: return {false, false, true, false};
    default: return {};
  }
}

std::optional<FrameRect> ResizeByHandle(int index, const FrameEdges& atPress, PointF moved, SizeF screen) {
  if (index < 0 || index >= kHandleCount) return std::nullopt;
  const DraggedEdges dragged = EdgesOfHandle(index);
  float left = atPress.Left, top = atPress.Top, right = atPress.Right, bottom = atPress.Bottom;
  // However fast the pointer goes, an edge stops at the opposite one and at the screen's edge.
  if (dragged.Left) left = std::clamp(atPress.Left + moved.X, std::fmin(0.0f, right), right);
  if (dragged.Right) right = std::clamp(atPress.Right + moved.X, left, std::fmax(screen.Width, left));
  if (dragged.Top) top = std::clamp(atPress.Top + moved.Y, std::fmin(0.0f, bottom), bottom);
  if (dragged.Bottom) bottom = std::clamp(atPress.Bottom + moved.Y, top, std::fmax(screen.Height, top));
  return FrameRect{left, top, right - left, bottom - top};
}

FrameRect RubberBand(PointF anchor, PointF pointer) {
  return {std::fmin(anchor.X, pointer.X), std::fmin(anchor.Y, pointer.Y), std::fabs(pointer.X - anchor.X),
          std::fabs(pointer.Y - anchor.Y)};
}

PointF MoveRegion(PointF anchor, PointF grab, PointF pointer, SizeF size, SizeF screen) {
  float left = anchor.X - (grab.X - pointer.X);
  float top = anchor.Y - (grab.Y - pointer.Y);
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  // After the zero checks: a region wider than the screen keeps its right
  // edge on the screen's right edge.
  if (screen.Width < left + size.Width) left = screen.Width - size.Width;
  if (screen.Height < top + size.Height) top = screen.Height - size.Height;
  return {left, top};
}

PointF PlaceStrip(const FrameRect& frame, SizeF strip, float screenHeight) {
  PointF at{frame.Right() - strip.Width, frame.Bottom() + 4};
  if (screenHeight < frame.Bottom() + 4 + strip.Height) at.Y = frame.Bottom() - strip.Height - 4;
  if (at.X < 0) at.X = 0;
  return at;
}

LabelPlaces PlaceLabels(const FrameRect& frame, float sizeLabelHeight) {
  const PointF size{frame.Left + 2, frame.Top + 2};
  return {size, {frame.Left + 2, size.Y + sizeLabelHeight + 2}};
}

namespace {
std::wstring Shortest(float value) {
  char text[32];
  // + 0.0f turns a negative zero into zero.
  const auto result = std::to_chars(text, text + sizeof text, value + 0.0f);
  return std::wstring(text, result.ptr);
}
}  // namespace

std::wstring SizeText(float width, float height) { return Shortest(width) + L"x" + Shortest(height); }

SplitRgb SplitColor(std::int32_t color) { return {color % 256, (color / 256) % 256, (color / 65536) % 256}; }

std::optional<std::wstring> ColourReadout(std::uint32_t pixel) {
  if (pixel == kNoPixel) return std::nullopt;
  const SplitRgb rgb = SplitColor(static_cast<std::int32_t>(pixel));
  return L"RGB(" + std::to_wstring(rgb.R) + L"," + std::to_wstring(rgb.G) + L"," + std::to_wstring(rgb.B) + L")";
}

std::int32_t Pixel(float value) { return RoundHalfEven(value); }

}  // namespace quillane::capture
