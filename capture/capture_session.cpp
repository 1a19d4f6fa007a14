#include "capture/capture_session.h"

#include <utility>

namespace quillane::capture {

CaptureSession::CaptureSession(CaptureView& view, SnapshotPicture& picture, const CaptureMetrics& metrics)
    : view_(view), metrics_(metrics), snapshots_(picture) {}

bool CaptureSession::Open() {
  state_ = CaptureState{};
  overlay_ = Overlay{};
  sizeText_ = kStartSizeText;
  fontSize_ = kStartFontSize;
  // The strip waits above the window until a region is fixed.
  overlay_.StripAt = {0, -metrics_.Strip.Height};
  view_.SetPointer(Pointer::Cross);
  warnedNotStored_ = false;
  const bool written = snapshots_.Open();
  Publish();
  if (!written) WarnNotStored(kDesktopNotStored);
  return written;
}

void CaptureSession::WarnNotStored(std::wstring_view text) {
  if (std::exchange(warnedNotStored_, true)) return;
  view_.Warn(text);
}

void CaptureSession::Press(MouseButton button, PointF at) {
  if (state_.annotating) {
    AnnotationPress(at);
    return;
  }
  overlay_.StripVisible = false;
  if (state_.captureMode == CaptureMode::Draw) {
    overlay_.FrameVisible = true;
    overlay_.Frame = {at.X, at.Y, 0, 0};
    state_.anchorX = at.X;
    state_.anchorY = at.Y;
    if (button == MouseButton::Right) state_.keepOpenOnRightUp = 0;
    Publish();
    return;
  }
  view_.SetPointer(Pointer::Cross);
  const FrameRect& f = overlay_.Frame;
  state_.selRect = {Pixel(f.Left), Pixel(f.Top), Pixel(f.Right()), Pixel(f.Bottom())};
  const std::int32_t x = Pixel(at.X);
  const std::int32_t y = Pixel(at.Y);
  const SelRect& r = state_.selRect;
  // Left and top edges inside, right and bottom edges outside.
  const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
  if (inside) {
    state_.grabX = at.X;
    state_.grabY = at.Y;
    if (button == MouseButton::Right) CancelRegion(at);
  } else {
    CancelRegion(at);
  }
  Publish();
}

void CaptureSession::CancelRegion(PointF at) {
  overlay_.Frame = {at.X, at.Y, 0, 0};
  state_.anchorX = at.X;
  state_.anchorY = at.Y;
  overlay_.FrameVisible = false;
  overlay_.LabelsVisible = false;
  overlay_.HandlesVisible = false;
  view_.SetPointer(Pointer::Default);
  state_.captureMode = CaptureMode::Draw;
  state_.keepOpenOnRightUp = 1;
}

void CaptureSession::Move(unsigned buttons, PointF at) {
  // A pixel that cannot be read leaves the readout as it was.
  if (auto readout = ColourReadout(view_.PixelAt(Pixel(at.X), Pixel(at.Y)))) overlay_.InfoText = std::move(*readout);
  if (state_.annotating) {
    Publish();
    AnnotationMove(at);
    return;
  }
  FrameRect& f = overlay_.Frame;
  const bool strictlyInside = at.X > f.Left && at.Y > f.Top && at.X < f.Right() && at.Y < f.Bottom();
  view_.SetPointer(strictlyInside ? Pointer::Move : Pointer::Cross);
  if (buttons != static_cast<unsigned>(MouseButton::Left)) {
    Publish();
    return;
  }
  if (state_.captureMode == CaptureMode::Move) {
    view_.SetPointer(Pointer::Move);
    const PointF topLeft = MoveRegion({state_.anchorX, state_.anchorY}, {state_.grabX, state_.grabY}, at,
                                      {f.Width, f.Height}, metrics_.Screen.Size());
    f.Left = topLeft.X;
    f.Top = topLeft.Y;
  } else {
    // Not limited to the screen: the window covers all of it anyway.
    f = RubberBand({state_.anchorX, state_.anchorY}, at);
    overlay_.SizeText = SizeText(f.Width, f.Height);
    view_.SetPointer(Pointer::Cross);
  }
  PlaceLabelsAndHandles();
  overlay_.FrameVisible = true;
  overlay_.LabelsVisible = true;
  Publish();
}

void CaptureSession::PlaceLabelsAndHandles() {
  const LabelPlaces labels = PlaceLabels(overlay_.Frame, metrics_.SizeLabelHeight);
  overlay_.SizeLabelAt = labels.Size;
  overlay_.InfoLabelAt = labels.Info;
  overlay_.Handles = PlaceHandles(overlay_.Frame, metrics_.Handle);
  overlay_.HandlesVisible = true;
}

void CaptureSession::ShowStrip() {
  overlay_.StripAt = PlaceStrip(overlay_.Frame, metrics_.Strip, static_cast<float>(metrics_.Screen.Height));
  overlay_.StripVisible = true;
}

void CaptureSession::Release(MouseButton button, PointF at) {
  if (state_.annotating) AnnotationRelease(at);
  if (button != MouseButton::Left) {
    if (state_.keepOpenOnRightUp == 0) view_.Close();
    return;
  }
  state_.captureMode = CaptureMode::Move;
  state_.anchorX = overlay_.Frame.Left;
  state_.anchorY = overlay_.Frame.Top;
  ShowStrip();
  Publish();
}

void CaptureSession::KeyPress(int code) {
  if (code == 27) view_.Close();
}

void CaptureSession::HandlePress(int) {
  if (snapshots_.snapshotPos() == 1 && !snapshots_.HoldsUnstoredDrawing()) state_.annotating = false;
  if (state_.annotating || state_.captureMode != CaptureMode::Move) return;
  state_.handleDragState = HandleDragState::Start;
  const FrameRect& f = overlay_.Frame;
  state_.selLeft = f.Left;
  state_.selTop = f.Top;
  state_.selRight = f.Right();
  state_.selBottom = f.Bottom();
  overlay_.StripVisible = false;
  overlay_.PanelVisible = false;
  snapshots_.Reset();
  EndDrag();
  HideTextBox();
  state_.strokeActive = false;
  Publish();
}

void CaptureSession::HandleMove(int index, CursorPoint screenCursor) {
  view_.SetPointer(HandlePointer(index));
  if (state_.handleDragState != HandleDragState::Start) return;
  state_.cursorNow = screenCursor;
  const PointF cursor = metrics_.Screen.ToWindow(screenCursor.x, screenCursor.y);
  const FrameEdges atPress{state_.selLeft, state_.selTop, state_.selRight, state_.selBottom};
  // Past the opposite edge the frame stops at its last valid size.
  if (const auto resized = ResizeByHandle(index, atPress, cursor, metrics_.Handle)) overlay_.Frame = *resized;
  PlaceLabelsAndHandles();
  overlay_.SizeText = SizeText(overlay_.Frame.Width, overlay_.Frame.Height);
  state_.anchorX = overlay_.Frame.Left;
  state_.anchorY = overlay_.Frame.Top;
  Publish();
}

void CaptureSession::HandleRelease(int) {
  state_.handleDragState = HandleDragState::Stop;
  ShowStrip();
  Publish();
}

bool CaptureSession::PushSnapshot() {
  const bool stored = snapshots_.Push();
  if (!stored) WarnNotStored(kStepNotStored);
  return stored;
}

void CaptureSession::Undo() {
  if (snapshots_.Undo() == SnapshotStore::Step::AtEnd) DiscardRegion();
}

void CaptureSession::Redo() { snapshots_.Redo(); }

void CaptureSession::DiscardRegion() {
  state_.captureMode = CaptureMode::Draw;
  overlay_.FrameVisible = false;
  overlay_.StripVisible = false;
  overlay_.PanelVisible = false;
  overlay_.LabelsVisible = false;
  overlay_.Frame.Width = 0;
  overlay_.Frame.Height = 0;
  overlay_.HandlesVisible = false;
  state_.annotating = false;
  EndDrag();
  HideTextBox();
  state_.strokeActive = false;
  Publish();
}

void CaptureSession::Publish() {
  // A strip shown again starts without a hover frame.
  if (!overlay_.StripVisible) overlay_.HoverButton = kNoButton;
  // The box shows its text as it will be drawn: colour and size as chosen now.
  if (overlay_.Text.Visible) {
    overlay_.Text.Colour = overlay_.CurrentColour;
    overlay_.Text.Size = fontSize_;
  }
  view_.ShowOverlay(overlay_);
}

void CaptureSession::ToolbarHover(int index) {
  // Over the buttons too: a fast pointer may land on one without crossing the strip.
  view_.SetPointer(Pointer::Arrow);
  if (overlay_.HoverButton == index) return;
  overlay_.HoverButton = index;
  Publish();
}

void CaptureSession::ToolbarLeave() {
  if (overlay_.HoverButton == kNoButton) return;
  overlay_.HoverButton = kNoButton;
  Publish();
}

void CaptureSession::PanelHover() { view_.SetPointer(Pointer::Arrow); }

void CaptureSession::ToolbarClick(int index) {
  const auto region = CopyArea(overlay_.Frame, metrics_.Screen.Size());
  switch (index) {
    case kUndoButton: Undo(); break;
    case kRedoButton: Redo(); break;
    // An empty region copies and saves nothing, and the window stays.
    // Typed text goes into the picture first, never into the output as a box.
    case kCopyButton:
      CommitWaitingText();
      if (region && view_.CopyRegion(*region)) view_.Close();
      break;
    case kSaveButton:
      CommitWaitingText();
      if (region && view_.SaveRegion(*region)) view_.Close();
      break;
    case kCloseButton: view_.Close(); break;
    default:
      if (!IsDrawingTool(index)) return;
      ChooseTool(index);
      break;
  }
  state_.currentToolIndex = index;
}

void CaptureSession::ChooseTool(int index) {
  // A new tool starts afresh: no stroke of the old one goes on.
  CommitWaitingText();
  EndDrag();
  state_.strokeActive = false;
  overlay_.PanelAt = PlacePanel(overlay_.StripAt, metrics_.Strip, metrics_.Panel.Height,
                                static_cast<float>(metrics_.Screen.Height));
  overlay_.Panel = ShapePanel(index, metrics_.Panel);
  // The same tool again hides the panel; another one keeps it shown.
  if (!overlay_.PanelVisible)
    overlay_.PanelVisible = true;
  else if (index == state_.currentToolIndex)
    overlay_.PanelVisible = false;
  state_.annotating = true;
  state_.currentTool = ToolbarTooltip(index);
  Publish();
}

void CaptureSession::DoubleClick(PointF at) {
  // Its own point, not an older press, must lie in a region that has pixels.
  const auto region = CopyArea(overlay_.Frame, metrics_.Screen.Size());
  if (!region || !region->Contains(Pixel(at.X), Pixel(at.Y))) return;
  CommitWaitingText();
  if (view_.CopyRegion(*region)) view_.Close();
}

void CaptureSession::AnnotationPress(PointF at) {
  // On the region's edge is outside.
  if (!StrictlyInside(at, overlay_.Frame)) return;
  state_.strokeActive = true;
  state_.strokeHeld = true;
  state_.strokeStartX = at.X;
  state_.strokeStartY = at.Y;
}

Annotation CaptureSession::StrokeTo(PointF at) const {
  return {ToolNamed(state_.currentTool), {state_.strokeStartX, state_.strokeStartY},
          ClampToRegion(at, overlay_.Frame), overlay_.CurrentColour};
}

void CaptureSession::AnnotationMove(PointF at) {
  if (!state_.strokeActive || !state_.strokeHeld) return;
  const Annotation shape = StrokeTo(at);
  // Text shows nothing while it is dragged.
  if (shape.Tool != AnnotationTool::None && shape.Tool != AnnotationTool::Text) view_.ShowPreview(shape);
}

void CaptureSession::AnnotationRelease(PointF at) {
  const bool held = state_.strokeHeld;
  EndDrag();
  if (!state_.strokeActive) return;
  const Annotation shape = StrokeTo(at);
  switch (shape.Tool) {
    case AnnotationTool::Rectangle:
    case AnnotationTool::Ellipse:
    case AnnotationTool::Arrow:
      if (!held) return;
      view_.DrawAnnotation(shape);
      Commit();
      break;
    case AnnotationTool::Text:
      if (overlay_.Text.Visible) {
        view_.DrawBoxText(overlay_.Text);
        HideTextBox();
        Commit();
      } else {
        // Where the mouse came up, also outside the region; the stroke goes
        // on until the text is drawn.
        overlay_.Text.Visible = true;
        overlay_.Text.At = at;
        overlay_.Text.Text.clear();
      }
      Publish();
      break;
    default: break;
  }
}

void CaptureSession::EndDrag() {
  if (!std::exchange(state_.strokeHeld, false)) return;
  view_.EndPreview();
}

void CaptureSession::MouseLost() {
  if (!state_.strokeHeld) return;
  EndDrag();
  // A waiting text box keeps its stroke; a shape or a box not yet placed does not.
  if (!overlay_.Text.Visible) state_.strokeActive = false;
}

void CaptureSession::CommitWaitingText() {
  if (!overlay_.Text.Visible) return;
  const bool anyText = !overlay_.Text.Text.empty();
  if (anyText) view_.DrawBoxText(overlay_.Text);
  HideTextBox();
  state_.strokeActive = false;
  if (anyText) Commit();
  Publish();
}

void CaptureSession::HideTextBox() {
  overlay_.Text.Visible = false;
  overlay_.Text.Text.clear();
}

void CaptureSession::Commit() {
  state_.strokeActive = false;
  PushSnapshot();
}

void CaptureSession::PaletteHover(int index) {
  view_.SetPointer(Pointer::Arrow);
  auto borders = overlay_.SwatchBorders;
  // A swatch keeps its border until the pointer crosses the panel or the box.
  if (index >= 0 && index < kSwatchCount)
    borders[static_cast<std::size_t>(index)] = true;
  else
    borders.fill(false);
  if (borders == overlay_.SwatchBorders) return;
  overlay_.SwatchBorders = borders;
  Publish();
}

void CaptureSession::PaletteRelease(int index) {
  if (index < 0 || index >= kSwatchCount) return;  // the box itself keeps its colour
  overlay_.CurrentColour = SwatchColour(index);
  Publish();
}

void CaptureSession::FontPanelHover(bool overFace) {
  view_.SetPointer(Pointer::Arrow);
  const FaceLook look = overFace ? FaceLook::Hover : FaceLook::Normal;
  if (look == overlay_.Face) return;
  overlay_.Face = look;
  Publish();
}

void CaptureSession::FacePress() {
  overlay_.Face = FaceLook::Pressed;
  Publish();
  view_.ToggleSizeList();
}

void CaptureSession::SizeTextChanged(std::wstring_view text) {
  sizeText_ = text;
  // Anything but a size from 1 to 500 keeps the last one.
  if (const auto size = ParseFontSize(text)) fontSize_ = *size;
  Publish();
}

void CaptureSession::TextBoxChanged(std::wstring_view text) {
  if (overlay_.Text.Visible) overlay_.Text.Text = text;
}

}  // namespace quillane::capture
