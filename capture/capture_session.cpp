#include "capture/capture_session.h"

#include <algorithm>
#include <utility>

#include "util/numbers.h"

namespace quillane::capture {

CaptureParts DesignedParts(Dpi dpi, float labelHeight) {
  const SizeF handle{static_cast<float>(std::max(1, TwipsToPixels(kHandleTwips, dpi.X))),
                     static_cast<float>(std::max(1, TwipsToPixels(kHandleTwips, dpi.Y)))};
  return {handle, LayOutToolbar(dpi).Strip, labelHeight, DesignedPanel(dpi)};
}

CaptureSession::CaptureSession(CaptureView& view, SnapshotPicture& picture, const CaptureMetrics& metrics)
    : view_(view), metrics_(metrics), layout_(metrics.Screen, metrics.Monitors), snapshots_(picture) {}

void CaptureSession::Open() {
  state_ = CaptureState{};
  stroke_.Reset();
  overlay_ = Overlay{};
  UseDpi(metrics_.Dpi);
  sizeText_ = kStartSizeText;
  fontSize_ = kStartFontSize;
  // The strip waits above the window until a region is fixed.
  overlay_.StripAt = {0, -metrics_.Strip.Height};
  view_.SetPointer(Pointer::Cross);
  warnedNotStored_ = false;
  pointer_ = {};
  pointerKnown_ = false;
  heldButtons_ = 0;
  pressSnap_.reset();
  snapshots_.Open();
  Publish();
}

void CaptureSession::WarnNotStored(std::wstring_view text) {
  if (std::exchange(warnedNotStored_, true)) return;
  view_.Warn(text);
}

void CaptureSession::Press(MouseButton button, PointF at) {
  pointer_ = at;
  pointerKnown_ = true;
  heldButtons_ |= static_cast<unsigned>(button);
  if (state_.annotating) {
    AnnotationPress(button, at);
    return;
  }
  // The middle button has nothing to do on a region: it leaves it, and its toolbar, as they are.
  if (button == MouseButton::Middle && state_.captureMode == CaptureMode::Move) return;
  overlay_.StripVisible = false;
  if (state_.captureMode == CaptureMode::Draw) {
    pressSnap_.reset();
    if (button == MouseButton::Left) pressSnap_ = metrics_.Snap.At(Pixel(at.X), Pixel(at.Y));
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
  // Left and top edges inside, right and bottom edges outside.
  const bool inside = state_.selRect.Contains(x, y);
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
  pointer_ = at;
  pointerKnown_ = true;
  heldButtons_ = buttons;
  // A pixel that cannot be read leaves the readout as it was.
  if (auto readout = ColourReadout(view_.PixelAt(Pixel(at.X), Pixel(at.Y)))) overlay_.InfoText = std::move(*readout);
  if (state_.annotating) {
    // A press there draws: the cross-hair, never the arrow that says "move".
    view_.SetPointer(Pointer::Cross);
    Publish();
    AnnotationMove(at);
    return;
  }
  FrameRect& f = overlay_.Frame;
  const bool strictlyInside = at.X > f.Left && at.Y > f.Top && at.X < f.Right() && at.Y < f.Bottom();
  view_.SetPointer(strictlyInside ? Pointer::Move : Pointer::Cross);
  if (buttons != static_cast<unsigned>(MouseButton::Left)) {
    if (buttons == 0 && state_.captureMode == CaptureMode::Draw) {
      const auto snap = metrics_.Snap.At(Pixel(at.X), Pixel(at.Y));
      overlay_.SnapVisible = snap.has_value();
      if (snap) overlay_.Snap = *snap;
    }
    Publish();
    return;
  }
  if (state_.captureMode == CaptureMode::Move) {
    view_.SetPointer(Pointer::Move);
    const PointF topLeft =
        layout_.Move({state_.anchorX, state_.anchorY}, {state_.grabX, state_.grabY}, at, f, metrics_.Screen.Size());
    f.Left = topLeft.X;
    f.Top = topLeft.Y;
  } else {
    // Not limited to the screen: the window covers all of it anyway.
    f = layout_.Band({state_.anchorX, state_.anchorY}, at);
    if (at.X != state_.anchorX || at.Y != state_.anchorY) pressSnap_.reset();  // a drag draws its own
    overlay_.SizeText = SizeText(f.Width, f.Height);
    view_.SetPointer(Pointer::Cross);
  }
  PlaceLabelsAndHandles();
  overlay_.FrameVisible = true;
  overlay_.LabelsVisible = true;
  Publish();
}

void CaptureSession::UseDpi(std::int32_t dpi) {
  overlay_.Dpi = dpi;
  if (dpi == partsDpi_ || !metrics_.PartsAt) return;
  const CaptureParts parts = metrics_.PartsAt(dpi);
  partsDpi_ = dpi;
  metrics_.Handle = parts.Handle;
  metrics_.Strip = parts.Strip;
  metrics_.SizeLabelHeight = parts.SizeLabelHeight;
  metrics_.Panel = parts.Panel;
  if (const int tool = ChosenToolButton(); tool != kNoButton) overlay_.Panel = ShapePanel(tool, metrics_.Panel);
}

void CaptureSession::TakeDpiOf(const FrameRect& frame) {
  const std::int32_t held = layout_.DpiHolding(frame);
  UseDpi(held > 0 ? held : metrics_.Dpi);
}

int CaptureSession::ChosenToolButton() const {
  for (int i = 0; state_.annotating && i < kToolbarButtonCount; ++i)
    if (IsDrawingTool(i) && ToolOfButton(i) == state_.currentTool) return i;
  return kNoButton;
}

void CaptureSession::PlaceLabelsAndHandles() {
  TakeDpiOf(overlay_.Frame);
  const LabelPlaces labels = PlaceLabels(overlay_.Frame, metrics_.SizeLabelHeight);
  overlay_.SizeLabelAt = labels.Size;
  overlay_.InfoLabelAt = labels.Info;
  overlay_.Handles = PlaceHandles(overlay_.Frame, metrics_.Handle);
  overlay_.HandlesVisible = true;
}

void CaptureSession::ShowStrip() {
  TakeDpiOf(overlay_.Frame);
  overlay_.StripAt = layout_.Strip(overlay_.Frame, metrics_.Strip);
  overlay_.StripVisible = true;
}

void CaptureSession::Release(MouseButton button, PointF at) {
  pointer_ = at;
  pointerKnown_ = true;
  heldButtons_ &= ~static_cast<unsigned>(button);
  if (state_.annotating) AnnotationRelease(button, at);
  if (button != MouseButton::Left) {
    // Only a right click where no region is left ends the capture, and
    // never once something is drawn.
    if (state_.keepOpenOnRightUp == 0 && state_.captureMode == CaptureMode::Draw && !HasDrawing()) view_.Close();
    return;
  }
  // A click without a drag takes the window under it, as the screen froze.
  const FrameRect& f = overlay_.Frame;
  if (state_.captureMode == CaptureMode::Draw && f.Width == 0 && f.Height == 0 && pressSnap_) {
    const PixelBox& box = *pressSnap_;
    overlay_.Frame = {static_cast<float>(box.Left), static_cast<float>(box.Top), static_cast<float>(box.Width()),
                      static_cast<float>(box.Height())};
    overlay_.SizeText = SizeText(overlay_.Frame.Width, overlay_.Frame.Height);
    PlaceLabelsAndHandles();
    overlay_.FrameVisible = true;
    overlay_.LabelsVisible = true;
  }
  pressSnap_.reset();
  state_.captureMode = CaptureMode::Move;
  state_.anchorX = overlay_.Frame.Left;
  state_.anchorY = overlay_.Frame.Top;
  ShowStrip();
  Publish();
}

void CaptureSession::KeyPress(int code) {
  if (code != 27) return;
  // Esc with the size list open closes only the list.
  if (view_.CloseSizeList()) return;
  // Typed text is never dropped unseen: it goes into the picture first.
  CommitWaitingText();
  view_.Close();
}

void CaptureSession::KeyDown(int virtualKey, bool ctrl, bool shift) {
  const CaptureKeyAction action = MapCaptureKey(
      virtualKey, {ctrl, shift, stroke_.Box().Visible, state_.captureMode == CaptureMode::Move});
  // With a button held the toolbar cannot be clicked nor the region taken
  // by its keys; only the pointer moves, so a band can end to the pixel.
  const bool dragging = heldButtons_ != 0 || state_.handleDragState == HandleDragState::Start;
  if (dragging && action.Command != CaptureCommand::MovePointer) return;
  switch (action.Command) {
    case CaptureCommand::MoveRegion: NudgeRegionBy(action.Dx, action.Dy); break;
    case CaptureCommand::SizeRegion: SizeRegionBy(action.Dx, action.Dy); break;
    case CaptureCommand::MovePointer: NudgePointerBy(action.Dx, action.Dy); break;
    case CaptureCommand::Copy: ToolbarClick(kCopyButton); break;
    case CaptureCommand::Save: ToolbarClick(kSaveButton); break;
    case CaptureCommand::Undo: ToolbarClick(kUndoButton); break;
    case CaptureCommand::Redo: ToolbarClick(kRedoButton); break;
    case CaptureCommand::SelectAll: SelectAll(); break;
    case CaptureCommand::FinishText: CommitWaitingText(); break;
    // Esc comes as its character (KeyPress), once.
    case CaptureCommand::Close:
    case CaptureCommand::None: break;
  }
}

void CaptureSession::PlaceRegion(const FrameRect& frame) {
  overlay_.Frame = frame;
  state_.captureMode = CaptureMode::Move;
  state_.anchorX = frame.Left;
  state_.anchorY = frame.Top;
  overlay_.SizeText = SizeText(frame.Width, frame.Height);
  overlay_.FrameVisible = true;
  overlay_.LabelsVisible = true;
  PlaceLabelsAndHandles();
  ShowStrip();
  if (overlay_.PanelVisible)
    overlay_.PanelAt = layout_.Panel(overlay_.StripAt, metrics_.Strip, metrics_.Panel.Height);
  Publish();
}

// Drawn work stays where it was drawn: once anything is, the keys leave the
// region alone, as the handles do.
void CaptureSession::NudgeRegionBy(std::int32_t dx, std::int32_t dy) {
  if (HasDrawing()) return;
  FrameRect frame = overlay_.Frame;
  const PointF corner{frame.Left, frame.Top};
  const PointF topLeft = layout_.Move(corner, corner, {corner.X + static_cast<float>(dx), corner.Y + static_cast<float>(dy)},
                                      frame, metrics_.Screen.Size());
  frame.Left = topLeft.X;
  frame.Top = topLeft.Y;
  PlaceRegion(frame);
}

void CaptureSession::SizeRegionBy(std::int32_t dx, std::int32_t dy) {
  if (HasDrawing()) return;
  const FrameRect& f = overlay_.Frame;
  const PixelBox now{Pixel(f.Left), Pixel(f.Top), Pixel(f.Right()), Pixel(f.Bottom())};
  const PixelBox sized = SizeRegion(now, dx, dy, layout_.Holding(f));
  PlaceRegion({f.Left, f.Top, static_cast<float>(sized.Right) - f.Left, static_cast<float>(sized.Bottom) - f.Top});
}

void CaptureSession::NudgePointerBy(std::int32_t dx, std::int32_t dy) {
  const PixelBox screen{0, 0, metrics_.Screen.Width, metrics_.Screen.Height};
  const PixelSpot spot = NudgePointer({Pixel(pointer_.X), Pixel(pointer_.Y)}, dx, dy, screen);
  view_.PutPointer(spot);
  // As the mouse itself moved there, a band held out included.
  Move(heldButtons_, {static_cast<float>(spot.X), static_cast<float>(spot.Y)});
}

void CaptureSession::SelectAll() {
  if (HasDrawing()) return;
  std::optional<PixelBox> region;
  if (state_.captureMode == CaptureMode::Move) {
    const FrameRect& f = overlay_.Frame;
    region = PixelBox{Pixel(f.Left), Pixel(f.Top), Pixel(f.Right()), Pixel(f.Bottom())};
  }
  std::vector<PixelBox> monitors;
  for (const Monitor& monitor : layout_.Monitors()) monitors.push_back(monitor.Area);
  const PixelBox screen{0, 0, metrics_.Screen.Width, metrics_.Screen.Height};
  const PixelBox all = SelectAllTarget(region, {Pixel(pointer_.X), Pixel(pointer_.Y)}, monitors, screen);
  PlaceRegion({static_cast<float>(all.Left), static_cast<float>(all.Top), static_cast<float>(all.Width()),
               static_cast<float>(all.Height())});
}

// Drawing the undo history could not keep counts as much as stored steps.
bool CaptureSession::HasDrawing() const {
  return snapshots_.snapshotPos() > 1 || snapshots_.HoldsUnstoredDrawing() || stroke_.TextWaiting();
}

void CaptureSession::HandlePress(int, CursorPoint screenCursor) {
  // Typed text goes into the picture first; the picture is then annotated
  // and the press is ignored.
  CommitWaitingText();
  if (!HasDrawing()) state_.annotating = false;
  if (state_.annotating || state_.captureMode != CaptureMode::Move) return;
  state_.handleDragState = HandleDragState::Start;
  state_.cursorNow = screenCursor;
  state_.handlePressedAt = metrics_.Screen.ToWindow(screenCursor.x, screenCursor.y);
  pointer_ = state_.handlePressedAt;
  pointerKnown_ = true;
  const FrameRect& f = overlay_.Frame;
  state_.selLeft = f.Left;
  state_.selTop = f.Top;
  state_.selRight = f.Right();
  state_.selBottom = f.Bottom();
  overlay_.StripVisible = false;
  overlay_.PanelVisible = false;
  snapshots_.Reset();
  EndDrag();
  CloseTextBox();
  Publish();
}

void CaptureSession::HandleMove(int index, CursorPoint screenCursor) {
  view_.SetPointer(HandlePointer(index));
  if (state_.handleDragState != HandleDragState::Start) return;
  state_.cursorNow = screenCursor;
  const PointF cursor = metrics_.Screen.ToWindow(screenCursor.x, screenCursor.y);
  pointer_ = cursor;
  pointerKnown_ = true;
  const FrameEdges atPress{state_.selLeft, state_.selTop, state_.selRight, state_.selBottom};
  // The edges move with the pointer exactly and stop at size 0.
  if (const auto resized = layout_.Resize(index, atPress, state_.handlePressedAt, cursor, metrics_.Screen.Size()))
    overlay_.Frame = *resized;
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
  CloseTextBox();
  Publish();
}

void CaptureSession::Publish() {
  // A strip shown again starts without a hover frame.
  if (!overlay_.StripVisible) overlay_.HoverButton = kNoButton;
  // The outline shows only while no region is, and no button is held.
  if (state_.captureMode != CaptureMode::Draw || heldButtons_ != 0) overlay_.SnapVisible = false;
  overlay_.ChosenButton = ChosenToolButton();
  // The box shows its text as it will be drawn: colour and size as chosen now.
  stroke_.StyleBox(overlay_.CurrentColour, fontSize_);
  overlay_.Text = stroke_.Box();
  PlaceLoupeNow();
  view_.ShowOverlay(overlay_);
}

void CaptureSession::PlaceLoupeNow() {
  overlay_.Loupe.reset();
  // Only while a region's edge is being chosen: before the first press, in a band, on a held handle.
  const bool choosing = state_.captureMode == CaptureMode::Draw || state_.handleDragState == HandleDragState::Start;
  if (!pointerKnown_ || !choosing) return;
  const auto boxOf = [](PointF at, SizeF size) {
    return PixelBox{Pixel(at.X), Pixel(at.Y), Pixel(at.X + size.Width), Pixel(at.Y + size.Height)};
  };
  std::array<PixelBox, 2> avoid;
  std::size_t count = 0;
  if (overlay_.StripVisible) avoid[count++] = boxOf(overlay_.StripAt, metrics_.Strip);
  if (overlay_.PanelVisible) avoid[count++] = boxOf(overlay_.PanelAt, {overlay_.Panel.Width, metrics_.Panel.Height});
  overlay_.LoupePointer = {Pixel(pointer_.X), Pixel(pointer_.Y)};
  const std::int32_t dpi = layout_.DpiHolding(pointer_);
  overlay_.LoupeDpi = dpi > 0 ? dpi : metrics_.Dpi;
  overlay_.Loupe = PlaceLoupe(overlay_.LoupePointer.X, overlay_.LoupePointer.Y, layout_.Holding(pointer_),
                              std::span<const PixelBox>(avoid.data(), count), LoupeMetricsAt(overlay_.LoupeDpi));
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
  overlay_.PanelAt = layout_.Panel(overlay_.StripAt, metrics_.Strip, metrics_.Panel.Height);
  overlay_.Panel = ShapePanel(index, metrics_.Panel);
  // The same tool again hides the panel; another one keeps it shown.
  if (!overlay_.PanelVisible)
    overlay_.PanelVisible = true;
  else if (index == state_.currentToolIndex)
    overlay_.PanelVisible = false;
  state_.annotating = true;
  state_.currentTool = ToolOfButton(index);
  stroke_.ChooseTool(state_.currentTool);
  Publish();
}

void CaptureSession::DoubleClick(PointF at) {
  // Its own point, not an older press, must lie in a region that has pixels.
  const auto region = CopyArea(overlay_.Frame, metrics_.Screen.Size());
  if (!region || !region->Contains(Pixel(at.X), Pixel(at.Y))) return;
  CommitWaitingText();
  if (view_.CopyRegion(*region)) view_.Close();
}

void CaptureSession::AnnotationPress(MouseButton button, PointF at) { stroke_.Press(button, at, overlay_.Frame); }

void CaptureSession::AnnotationMove(PointF at) {
  if (const auto shape = stroke_.Preview(at, overlay_.Frame, overlay_.CurrentColour))
    view_.ShowPreview(*shape);
  else if (stroke_.Held())
    view_.EndPreview();  // back on its start: nothing shows
}

void CaptureSession::AnnotationRelease(MouseButton button, PointF at) {
  const bool held = stroke_.Held();
  const StrokeModel::Result result = stroke_.Release(button, at, overlay_.Frame, overlay_.CurrentColour);
  if (held && !stroke_.Held()) view_.EndPreview();
  switch (result.What) {
    case StrokeModel::Outcome::Shape:
      view_.DrawAnnotation(result.Drawn);
      Commit();
      break;
    case StrokeModel::Outcome::Text:
      view_.DrawBoxText(result.Box);
      Commit();
      break;
    default: break;
  }
  Publish();
}

void CaptureSession::EndDrag() {
  if (stroke_.EndDrag()) view_.EndPreview();
}

void CaptureSession::MouseLost() {
  heldButtons_ = 0;
  EndDrag();
}

void CaptureSession::CommitWaitingText() {
  if (!stroke_.Box().Visible) return;
  if (const auto text = stroke_.TakeText()) {
    view_.DrawBoxText(*text);
    Commit();
  }
  Publish();
}

void CaptureSession::CloseTextBox() { stroke_.TakeText(); }

void CaptureSession::Commit() { PushSnapshot(); }

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
  // Half typed ("2" on the way to "24") it is no size yet.
  sizeText_ = text;
  overlay_.FontSizeText = sizeText_;
}

void CaptureSession::SizeTextDone() {
  // Anything but a whole size from 1 to 500 gives way to the size in force.
  if (const auto size = ParseFontSize(sizeText_)) fontSize_ = *size;
  sizeText_ = SizeTextOf(fontSize_);
  overlay_.FontSizeText = sizeText_;
  Publish();
}

void CaptureSession::SizeChosen(std::wstring_view text) {
  SizeTextChanged(text);
  SizeTextDone();
}

void CaptureSession::TextBoxChanged(std::wstring_view text) { stroke_.SetText(text); }

}  // namespace quillane::capture
