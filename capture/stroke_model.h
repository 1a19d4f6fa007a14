#pragma once
// A drawing tool's stroke, apart from the window: the press that starts it,
// the shape that follows the pointer, what the release draws, and the text
// tool's box with what is typed into it. Only the left button draws, a
// click that would draw nothing draws nothing, and nothing lands outside
// the region: the session pushes an undo step only for what this says was
// drawn.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "capture/annotation.h"
#include "capture/capture_geometry.h"
#include "capture/capture_pickers.h"

namespace quillane::capture {

// Mouse buttons by the forms' codes; a move carries the pressed ones as bits.
enum class MouseButton : unsigned { Left = 1, Right = 2, Middle = 4 };

// The drawing tool a toolbar button chooses; None for the other buttons.
AnnotationTool ToolOfButton(int index);

// `TextEdit`, the text tool's box: placed at the first release, inside the
// region, it shows its text in the current colour and font size until it
// is drawn. `Bounds` is the region: neither the box nor its text reach past it.
struct TextBox {
  bool Visible = false;
  PointF At;
  PixelBox Bounds;
  float Size = kStartFontSize;  // points
  std::uint32_t Colour = kStartColour;
  std::wstring Text;
};

class StrokeModel {
 public:
  // What a release leaves to draw.
  enum class Outcome {
    Nothing,    // no stroke, or one that would draw nothing
    Shape,      // Drawn() goes into the picture, one step
    BoxPlaced,  // the text box appeared and waits for keys
    Text,       // the box's text goes into the picture, one step
  };
  struct Result {
    Outcome What = Outcome::Nothing;
    Annotation Drawn;
    TextBox Box;  // for Text: the box as it was
  };

  void Reset() { *this = StrokeModel{}; }
  AnnotationTool Tool() const { return tool_; }
  // A new tool ends the drag; waiting text is the session's to draw first.
  void ChooseTool(AnnotationTool tool);

  // A stroke is under way: a drag held from inside the region, or a box placed.
  bool Active() const { return held_ || box_.Visible; }
  // The left button went down inside the region and is still down.
  bool Held() const { return held_; }
  PointF Start() const { return start_; }
  const TextBox& Box() const { return box_; }
  // Text typed into an open box that is not in the picture yet.
  bool TextWaiting() const { return box_.Visible && !box_.Text.empty(); }

  // Only the left button, strictly inside the region, starts a stroke; true when it did.
  bool Press(MouseButton button, PointF at, const FrameRect& region);
  // The shape the held drag shows with the pointer at `at`; nothing for text
  // or a drag that covers no pixel beyond its start.
  std::optional<Annotation> Preview(PointF at, const FrameRect& region, std::uint32_t colour) const;
  Result Release(MouseButton button, PointF at, const FrameRect& region, std::uint32_t colour);
  // Ends a held drag without drawing; true when it was held (a preview may show).
  bool EndDrag();
  // Closes the box: the text it held, if any, to be drawn.
  std::optional<TextBox> TakeText();
  void SetText(std::wstring_view text);
  void StyleBox(std::uint32_t colour, float size);

 private:
  std::optional<Annotation> ShapeTo(PointF at, const FrameRect& region, std::uint32_t colour) const;

  AnnotationTool tool_ = AnnotationTool::None;
  bool held_ = false;
  PointF start_;
  TextBox box_;
};

}  // namespace quillane::capture
