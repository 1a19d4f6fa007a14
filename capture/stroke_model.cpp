#include "capture/stroke_model.h"

#include <utility>

#include "capture/capture_toolbar.h"

namespace quillane::capture {

AnnotationTool ToolOfButton(int index) {
  switch (index) {
    case kRectangleTool: return AnnotationTool::Rectangle;
    case kEllipseTool: return AnnotationTool::Ellipse;
    case kArrowTool: return AnnotationTool::Arrow;
    case kTextTool: return AnnotationTool::Text;
    default: return AnnotationTool::None;
  }
}

void StrokeModel::ChooseTool(AnnotationTool tool) {
  tool_ = tool;
  held_ = false;
}

bool StrokeModel::Press(MouseButton button, PointF at, const FrameRect& region) {
  // The other buttons never draw: a stray right or middle click must not
  // turn into a mark, nor end the capture with the work in it.
  if (button != MouseButton::Left || tool_ == AnnotationTool::None) return false;
  // On the region's edge is outside.
  if (!StrictlyInside(at, region)) return false;
  held_ = true;
  start_ = at;
  return true;
}

std::optional<Annotation> StrokeModel::ShapeTo(PointF at, const FrameRect& region, std::uint32_t colour) const {
  if (tool_ == AnnotationTool::None || tool_ == AnnotationTool::Text) return std::nullopt;
  const PointF end = ClampToRegion(at, region);
  // A click without a drag has no shape: a dot would be a step that seems to undo nothing.
  if (ToPixel(end) == ToPixel(start_)) return std::nullopt;
  return Annotation{tool_, start_, end, colour};
}

std::optional<Annotation> StrokeModel::Preview(PointF at, const FrameRect& region, std::uint32_t colour) const {
  if (!held_) return std::nullopt;
  return ShapeTo(at, region, colour);
}

StrokeModel::Result StrokeModel::Release(MouseButton button, PointF at, const FrameRect& region,
                                         std::uint32_t colour) {
  if (button != MouseButton::Left) return {};
  const bool held = EndDrag();
  if (tool_ == AnnotationTool::Text) {
    if (box_.Visible) {
      // The click after the typing, wherever it lands, draws the text.
      if (auto text = TakeText()) return {Outcome::Text, {}, std::move(*text)};
      return {};
    }
    if (!held) return {};
    // Inside the region, so nothing typed can show or land outside it.
    box_.Visible = true;
    box_.At = ClampToRegion(at, region);
    box_.Bounds = {Pixel(region.Left), Pixel(region.Top), Pixel(region.Right()), Pixel(region.Bottom())};
    box_.Text.clear();
    return {Outcome::BoxPlaced, {}, {}};
  }
  if (!held) return {};
  if (const auto shape = ShapeTo(at, region, colour)) return {Outcome::Shape, *shape, {}};
  return {};
}

bool StrokeModel::EndDrag() { return std::exchange(held_, false); }

std::optional<TextBox> StrokeModel::TakeText() {
  if (!box_.Visible) return std::nullopt;
  TextBox taken = box_;
  box_.Visible = false;
  box_.Text.clear();
  if (taken.Text.empty()) return std::nullopt;
  return taken;
}

void StrokeModel::SetText(std::wstring_view text) {
  if (box_.Visible) box_.Text = text;
}

void StrokeModel::StyleBox(std::uint32_t colour, float size) {
  box_.Colour = colour;
  box_.Size = size;
}

}  // namespace quillane::capture
