#pragma once
// The capture window's state and what its mouse, handles and keys do, kept
// apart from the window: the window hands its events in and shows the
// overlay the session describes. One session is one opening; every field
// starts from the values below and nothing carries over.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/annotation.h"
#include "capture/capture_geometry.h"
#include "capture/capture_keys.h"
#include "capture/capture_pickers.h"
#include "capture/capture_toolbar.h"
#include "capture/loupe.h"
#include "capture/monitor_list.h"
#include "capture/snapshot_store.h"
#include "capture/stroke_model.h"
#include "capture/window_snap.h"

namespace quillane::capture {

enum class CaptureMode {
  Draw,  // no region fixed yet: a press starts a rubber band
  Move,  // a region is fixed and can be moved, resized or annotated
};

enum class HandleDragState {
  None,   // no handle pressed since the opening
  Start,  // a handle is held down
  Stop,   // released
};

struct CursorPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The fields every handler of the window shares.
struct CaptureState {
  CaptureMode captureMode = CaptureMode::Draw;
  HandleDragState handleDragState = HandleDragState::None;
  bool annotating = false;
  AnnotationTool currentTool = AnnotationTool::None;
  std::int32_t currentToolIndex = 0;
  float anchorX = 0;
  float anchorY = 0;
  float grabX = 0;
  float grabY = 0;
  PixelBox selRect;
  float selLeft = 0;
  float selTop = 0;
  float selRight = 0;
  float selBottom = 0;
  CursorPoint cursorNow;  // screen pixels
  PointF handlePressedAt;  // the pointer at the handle's press, window pixels
  std::int32_t keepOpenOnRightUp = 0;
};

// What the window shows over the frozen picture. The session changes it and
// hands it over once per event; the window redraws only what differs.
struct Overlay {
  bool FrameVisible = false;  // `Shape1`
  FrameRect Frame;
  // Before a region exists: the window (or bare monitor) under the pointer,
  // which a click without a drag selects.
  bool SnapVisible = false;
  PixelBox Snap;
  // The dots per inch the handles, labels, strip and panel are laid out at.
  std::int32_t Dpi = 96;
  bool LabelsVisible = false;  // `LblPos` and `lblInfo`
  PointF SizeLabelAt;
  PointF InfoLabelAt;
  std::wstring SizeText = L"宽X高";
  std::wstring InfoText = L"Label2";
  bool HandlesVisible = false;  // `Image1`(0..7)
  std::array<PointF, kHandleCount> Handles{};
  bool StripVisible = false;  // `Picture1`
  PointF StripAt;
  int HoverButton = kNoButton;  // the one hover frame `Shape3` shown
  int ChosenButton = kNoButton;  // the chosen drawing tool's button keeps a frame
  bool PanelVisible = false;    // `Picture2`, the tool options
  PointF PanelAt;
  PanelShape Panel;
  // The pickers in it: `Pcolor`(16)'s colour, the swatches' borders and the
  // face `PicCombox`'s picture.
  std::uint32_t CurrentColour = kStartColour;
  std::array<bool, kSwatchCount> SwatchBorders{};
  FaceLook Face = FaceLook::Normal;
  std::wstring FontSizeText{kStartSizeText};  // `Text1`
  TextBox Text;  // `TextEdit`
  // The loupe, while no region is fixed or a handle is dragged: its place
  // (nothing: hidden) and the pixel it enlarges, the pointer's.
  std::optional<PixelBox> Loupe;
  PixelSpot LoupePointer;
  std::int32_t LoupeDpi = 96;  // its sizes: the dpi of the monitor under the pointer
};

// The window as the session drives it.
class CaptureView {
 public:
  virtual ~CaptureView() = default;
  virtual void ShowOverlay(const Overlay& overlay) = 0;
  // The pointer for the whole application.
  virtual void SetPointer(Pointer shape) = 0;
  // The drawing surface's pixel (0x00BBGGRR), or kNoPixel when it cannot be read.
  virtual std::uint32_t PixelAt(std::int32_t x, std::int32_t y) = 0;
  // Unloads the window; the session is not used afterwards.
  virtual void Close() = 0;
  // Puts that part of the composed picture on the clipboard; false when it
  // could not, after telling the user.
  virtual bool CopyRegion(const PixelBox& region) = 0;
  // Copies it, asks for a file and writes it there; true when the region is
  // safe (in the file or still on the clipboard) and the window may close.
  virtual bool SaveRegion(const PixelBox& region) = 0;

  // The shape being dragged, drawn on the shown window only, in place of the
  // previous one; EndPreview erases it. Neither touches the picture.
  virtual void ShowPreview(const Annotation& shape) = 0;
  virtual void EndPreview() = 0;
  // Draws into the picture (the backing image); a snapshot is pushed next.
  virtual void DrawAnnotation(const Annotation& shape) = 0;
  // Draws the shown text box's text into the picture where the box shows
  // it, in its font and colour; a snapshot is pushed next.
  virtual void DrawBoxText(const TextBox& box) = 0;
  // Opens `Combo1`'s list when it is closed, closes it when it is open.
  virtual void ToggleSizeList() = 0;
  // Tells the user something went wrong that costs no work (a warning).
  virtual void Warn(std::wstring_view text) = 0;
  // Closes the list if it is open; true when it was.
  virtual bool CloseSizeList() = 0;
  // Puts the system's pointer on that window pixel (the keys' fine steps).
  virtual void PutPointer(PixelSpot) {}
};

// What the user is told, once a capture, when undo cannot keep a step.
inline constexpr std::wstring_view kStepNotStored =
    L"撤销记录存不下这一步（内存不足或屏幕太大）。画好的内容都留在截图上，但无法撤销到这一步之前。";

// The handles, the size label, the strip and the options panel at one dpi, in pixels.
struct CaptureParts {
  SizeF Handle{4, 4};
  SizeF Strip;
  float SizeLabelHeight = 0;
  PanelMetrics Panel;
};
// A handle's side in the design.
inline constexpr int kHandleTwips = 60;
// The parts as designed at that dpi, with a size label `labelHeight` high
// (its font's line at that dpi).
CaptureParts DesignedParts(Dpi dpi, float labelHeight);

// Sizes the session needs from the window, in pixels.
struct CaptureMetrics {
  ScreenArea Screen;  // what the window covers
  SizeF Handle{4, 4};
  SizeF Strip;
  float SizeLabelHeight = 0;
  PanelMetrics Panel;
  // In window pixels; none: the whole screen is one monitor.
  std::vector<Monitor> Monitors;
  // The windows as the screen froze, in window pixels; none: clicks never snap.
  SnapTargets Snap;
  // The dots per inch of the sizes above, which a monitor of unknown dpi keeps.
  std::int32_t Dpi = 96;
  // The parts at another dpi: they take the dpi of the monitor holding the
  // region. None: they keep the sizes above on every monitor.
  std::function<CaptureParts(std::int32_t dpi)> PartsAt;
};

class CaptureSession {
 public:
  CaptureSession(CaptureView& view, SnapshotPicture& picture, const CaptureMetrics& metrics);

  // The opening steps after the screen is frozen into the window's picture:
  // the strip above the window and hidden, the cross-hair, a fresh undo
  // history at step 1 (the frozen picture itself) and the state table.
  void Open();

  // The window's own mouse events, X and Y in window pixels.
  void Press(MouseButton button, PointF at);
  void Move(unsigned buttons, PointF at);
  void Release(MouseButton button, PointF at);
  // A key's character code; Esc (27) closes the window.
  void KeyPress(int code);
  // A key going down (a virtual-key code) with Ctrl and Shift as held:
  // nudges, sizes, copies, saves, undoes, selects all (capture_keys.h).
  void KeyDown(int virtualKey, bool ctrl, bool shift);

  // The handles' events, with the cursor in screen pixels.
  void HandlePress(int index, CursorPoint screenCursor);
  void HandleMove(int index, CursorPoint screenCursor);
  void HandleRelease(int index);

  // The toolbar: the pointer over button `index` (kNoButton: over the strip
  // between buttons), the pointer gone from the strip, a click on a button.
  void ToolbarHover(int index);
  void ToolbarLeave();
  void ToolbarClick(int index);
  // The pointer over the options panel.
  void PanelHover();
  // The palette: the pointer over swatch `index` (0..15), the current-colour
  // box (16) or the panel between them (kNoSwatch); a release over one.
  void PaletteHover(int index);
  void PaletteRelease(int index);
  // The font-size panel: the pointer over the face or beside it; a press on the face.
  void FontPanelHover(bool overFace);
  void FacePress();
  // `Text1`'s text as it changes; it takes effect when it is done (Enter,
  // the focus gone) or chosen from the list.
  void SizeTextChanged(std::wstring_view text);
  void SizeTextDone();
  void SizeChosen(std::wstring_view text);
  // `TextEdit`'s text as it changes.
  void TextBoxChanged(std::wstring_view text);
  // The window lost the mouse in the middle of a drag: the drag ends
  // without drawing anything.
  void MouseLost();
  // A double-click at `at` copies the region and closes when it lands inside it.
  void DoubleClick(PointF at);

  // The snapshot store's steps as the toolbar and the drawing tools use them.
  bool PushSnapshot();
  // Undo at the clean desktop discards the region instead.
  void Undo();
  void Redo();

  const CaptureState& State() const { return state_; }
  const StrokeModel& Stroke() const { return stroke_; }
  // Something drawn is on the picture or typed text waits in its box: no
  // mouse release may then end the capture, and the handles keep still.
  bool HasDrawing() const;
  // The size text and the font size it last gave (points).
  const std::wstring& FontSizeText() const { return sizeText_; }
  float FontSize() const { return fontSize_; }
  const Overlay& Shown() const { return overlay_; }
  const SnapshotStore& Snapshots() const { return snapshots_; }
  // The sizes in force: those of the monitor holding the region.
  const CaptureMetrics& Metrics() const { return metrics_; }

 private:
  void CancelRegion(PointF at);
  void DiscardRegion();
  void PlaceLabelsAndHandles();
  void ShowStrip();
  // The parts take the dpi of the monitor holding `frame`.
  void TakeDpiOf(const FrameRect& frame);
  void UseDpi(std::int32_t dpi);
  // The chosen drawing tool's button; kNoButton while none is.
  int ChosenToolButton() const;
  void ChooseTool(int index);
  // The region's frame is now `frame`: labels, handles, strip and panel follow.
  void PlaceRegion(const FrameRect& frame);
  void NudgeRegionBy(std::int32_t dx, std::int32_t dy);
  void SizeRegionBy(std::int32_t dx, std::int32_t dy);
  void NudgePointerBy(std::int32_t dx, std::int32_t dy);
  void SelectAll();
  void Publish();
  // The loupe beside the pointer, or hidden, as the state wants it.
  void PlaceLoupeNow();
  void AnnotationPress(MouseButton button, PointF at);
  void AnnotationMove(PointF at);
  void AnnotationRelease(MouseButton button, PointF at);
  // Ends a drag and its preview; the text tool's waiting box stays.
  void EndDrag();
  // Draws the waiting text and pushes it as a step; an empty box is only hidden.
  void CommitWaitingText();
  void CloseTextBox();
  void Commit();
  // Once a capture: the undo history could not keep something.
  void WarnNotStored(std::wstring_view text);

  CaptureView& view_;
  CaptureMetrics metrics_;
  std::int32_t partsDpi_ = metrics_.Dpi;  // the dpi of metrics_'s parts
  ScreenLayout layout_;
  CaptureState state_;
  StrokeModel stroke_;
  Overlay overlay_;
  std::wstring sizeText_{kStartSizeText};
  float fontSize_ = kStartFontSize;
  SnapshotStore snapshots_;
  bool warnedNotStored_ = false;
  std::optional<PixelBox> pressSnap_;  // what a click without a drag selects
  PointF pointer_;          // where the last mouse event was
  bool pointerKnown_ = false;  // no mouse event yet: no loupe
  unsigned heldButtons_ = 0;  // MouseButton bits held down now
};

}  // namespace quillane::capture
