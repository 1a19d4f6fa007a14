#include "capture/capture_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "capture_picture_fake.h"

namespace quillane::capture {
namespace {

class RecordingView final : public CaptureView {
 public:
  std::vector<Pointer> Pointers;
  int OverlaysShown = 0;
  int Closed = 0;
  std::vector<PixelBox> Copied;
  std::vector<PixelBox> Saved;
  bool CopyWorks = true;  // false: the clipboard was busy
  bool SaveSafe = true;   // false: the region is neither in a file nor on the clipboard
  std::function<std::uint32_t(std::int32_t, std::int32_t)> Pixels = [](std::int32_t x, std::int32_t y) {
    return static_cast<std::uint32_t>(x & 0xFF) | static_cast<std::uint32_t>(y & 0xFF) << 8;
  };

  void ShowOverlay(const Overlay&) override { ++OverlaysShown; }
  void SetPointer(Pointer shape) override { Pointers.push_back(shape); }
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) override { return Pixels(x, y); }
  void Close() override { ++Closed; }
  bool CopyRegion(const PixelBox& region) override {
    Copied.push_back(region);
    return CopyWorks;
  }
  bool SaveRegion(const PixelBox& region) override {
    Saved.push_back(region);
    return SaveSafe;
  }
  void ShowPreview(const Annotation& shape) override {
    Previewing = true;
    Previews.push_back(shape);
  }
  void EndPreview() override { Previewing = false; }
  void DrawAnnotation(const Annotation& shape) override { Drawn.push_back(shape); }
  void DrawBoxText(const TextBox& box) override { Texts.push_back(box); }
  void ToggleSizeList() override { ListOpen = !ListOpen; }
  bool CloseSizeList() override { return std::exchange(ListOpen, false); }
  void Warn(std::wstring_view text) override { Warnings.emplace_back(text); }
  void PutPointer(PixelSpot at) override { PutAt.push_back(at); }
  std::vector<std::wstring> Warnings;
  std::vector<PixelSpot> PutAt;
  std::vector<Annotation> Previews;
  bool Previewing = false;
  std::vector<Annotation> Drawn;
  std::vector<TextBox> Texts;
  bool ListOpen = false;
  Pointer LastPointer() const { return Pointers.empty() ? Pointer::Default : Pointers.back(); }
};

constexpr unsigned kLeft = 1;
using MouseButton::Left;
using MouseButton::Middle;
using MouseButton::Right;

class CaptureSessionTest : public ::testing::Test {
 protected:
  explicit CaptureSessionTest(ScreenArea screen = {0, 0, 1280, 800}, std::vector<Monitor> monitors = {})
      : session(view, picture, {screen, {4, 4}, {241, 26}, 14, DesignedPanel({96, 96}), std::move(monitors)}) {}
  void SetUp() override { ASSERT_TRUE(session.Open()); }

  // Drags out a region from `from` to `to` with the left button.
  void DragOut(PointF from, PointF to) {
    session.Press(Left, from);
    session.Move(kLeft, to);
    session.Release(Left, to);
  }
  const Overlay& Shown() const { return session.Shown(); }
  const CaptureState& State() const { return session.State(); }

  RecordingView view;
  testing::FakePicture picture;
  CaptureSession session;
};

TEST_F(CaptureSessionTest, OpeningStartsFromTheStateTable) {
  const CaptureState& s = State();
  EXPECT_EQ(s.captureMode, CaptureMode::Draw);
  EXPECT_EQ(s.handleDragState, HandleDragState::None);
  EXPECT_FALSE(s.annotating);
  EXPECT_EQ(s.currentTool, AnnotationTool::None);
  EXPECT_EQ(s.currentToolIndex, 0);
  EXPECT_FALSE(session.Stroke().Active());
  EXPECT_EQ(s.keepOpenOnRightUp, 0);
  EXPECT_EQ(session.Snapshots().snapshotPos(), 1);
  EXPECT_EQ(session.Snapshots().snapshotTop(), 1);
  EXPECT_EQ(testing::FakePicture::Content(session.Snapshots().Entry(1)), 1u);
  EXPECT_FALSE(Shown().StripVisible);
  EXPECT_EQ(Shown().StripAt.Y, -26);
  EXPECT_FALSE(Shown().FrameVisible || Shown().LabelsVisible || Shown().HandlesVisible);
  EXPECT_EQ(view.LastPointer(), Pointer::Cross);
  EXPECT_EQ(view.OverlaysShown, 1);
}

TEST_F(CaptureSessionTest, ARubberBandShowsFrameLabelsAndHandlesAndTheReleaseShowsTheStrip) {
  session.Press(Left, {420, 340});
  EXPECT_TRUE(Shown().FrameVisible);
  EXPECT_EQ(Shown().Frame, (FrameRect{420, 340, 0, 0}));
  session.Move(kLeft, {100, 100});  // up-left of the anchor
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 320, 240}));
  EXPECT_EQ(Shown().SizeText, L"320x240");
  EXPECT_EQ(Shown().SizeLabelAt, (PointF{102, 102}));
  EXPECT_EQ(Shown().InfoLabelAt, (PointF{102, 118}));
  EXPECT_TRUE(Shown().FrameVisible && Shown().LabelsVisible && Shown().HandlesVisible);
  EXPECT_EQ(Shown().Handles[6], (PointF{418, 338}));
  EXPECT_EQ(view.LastPointer(), Pointer::Cross);
  EXPECT_FALSE(Shown().StripVisible);
  // On the anchor's column the frame is 0 wide there, and the label says so.
  session.Move(kLeft, {420, 300});
  EXPECT_EQ(Shown().Frame, (FrameRect{420, 300, 0, 40}));
  EXPECT_EQ(Shown().SizeText, L"0x40");
  session.Move(kLeft, {740, 580});
  session.Release(Left, {740, 580});
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  EXPECT_EQ(State().anchorX, 420);
  EXPECT_EQ(State().anchorY, 340);
  EXPECT_TRUE(Shown().StripVisible);
  EXPECT_EQ(Shown().StripAt, (PointF{499, 584}));
  EXPECT_EQ(view.Closed, 0);
}

TEST_F(CaptureSessionTest, ARegionMovesWithTheGrabPointAndKeepsItsLabel) {
  DragOut({100, 100}, {420, 340});
  session.Press(Left, {200, 200});
  EXPECT_FALSE(Shown().StripVisible);
  EXPECT_EQ(State().grabX, 200);
  session.Move(kLeft, {250, 230});
  EXPECT_EQ(Shown().Frame, (FrameRect{150, 130, 320, 240}));
  EXPECT_EQ(Shown().SizeText, L"320x240");
  EXPECT_EQ(Shown().SizeLabelAt, (PointF{152, 132}));
  EXPECT_EQ(view.LastPointer(), Pointer::Move);
  session.Move(kLeft, {2000, -500});  // pinned to the right and top edges
  EXPECT_EQ(Shown().Frame, (FrameRect{960, 0, 320, 240}));
  session.Release(Left, {2000, -500});
  EXPECT_EQ(State().anchorX, 960);
  EXPECT_EQ(State().anchorY, 0);
  EXPECT_EQ(Shown().StripAt, (PointF{1039, 244}));
  EXPECT_TRUE(Shown().StripVisible);
}

TEST_F(CaptureSessionTest, PressesOnTheEdgesAndThePointerShapes) {
  DragOut({100, 100}, {420, 340});
  session.Move(0, {100, 200});  // on the left edge: not strictly inside
  EXPECT_EQ(view.LastPointer(), Pointer::Cross);
  session.Move(0, {101, 200});
  EXPECT_EQ(view.LastPointer(), Pointer::Move);
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 320, 240}));  // moves without the left button change nothing
  session.Press(Left, {100, 100});  // the top-left corner grabs
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  EXPECT_EQ(State().grabX, 100);
  EXPECT_EQ(State().selRect.Right, 420);
  session.Release(Left, {100, 100});
  session.Press(Left, {420, 200});  // the right edge is outside: the region goes
  EXPECT_EQ(State().captureMode, CaptureMode::Draw);
  EXPECT_FALSE(Shown().FrameVisible || Shown().LabelsVisible || Shown().HandlesVisible);
  EXPECT_EQ(view.LastPointer(), Pointer::Default);
  EXPECT_EQ(State().keepOpenOnRightUp, 1);
  // Moving on with the button held rubber-bands a new region from that press.
  session.Move(kLeft, {500, 260});
  EXPECT_EQ(Shown().Frame, (FrameRect{420, 200, 80, 60}));
  EXPECT_TRUE(Shown().FrameVisible);
}

TEST_F(CaptureSessionTest, ARightClickCancelsTheRegionAndASecondOneCloses) {
  DragOut({100, 100}, {420, 340});
  session.Press(Right, {200, 200});
  EXPECT_EQ(State().captureMode, CaptureMode::Draw);
  EXPECT_EQ(State().keepOpenOnRightUp, 1);
  EXPECT_FALSE(Shown().FrameVisible || Shown().StripVisible || Shown().HandlesVisible);
  session.Release(Right, {200, 200});
  EXPECT_EQ(view.Closed, 0);
  EXPECT_FALSE(Shown().StripVisible);  // only a left release shows it
  session.Press(Right, {200, 200});
  EXPECT_EQ(State().keepOpenOnRightUp, 0);
  session.Release(Right, {200, 200});
  EXPECT_EQ(view.Closed, 1);
}

TEST_F(CaptureSessionTest, AMiddleClickOnARegionKeepsItAndWithNoRegionClosesLikeTheRight) {
  DragOut({100, 100}, {420, 340});
  for (const PointF at : {PointF{300, 300}, PointF{600, 600}}) {
    session.Press(Middle, at);
    session.Release(Middle, at);
  }
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  EXPECT_TRUE(Shown().StripVisible && Shown().FrameVisible);
  EXPECT_EQ(view.Closed, 0);
  ASSERT_TRUE(session.Open());  // no region yet
  session.Press(Middle, {300, 300});
  session.Release(Middle, {300, 300});
  EXPECT_EQ(view.Closed, 1);
}

TEST_F(CaptureSessionTest, AClickWithoutADragFixesAnEmptyRegionWithTheStripNextToIt) {
  session.Press(Left, {50, 60});
  session.Release(Left, {50, 60});
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  EXPECT_EQ(Shown().Frame, (FrameRect{50, 60, 0, 0}));
  EXPECT_FALSE(Shown().LabelsVisible || Shown().HandlesVisible);
  EXPECT_TRUE(Shown().StripVisible);
  EXPECT_EQ(Shown().StripAt, (PointF{0, 64}));
}

TEST_F(CaptureSessionTest, TheReadoutFollowsEveryMoveAndKeepsItsTextWhenAPixelCannotBeRead) {
  session.Move(0, {17.4f, 34.6f});
  EXPECT_EQ(Shown().InfoText, L"RGB(17,35,0)");
  DragOut({10, 10}, {60, 60});
  view.Pixels = [](std::int32_t, std::int32_t) { return kNoPixel; };
  session.Move(kLeft, {-5, -5});
  EXPECT_EQ(Shown().InfoText, L"RGB(60,60,0)");
}

TEST_F(CaptureSessionTest, EscClosesAndOtherKeysDoNothing) {
  session.KeyPress('a');
  session.KeyPress(13);
  EXPECT_EQ(view.Closed, 0);
  session.KeyPress(27);
  EXPECT_EQ(view.Closed, 1);
}

TEST_F(CaptureSessionTest, HandlesWorkOnlyOnAFixedRegionAndTheirReleaseAlwaysShowsTheStrip) {
  session.HandlePress(6, {500, 500});
  EXPECT_EQ(State().handleDragState, HandleDragState::None);
  session.HandleMove(6, {500, 500});
  EXPECT_EQ(view.LastPointer(), Pointer::SizeNWSE);  // hovering sets the shape only
  EXPECT_EQ(Shown().Frame, (FrameRect{}));
  session.HandleRelease(6);
  EXPECT_EQ(State().handleDragState, HandleDragState::Stop);
  EXPECT_TRUE(Shown().StripVisible);
}

TEST_F(CaptureSessionTest, AHandleDragResizesAndStopsAtTheOppositeEdge) {
  DragOut({100, 100}, {420, 340});
  session.HandlePress(6, {419, 339});  // anywhere on the handle
  EXPECT_EQ(State().handleDragState, HandleDragState::Start);
  EXPECT_FALSE(Shown().StripVisible);
  session.HandleMove(6, {519, 399});
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 420, 300}));
  EXPECT_EQ(Shown().SizeText, L"420x300");
  EXPECT_EQ(Shown().Handles[6], (PointF{518, 398}));
  session.HandleMove(6, {99, 249});
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 0, 150}));
  session.HandleMove(6, {20, 30});  // past the left and top edges in one move: stops at size 0
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 0, 0}));
  EXPECT_EQ(Shown().SizeText, L"0x0");
  session.HandleRelease(6);
  EXPECT_EQ(Shown().StripAt, (PointF{0, 104}));
  EXPECT_TRUE(Shown().StripVisible);
}

TEST_F(CaptureSessionTest, EveryHandleDraggedOutAndBackLeavesTheRegionAsItWasAndStopsAtSizeZero) {
  DragOut({200, 150}, {400, 300});
  const FrameRect start{200, 150, 200, 150};
  for (int handle = 0; handle < kHandleCount; ++handle) {
    SCOPED_TRACE(handle);
    const PointF h = Shown().Handles[static_cast<std::size_t>(handle)];
    const CursorPoint pressed{static_cast<std::int32_t>(h.X) + 1, static_cast<std::int32_t>(h.Y) + 1};
    session.HandlePress(handle, pressed);
    for (const CursorPoint away : {CursorPoint{pressed.x + 37, pressed.y - 23}, CursorPoint{pressed.x - 61, pressed.y + 45}})
      session.HandleMove(handle, away);
    session.HandleMove(handle, pressed);
    EXPECT_EQ(Shown().Frame, start);
    session.HandleRelease(handle);
    // One fast move far past the opposite edges: the dragged edges stop on them.
    session.HandlePress(handle, pressed);
    const DraggedEdges edges = EdgesOfHandle(handle);
    session.HandleMove(handle, {edges.Left ? 900 : edges.Right ? 5 : pressed.x, edges.Top ? 700 : edges.Bottom ? 5 : pressed.y});
    const FrameRect f = Shown().Frame;
    EXPECT_EQ(f.Width, edges.Left || edges.Right ? 0 : 200);
    EXPECT_EQ(f.Height, edges.Top || edges.Bottom ? 0 : 150);
    EXPECT_EQ(f.Left, edges.Left ? 400 : 200);
    EXPECT_EQ(f.Top, edges.Top ? 300 : 150);
    session.HandleMove(handle, pressed);
    session.HandleRelease(handle);
    ASSERT_EQ(Shown().Frame, start);
  }
}

TEST_F(CaptureSessionTest, HandlesAndDragsReachTheScreensLastRowAndColumnAndStayOnTheScreen) {
  // A drag from the first pixel to the last one takes the whole screen; an ordinary one keeps its size.
  for (const auto& [from, to] : {std::pair{PointF{0, 0}, PointF{1279, 799}}, std::pair{PointF{1279, 799}, PointF{0, 0}}}) {
    ASSERT_TRUE(session.Open());
    DragOut(from, to);
    EXPECT_EQ(Shown().Frame, (FrameRect{0, 0, 1280, 800}));
  }
  ASSERT_TRUE(session.Open());
  DragOut({100, 100}, {420, 340});
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 320, 240}));
  // The bottom-right handle pressed just outside the corner, dragged to the last pixel.
  session.HandlePress(6, {420, 340});
  session.HandleMove(6, {1279, 799});
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 1180, 700}));
  session.HandleRelease(6);
  // The top-left one pressed off its middle, dragged to the first pixel and beyond.
  session.HandlePress(0, {101, 101});
  session.HandleMove(0, {0, 0});
  EXPECT_EQ(Shown().Frame, (FrameRect{0, 0, 1280, 800}));
  session.HandleMove(0, {-300, -300});
  EXPECT_EQ(Shown().Frame, (FrameRect{0, 0, 1280, 800}));
  session.HandleRelease(0);
}

TEST_F(CaptureSessionTest, AHandlePressDropsEveryAnnotationStep) {
  DragOut({100, 100}, {420, 340});
  picture.Draw(2);
  ASSERT_TRUE(session.PushSnapshot());
  picture.Draw(3);
  ASSERT_TRUE(session.PushSnapshot());
  session.Undo();
  session.Undo();
  EXPECT_EQ(session.Snapshots().snapshotPos(), 1);
  EXPECT_EQ(session.Snapshots().snapshotTop(), 3);
  session.HandlePress(1, {260, 100});
  EXPECT_EQ(session.Snapshots().snapshotTop(), 1);
  EXPECT_EQ(session.Snapshots().LastIndex(), 1);
  session.Redo();
  EXPECT_EQ(picture.Composed, 1u);
}

TEST_F(CaptureSessionTest, UndoAtTheCleanDesktopDiscardsTheRegion) {
  DragOut({100, 100}, {420, 340});
  session.Undo();
  EXPECT_EQ(State().captureMode, CaptureMode::Draw);
  EXPECT_FALSE(Shown().FrameVisible || Shown().StripVisible || Shown().LabelsVisible || Shown().HandlesVisible);
  EXPECT_EQ(Shown().Frame.Width, 0);
  EXPECT_EQ(Shown().Frame.Height, 0);
  EXPECT_EQ(session.Snapshots().snapshotPos(), 1);
}

TEST_F(CaptureSessionTest, HoverFramesFollowThePointerOneAtATime) {
  DragOut({100, 100}, {420, 340});
  EXPECT_EQ(Shown().HoverButton, kNoButton);
  session.ToolbarHover(kRedoButton);
  EXPECT_EQ(Shown().HoverButton, kRedoButton);
  EXPECT_EQ(view.LastPointer(), Pointer::Arrow);
  session.ToolbarHover(kSaveButton);  // straight onto the next one
  EXPECT_EQ(Shown().HoverButton, kSaveButton);
  session.ToolbarHover(kNoButton);  // the strip between buttons
  EXPECT_EQ(Shown().HoverButton, kNoButton);
  session.ToolbarHover(kUndoButton);
  session.ToolbarLeave();
  EXPECT_EQ(Shown().HoverButton, kNoButton);
  session.ToolbarHover(kUndoButton);
  session.Press(Left, {200, 200});  // the strip hides, and shows again without the frame
  session.Release(Left, {200, 200});
  EXPECT_EQ(Shown().HoverButton, kNoButton);
}

TEST_F(CaptureSessionTest, ToolsShapeAndToggleTheOptionsPanel) {
  DragOut({100, 100}, {420, 340});
  const PanelMetrics panel = DesignedPanel({96, 96});
  session.ToolbarClick(kRectangleTool);
  EXPECT_TRUE(State().annotating);
  EXPECT_EQ(State().currentTool, AnnotationTool::Rectangle);
  EXPECT_EQ(State().currentToolIndex, kRectangleTool);
  EXPECT_TRUE(Shown().PanelVisible);
  EXPECT_EQ(Shown().PanelAt, (PointF{179, 344 + 26 + 3}));
  EXPECT_EQ(Shown().Panel, ShapePanel(kRectangleTool, panel));
  session.ToolbarClick(kTextTool);  // another tool: shown and reshaped
  EXPECT_TRUE(Shown().PanelVisible);
  EXPECT_EQ(Shown().Panel, ShapePanel(kTextTool, panel));
  EXPECT_EQ(State().currentTool, AnnotationTool::Text);
  session.ToolbarClick(kTextTool);  // the same tool again: hidden, still chosen
  EXPECT_FALSE(Shown().PanelVisible);
  EXPECT_TRUE(State().annotating);
  EXPECT_EQ(State().currentTool, AnnotationTool::Text);
  session.ToolbarClick(kTextTool);
  EXPECT_TRUE(Shown().PanelVisible);
  for (const int tool : {kArrowTool, kEllipseTool}) {
    session.ToolbarClick(tool);
    EXPECT_EQ(State().currentTool, ToolOfButton(tool));
  }
  EXPECT_EQ(view.Closed, 0);
}

TEST_F(CaptureSessionTest, NearTheScreensBottomThePanelOpensAboveTheStrip) {
  DragOut({100, 600}, {420, 790});  // the strip goes inside the region's bottom edge
  ASSERT_EQ(Shown().StripAt.Y, 790 - 26 - 4);
  session.ToolbarClick(kArrowTool);
  EXPECT_EQ(Shown().PanelAt.Y, 760 - 3 - DesignedPanel({96, 96}).Height);
}

TEST_F(CaptureSessionTest, AnUndoClickMakesTheSameToolAgainKeepThePanel) {
  DragOut({100, 100}, {420, 340});
  session.ToolbarClick(kRectangleTool);
  for (std::uint32_t step : {2u, 3u}) {
    picture.Draw(step);
    ASSERT_TRUE(session.PushSnapshot());
  }
  session.ToolbarClick(kUndoButton);
  EXPECT_EQ(picture.Composed, 2u);
  EXPECT_EQ(State().currentToolIndex, kUndoButton);
  session.ToolbarClick(kRectangleTool);
  EXPECT_TRUE(Shown().PanelVisible);
}

TEST_F(CaptureSessionTest, UndoAndRedoFromTheToolbar) {
  DragOut({100, 100}, {420, 340});
  session.ToolbarClick(kRedoButton);  // nothing undone: nothing changes
  EXPECT_EQ(session.Snapshots().snapshotPos(), 1);
  EXPECT_EQ(picture.Composed, 1u);
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  session.ToolbarClick(kEllipseTool);
  picture.Draw(2);
  ASSERT_TRUE(session.PushSnapshot());
  session.ToolbarClick(kUndoButton);
  EXPECT_EQ(picture.Composed, 1u);
  EXPECT_TRUE(Shown().FrameVisible);
  session.ToolbarClick(kRedoButton);
  EXPECT_EQ(picture.Composed, 2u);
  session.ToolbarClick(kUndoButton);
  session.ToolbarClick(kUndoButton);  // at the clean desktop: the region goes, panel and all
  EXPECT_EQ(State().captureMode, CaptureMode::Draw);
  EXPECT_FALSE(State().annotating);
  EXPECT_FALSE(Shown().FrameVisible || Shown().StripVisible || Shown().PanelVisible || Shown().HandlesVisible);
  EXPECT_EQ(session.Snapshots().snapshotPos(), 1);
  EXPECT_EQ(view.Closed, 0);
}

TEST_F(CaptureSessionTest, CopySaveAndCloseEndTheCaptureOnlyWhenTheRegionIsSafe) {
  struct Case {
    int Button;
    bool Works;
    int Closed;
  };
  for (const Case c : {Case{kCopyButton, true, 1}, Case{kCopyButton, false, 0}, Case{kSaveButton, true, 1},
                       Case{kSaveButton, false, 0}, Case{kCloseButton, true, 1}}) {
    SCOPED_TRACE(c.Button * 10 + c.Works);
    view = RecordingView{};
    view.CopyWorks = view.SaveSafe = c.Works;
    ASSERT_TRUE(session.Open());
    DragOut({100.4f, 99.6f}, {420.5f, 340});
    session.ToolbarClick(c.Button);
    EXPECT_EQ(view.Closed, c.Closed);
    const auto& calls = c.Button == kSaveButton ? view.Saved : view.Copied;
    if (c.Button != kCloseButton) EXPECT_EQ(calls, (std::vector<PixelBox>{{100, 100, 420, 340}}));
    EXPECT_EQ(view.Copied.size() + view.Saved.size(), c.Button == kCloseButton ? 0u : 1u);
    EXPECT_EQ(State().currentToolIndex, c.Button);
  }
}

TEST_F(CaptureSessionTest, AnEmptyRegionCopiesAndSavesNothing) {
  session.Press(Left, {50, 60});
  session.Release(Left, {50, 60});
  for (const int button : {kCopyButton, kSaveButton}) session.ToolbarClick(button);
  session.DoubleClick({50, 60});
  EXPECT_TRUE(view.Copied.empty());
  EXPECT_TRUE(view.Saved.empty());
  EXPECT_EQ(view.Closed, 0);
}

TEST_F(CaptureSessionTest, ADoubleClickCopiesOnlyAtItsOwnPointInsideTheRegion) {
  DragOut({100, 100}, {420, 340});
  session.Press(Left, {200, 200});  // an older press inside
  session.Release(Left, {200, 200});
  for (const PointF outside : {PointF{420, 200}, PointF{99, 200}, PointF{600, 600}}) session.DoubleClick(outside);
  EXPECT_TRUE(view.Copied.empty());
  view.CopyWorks = false;  // a busy clipboard keeps the window
  session.DoubleClick({100, 100});
  EXPECT_EQ(view.Closed, 0);
  view.CopyWorks = true;
  session.DoubleClick({419, 339});
  EXPECT_EQ(view.Copied, (std::vector<PixelBox>{{100, 100, 420, 340}, {100, 100, 420, 340}}));
  EXPECT_EQ(view.Closed, 1);
}

// A region (100, 100)-(500, 400) fixed and ready for the drawing tools.
class CaptureAnnotatingTest : public CaptureSessionTest {
 protected:
  void SetUp() override {
    CaptureSessionTest::SetUp();
    DragOut({100, 100}, {500, 400});
  }
  void Stroke(PointF from, PointF to) {
    session.Press(Left, from);
    session.Move(kLeft, to);
    session.Release(Left, to);
  }
  // The text tool's box placed at `at` with `text` typed into it.
  void StartText(PointF at, std::wstring_view text) {
    session.ToolbarClick(kTextTool);
    session.Press(Left, at);
    session.Release(Left, at);
    ASSERT_TRUE(Shown().Text.Visible);
    session.TextBoxChanged(text);
  }
  int Step() const { return session.Snapshots().snapshotPos(); }
};

TEST_F(CaptureAnnotatingTest, OnlyADragFromAPressInsideTheRegionPreviewsAndCommits) {
  for (const int tool : {kRectangleTool, kEllipseTool, kArrowTool}) {
    SCOPED_TRACE(tool);
    session.ToolbarClick(tool);
    const int step = Step();
    const std::size_t drawn = view.Drawn.size();
    view.Previews.clear();
    session.Move(kLeft, {300, 300});  // no press at all
    for (const PointF outside : {PointF{100, 200}, PointF{300, 400}, PointF{50, 50}})  // the edges are outside
      Stroke(outside, {300, 300});
    EXPECT_TRUE(view.Previews.empty());
    EXPECT_EQ(view.Drawn.size(), drawn);
    EXPECT_EQ(Step(), step);
    session.Press(Left, {150, 150});
    session.Move(kLeft, {700, 600});  // clamped to the last pixel column and row
    const Annotation expected{ToolOfButton(tool), {150, 150}, {499, 399}, kStartColour};
    ASSERT_EQ(view.Previews, (std::vector<Annotation>{expected}));
    EXPECT_TRUE(view.Previewing);
    EXPECT_EQ(view.Drawn.size(), drawn);  // the picture is untouched until the release
    session.Release(Left, {800, 900});
    EXPECT_FALSE(view.Previewing);
    EXPECT_EQ(view.Drawn.back(), expected);
    EXPECT_EQ(Step(), step + 1);
    EXPECT_FALSE(session.Stroke().Active());
    EXPECT_TRUE(Shown().StripVisible);
    session.Move(kLeft, {200, 200});  // after the release nothing follows the pointer
    EXPECT_EQ(view.Previews.size(), 1u);
  }
}

TEST_F(CaptureAnnotatingTest, AClickThatDrawsNothingAddsNoStepAndADoubleClickCopiesWithEveryTool) {
  for (const int tool : {kRectangleTool, kEllipseTool, kArrowTool, kTextTool}) {
    SCOPED_TRACE(tool);
    ASSERT_TRUE(session.Open());
    view = RecordingView{};
    DragOut({100, 100}, {500, 400});
    session.ToolbarClick(tool);
    // Two clicks: a shape tool has no shape; the text tool opens a box, then closes it empty.
    for (int click = 0; click < 2; ++click) {
      session.Press(Left, {320, 300});
      session.Move(kLeft, {320.4f, 299.6f});  // the same pixel
      session.Release(Left, {320, 300});
    }
    EXPECT_EQ(Step(), 1);
    EXPECT_TRUE(view.Drawn.empty() && view.Texts.empty() && view.Previews.empty());
    EXPECT_FALSE(Shown().Text.Visible);
    // A double-click: its first click as above, then the second press and the double-click.
    session.Press(Left, {250, 250});
    session.Release(Left, {250, 250});
    session.Press(Left, {250, 250});
    session.DoubleClick({250, 250});
    EXPECT_EQ(view.Copied, (std::vector<PixelBox>{{100, 100, 500, 400}}));
    EXPECT_EQ(view.Closed, 1);
    EXPECT_TRUE(view.Drawn.empty() && view.Texts.empty());
  }
}

TEST_F(CaptureAnnotatingTest, RightAndMiddleButtonsNeverDrawNorCloseOnceSomethingIsDrawn) {
  session.ToolbarClick(kRectangleTool);
  for (const MouseButton button : {Right, Middle}) {  // nothing drawn yet: they do nothing at all
    session.Press(button, {150, 150});
    session.Move(static_cast<unsigned>(button), {300, 300});
    session.Release(button, {300, 300});
  }
  EXPECT_TRUE(view.Previews.empty() && view.Drawn.empty());
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(view.Closed, 0);
  Stroke({150, 150}, {300, 300});
  ASSERT_EQ(Step(), 2);
  // Inside, outside, with the tool or after the undo button's click took none: the work stays.
  for (const PointF at : {PointF{200, 200}, PointF{20, 20}, PointF{700, 600}})
    for (const MouseButton button : {Right, Middle}) {
      session.Press(button, at);
      session.Release(button, at);
    }
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(view.Drawn.size(), 1u);
  EXPECT_EQ(view.Closed, 0);
  // A drag held with the left button is not ended by another button.
  session.Press(Left, {150, 150});
  session.Press(Right, {200, 200});
  session.Release(Right, {200, 200});
  session.Release(Left, {250, 260});
  EXPECT_EQ(Step(), 3);
  session.KeyPress(27);  // Esc still ends it
  EXPECT_EQ(view.Closed, 1);
}

// Steps the undo history cannot keep stay drawn, the user is told once,
// and neither undo nor a handle takes the drawing or the region away.
TEST_F(CaptureAnnotatingTest, StepsThatCannotBeStoredStayDrawnAndAreToldOnce) {
  session.ToolbarClick(kRectangleTool);
  picture.FailSerialise = true;
  Stroke({150, 150}, {250, 250});
  Stroke({160, 160}, {260, 260});
  EXPECT_EQ(view.Drawn.size(), 2u);
  EXPECT_EQ(view.Warnings, (std::vector<std::wstring>{std::wstring(kStepNotStored)}));
  EXPECT_EQ(Step(), 1);
  session.Undo();
  session.HandlePress(0, {101, 101});
  EXPECT_EQ(State().captureMode, CaptureMode::Move) << "the region with its drawing stays";
  EXPECT_TRUE(Shown().FrameVisible);
  EXPECT_EQ(State().handleDragState, HandleDragState::None) << "an annotated region keeps its size";
  EXPECT_TRUE(State().annotating);
  picture.FailSerialise = false;
  Stroke({170, 170}, {270, 270});
  EXPECT_EQ(Step(), 2);
  session.Undo();
  EXPECT_EQ(Step(), 2) << "step 1 lacks what was drawn";
  EXPECT_EQ(view.Warnings.size(), 1u);
}

TEST_F(CaptureSessionTest, ADesktopThatCannotBeStoredIsToldOnceACapture) {
  picture.FailSerialise = true;
  EXPECT_FALSE(session.Open());
  EXPECT_FALSE(session.PushSnapshot());
  EXPECT_EQ(view.Warnings, (std::vector<std::wstring>{std::wstring(kDesktopNotStored)}));
  EXPECT_FALSE(session.Open());
  EXPECT_EQ(view.Warnings.size(), 2u) << "a new opening tells again";
}

TEST_F(CaptureAnnotatingTest, TextWaitsAtTheFirstReleaseAndTakesTheColourAndSizeOfTheSecond) {
  session.ToolbarClick(kTextTool);
  session.Press(Left, {150, 150});
  session.Release(Left, {650, 120});  // outside the region: placed on its last column
  EXPECT_EQ(Shown().Text.At, (PointF{499, 120}));
  EXPECT_EQ(Shown().Text.Bounds, (PixelBox{100, 100, 500, 400}));
  EXPECT_TRUE(session.Stroke().Active());
  EXPECT_EQ(Step(), 1);
  session.TextBoxChanged(L"中文 text");
  session.PaletteRelease(13);
  session.SizeChosen(L"24");
  session.Move(0, {300, 300});
  EXPECT_TRUE(view.Previews.empty());
  session.Press(Left, {30, 30});  // outside: no new stroke, the box waits
  session.Release(Left, {30, 30});
  ASSERT_EQ(view.Texts.size(), 1u);
  EXPECT_EQ(view.Texts[0].Text, L"中文 text");
  EXPECT_EQ(view.Texts[0].At, (PointF{499, 120}));
  EXPECT_EQ(view.Texts[0].Colour, SwatchColour(13));
  EXPECT_EQ(view.Texts[0].Size, 24);
  EXPECT_FALSE(Shown().Text.Visible);
  EXPECT_TRUE(Shown().Text.Text.empty());
  EXPECT_EQ(Step(), 2);
}

TEST_F(CaptureAnnotatingTest, WaitingTextIsCommittedBeforeEveryWayOutAndOnAToolSwitch) {
  struct Case {
    std::function<void(CaptureSession&)> Act;
    int Copies;
  };
  const Case cases[] = {
      {[](CaptureSession& s) { s.ToolbarClick(kRectangleTool); }, 0},
      {[](CaptureSession& s) { s.ToolbarClick(kTextTool); }, 0},
      {[](CaptureSession& s) { s.ToolbarClick(kCopyButton); }, 1},
      {[](CaptureSession& s) { s.ToolbarClick(kSaveButton); }, 1},
      {[](CaptureSession& s) { s.DoubleClick({300, 300}); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    ASSERT_TRUE(session.Open());
    view = RecordingView{};
    DragOut({100, 100}, {500, 400});
    StartText({150, 150}, L"typed");
    c.Act(session);
    ASSERT_EQ(view.Texts.size(), 1u);
    EXPECT_EQ(view.Texts[0].Text, L"typed");
    EXPECT_EQ(Step(), 2);
    EXPECT_EQ(view.Copied.size() + view.Saved.size(), static_cast<std::size_t>(c.Copies));
    EXPECT_FALSE(Shown().Text.Visible);
    EXPECT_FALSE(session.Stroke().Active());
    // The stroke ended with it: no move previews and no release draws.
    session.Move(kLeft, {300, 300});
    session.Release(Left, {300, 300});
    EXPECT_TRUE(view.Previews.empty());
    EXPECT_TRUE(view.Drawn.empty());
    EXPECT_EQ(Step(), 2);
  }
}

TEST_F(CaptureAnnotatingTest, AnEmptyBoxIsOnlyHiddenAndDiscardingTheRegionEmptiesIt) {
  StartText({150, 150}, L"");
  session.ToolbarClick(kArrowTool);
  EXPECT_FALSE(Shown().Text.Visible);
  EXPECT_TRUE(view.Texts.empty());
  EXPECT_EQ(Step(), 1);
  StartText({150, 150}, L"gone");
  session.ToolbarClick(kUndoButton);  // at the clean desktop: the region goes, and the box
  EXPECT_FALSE(Shown().Text.Visible);
  EXPECT_TRUE(Shown().Text.Text.empty());
  EXPECT_FALSE(session.Stroke().Active());
  EXPECT_TRUE(view.Texts.empty());
}

TEST_F(CaptureAnnotatingTest, AHandlePressDrawsWaitingTextFirstAndIsThenIgnored) {
  StartText({150, 150}, L"kept");
  EXPECT_TRUE(session.HasDrawing());
  session.HandlePress(2, {498, 99});
  ASSERT_EQ(view.Texts.size(), 1u);
  EXPECT_EQ(view.Texts[0].Text, L"kept");
  EXPECT_EQ(Step(), 2);
  EXPECT_FALSE(Shown().Text.Visible);
  EXPECT_NE(State().handleDragState, HandleDragState::Start);
  session.HandleMove(2, {600, 50});
  EXPECT_EQ(Shown().Frame, (FrameRect{100, 100, 400, 300}));
  // An empty box only goes, and with nothing drawn the handle works.
  session.ToolbarClick(kUndoButton);
  StartText({150, 150}, L"");
  session.HandlePress(2, {498, 99});
  EXPECT_EQ(State().handleDragState, HandleDragState::Start);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(view.Texts.size(), 1u);
}

TEST_F(CaptureAnnotatingTest, SwatchesFrameUnderThePointerAndChooseOnRelease) {
  session.ToolbarClick(kEllipseTool);
  for (const int swatch : {0, 1, 9}) session.PaletteHover(swatch);
  std::array<bool, kSwatchCount> framed{};
  framed[0] = framed[1] = framed[9] = true;
  EXPECT_EQ(Shown().SwatchBorders, framed);
  EXPECT_EQ(view.LastPointer(), Pointer::Arrow);
  for (const int away : {kNoSwatch, kCurrentColourBox}) {
    session.PaletteHover(4);
    session.PaletteHover(away);
    EXPECT_EQ(Shown().SwatchBorders, (std::array<bool, kSwatchCount>{}));
  }
  session.PaletteRelease(kCurrentColourBox);
  EXPECT_EQ(Shown().CurrentColour, kStartColour);
  session.PaletteRelease(5);
  EXPECT_EQ(Shown().CurrentColour, SwatchColour(5));
  Stroke({150, 150}, {200, 200});
  EXPECT_EQ(view.Drawn.back().Colour, SwatchColour(5));
}

TEST_F(CaptureAnnotatingTest, TheFaceTogglesTheListAndABadSizeKeepsTheLastGoodOne) {
  session.ToolbarClick(kTextTool);
  session.FontPanelHover(true);
  EXPECT_EQ(Shown().Face, FaceLook::Hover);
  session.FacePress();
  EXPECT_EQ(Shown().Face, FaceLook::Pressed);
  EXPECT_TRUE(view.ListOpen);
  session.FacePress();
  EXPECT_FALSE(view.ListOpen);
  session.FontPanelHover(false);
  EXPECT_EQ(Shown().Face, FaceLook::Normal);
  EXPECT_EQ(session.FontSize(), 11);
  // Typing takes effect when it is done; a whole number from 1 to 500 or the size in force.
  struct Row {
    const wchar_t* Typed;
    float Size;
    const wchar_t* Shown;
  };
  for (const Row r : {Row{L"2", 2, L"2"}, Row{L"24", 24, L"24"}, Row{L"0", 24, L"24"}, Row{L"501", 24, L"24"},
                      Row{L"", 24, L"24"}, Row{L"abc", 24, L"24"}, Row{L"-3", 24, L"24"}, Row{L"9.5", 24, L"24"},
                      Row{L" 36 ", 36, L"36"}, Row{L"500", 500, L"500"}, Row{L"1", 1, L"1"}}) {
    session.SizeTextChanged(L"7");  // half typed: nothing yet
    EXPECT_NE(session.FontSize(), 7);
    session.SizeTextChanged(r.Typed);
    session.SizeTextDone();
    EXPECT_EQ(session.FontSize(), r.Size) << r.Typed;
    EXPECT_EQ(Shown().FontSizeText, r.Shown) << r.Typed;
  }
  session.SizeChosen(L"72");
  EXPECT_EQ(session.FontSize(), 72);
  // Esc with the list open closes the list only.
  session.FacePress();
  ASSERT_TRUE(view.ListOpen);
  session.KeyPress(27);
  EXPECT_FALSE(view.ListOpen);
  EXPECT_EQ(view.Closed, 0);
  session.KeyPress(27);
  EXPECT_EQ(view.Closed, 1);
  ASSERT_TRUE(session.Open());  // every opening starts again at "11"
  EXPECT_EQ(session.FontSize(), 11);
  EXPECT_EQ(session.FontSizeText(), L"11");
}

// Two monitors, the second left of and above the primary.
class CaptureSessionOnTwoMonitorsTest : public CaptureSessionTest {
 protected:
  CaptureSessionOnTwoMonitorsTest() : CaptureSessionTest({-1280, -200, 2560, 1024}) {}
};

TEST_F(CaptureSessionOnTwoMonitorsTest, HandlesReadTheScreenCursorAndMovesKeepToTheWholeArea) {
  DragOut({1000, 300}, {1200, 400});
  session.HandlePress(6, {1200 - 1280, 400 - 200});
  session.HandleMove(6, {1300 - 1280, 450 - 200});
  EXPECT_EQ(Shown().Frame, (FrameRect{1000, 300, 300, 150}));
  EXPECT_EQ(State().cursorNow.x, 20);
  EXPECT_EQ(State().cursorNow.y, 250);
  session.HandleRelease(6);
  session.HandlePress(0, {1000 - 1280, 300 - 200});
  session.HandleMove(0, {-1280 + 10, -200 + 20});
  EXPECT_EQ(Shown().Frame, (FrameRect{10, 20, 1290, 430}));
  session.HandleRelease(0);
  session.Press(Left, {100, 100});
  session.Move(kLeft, {5000, 5000});
  EXPECT_EQ(Shown().Frame.Left, 2560 - 1290);
  EXPECT_EQ(Shown().Frame.Top, 1024 - 430);
}

// The keys, as the window hands them in: a virtual-key code with Ctrl and Shift.
struct KeyCase {
  int Key;
  bool Ctrl;
  bool Shift;
  int Times;
  FrameRect Expected;
};

TEST_F(CaptureSessionTest, ArrowsMoveTheRegionAndShiftArrowsSizeItOnTheScreen) {
  // Each from the region (100, 100)-(500, 400).
  const KeyCase cases[] = {
      {kKeyRight, false, false, 1, {101, 100, 400, 300}},
      {kKeyUp, true, false, 1, {100, 90, 400, 300}},
      {kKeyLeft, true, false, 20, {0, 100, 400, 300}},  // stops on the screen's edge
      {kKeyDown, false, false, 3, {100, 103, 400, 300}},
      {kKeyRight, true, false, 100, {880, 100, 400, 300}},
      {kKeyRight, false, true, 1, {100, 100, 401, 300}},
      {kKeyUp, true, true, 2, {100, 100, 400, 280}},
      {kKeyLeft, true, true, 50, {100, 100, 0, 300}},     // size 0, never inside out
      {kKeyDown, true, true, 100, {100, 100, 400, 700}},  // the bottom edge stops at the screen's
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(&c - cases);
    ASSERT_TRUE(session.Open());
    DragOut({100, 100}, {500, 400});
    for (int i = 0; i < c.Times; ++i) session.KeyDown(c.Key, c.Ctrl, c.Shift);
    EXPECT_EQ(Shown().Frame, c.Expected);
    // The handles, the size label and the strip follow.
    EXPECT_EQ(Shown().Handles[6], (PointF{c.Expected.Right() - 2, c.Expected.Bottom() - 2}));
    EXPECT_EQ(Shown().SizeLabelAt, (PointF{c.Expected.Left + 2, c.Expected.Top + 2}));
    EXPECT_TRUE(Shown().StripVisible);
    // Under the region, or inside its bottom edge where the screen ends.
    const float stripTop = c.Expected.Bottom() + 4 + 26 > 800 ? c.Expected.Bottom() - 30 : c.Expected.Bottom() + 4;
    EXPECT_EQ(Shown().StripAt, (PointF{std::max(0.f, c.Expected.Right() - 241), stripTop}));
    EXPECT_TRUE(view.Copied.empty() && view.Saved.empty());
    EXPECT_EQ(view.Closed, 0);
  }
}

TEST_F(CaptureSessionTest, BeforeARegionArrowsMoveThePointerOnTheScreenAndAHeldBandFollows) {
  session.Move(0, {1275, 795});
  session.KeyDown(kKeyRight, true, false);
  session.KeyDown(kKeyDown, true, false);
  session.Move(0, {200, 200});
  session.KeyDown(kKeyRight, false, false);
  session.KeyDown(kKeyDown, true, false);
  EXPECT_EQ(view.PutAt, (std::vector<PixelSpot>{{1279, 795}, {1279, 799}, {201, 200}, {201, 210}}));
  EXPECT_FALSE(Shown().FrameVisible);
  session.Press(Left, {201, 210});
  session.KeyDown(kKeyRight, true, false);
  session.KeyDown(kKeyDown, false, false);
  EXPECT_EQ(Shown().Frame, (FrameRect{201, 210, 10, 1}));
  EXPECT_EQ(Shown().SizeText, L"10x1");
  // A held drag takes no region keys.
  session.KeyDown(kKeyC, true, false);
  EXPECT_TRUE(view.Copied.empty());
  session.Release(Left, {211, 211});
  EXPECT_EQ(State().captureMode, CaptureMode::Move);
  EXPECT_EQ(view.PutAt.size(), 6u);
}

TEST_F(CaptureSessionTest, EnterAndCtrlCCopyCtrlSSavesOnlyOnARegion) {
  struct Case {
    int Key;
    bool Ctrl;
    bool Shift;
    std::size_t Copies;
    std::size_t Saves;
  };
  const Case cases[] = {
      {kKeyEnter, false, false, 1, 0}, {kKeyC, true, false, 1, 0}, {kKeyS, true, false, 0, 1},
      {kKeyC, false, false, 0, 0},     {kKeyEnter, true, false, 0, 0}, {kKeyS, true, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    ASSERT_TRUE(session.Open());
    view = RecordingView{};
    session.KeyDown(c.Key, c.Ctrl, c.Shift);  // no region yet
    for (const int undo : {kKeyZ, kKeyY}) session.KeyDown(undo, true, false);
    EXPECT_TRUE(view.Copied.empty() && view.Saved.empty());
    EXPECT_EQ(view.Closed, 0);
    EXPECT_EQ(view.OverlaysShown, 0);
    DragOut({100, 100}, {500, 400});
    session.KeyDown(c.Key, c.Ctrl, c.Shift);
    EXPECT_EQ(view.Copied.size(), c.Copies);
    EXPECT_EQ(view.Saved.size(), c.Saves);
    if (!view.Saved.empty()) EXPECT_EQ(view.Saved[0], (PixelBox{100, 100, 500, 400}));
    EXPECT_EQ(view.Closed, c.Copies + c.Saves > 0 ? 1 : 0);
  }
}

TEST_F(CaptureAnnotatingTest, CtrlZAndCtrlYStepAsTheButtonsAndDrawnWorkKeepsTheRegionStill) {
  session.ToolbarClick(kRectangleTool);
  Stroke({150, 150}, {250, 250});
  ASSERT_EQ(Step(), 2);
  const struct {
    int Key;
    bool Shift;
    int Step;
  } steps[] = {{kKeyZ, false, 1}, {kKeyY, false, 2}, {kKeyZ, false, 1}, {kKeyZ, true, 2}, {kKeyY, false, 2}};
  for (const auto& s : steps) {
    session.KeyDown(s.Key, true, s.Shift);
    EXPECT_EQ(Step(), s.Step);
  }
  const FrameRect region = Shown().Frame;
  for (const KeyCase& c : {KeyCase{kKeyRight, false, false, 1, {}}, KeyCase{kKeyDown, true, true, 1, {}},
                           KeyCase{kKeyA, true, false, 1, {}}})
    session.KeyDown(c.Key, c.Ctrl, c.Shift);
  EXPECT_EQ(Shown().Frame, region);
  // Undone to the clean desktop and once more: the region goes, as with the button.
  session.KeyDown(kKeyZ, true, false);
  session.KeyDown(kKeyZ, true, false);
  EXPECT_EQ(State().captureMode, CaptureMode::Draw);
  EXPECT_FALSE(Shown().FrameVisible);
}

TEST_F(CaptureAnnotatingTest, WithTheTextBoxOpenKeysAreTheTextsEnterDrawsItAndEscKeepsIt) {
  StartText({150, 150}, L"typed");
  const FrameRect region = Shown().Frame;
  for (const int key : {kKeyRight, kKeyZ, kKeyC, kKeyS, kKeyA}) session.KeyDown(key, key != kKeyRight, false);
  EXPECT_EQ(Shown().Frame, region);
  EXPECT_TRUE(Shown().Text.Visible);
  EXPECT_TRUE(view.Copied.empty() && view.Saved.empty() && view.Texts.empty());
  session.KeyDown(kKeyEnter, false, false);
  ASSERT_EQ(view.Texts.size(), 1u);
  EXPECT_EQ(view.Texts[0].Text, L"typed");
  EXPECT_FALSE(Shown().Text.Visible);
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(view.Closed, 0);
  StartText({200, 200}, L"more");
  session.KeyPress(27);
  ASSERT_EQ(view.Texts.size(), 2u);
  EXPECT_EQ(view.Texts[1].Text, L"more");
  EXPECT_EQ(view.Closed, 1);
}

// Two monitors side by side, the right one shorter.
class CaptureSessionSideBySideTest : public CaptureSessionTest {
 protected:
  CaptureSessionSideBySideTest()
      : CaptureSessionTest({0, 0, 2560, 1024}, {{{0, 0, 1280, 1024}}, {{1280, 0, 2560, 800}}}) {}
};

TEST_F(CaptureSessionSideBySideTest, CtrlASelectsTheMonitorUnderThePointerThenTheScreenAndKeysKeepToMonitors) {
  session.Move(0, {1500, 300});
  const FrameRect expected[] = {{1280, 0, 1280, 800}, {0, 0, 2560, 1024}, {1280, 0, 1280, 800}};
  for (const FrameRect& frame : expected) {
    session.KeyDown(kKeyA, true, false);
    EXPECT_EQ(Shown().Frame, frame);
    EXPECT_EQ(State().captureMode, CaptureMode::Move);
    EXPECT_TRUE(Shown().FrameVisible && Shown().HandlesVisible && Shown().LabelsVisible && Shown().StripVisible);
  }
  // The strip lies inside the region where its monitor ends.
  EXPECT_EQ(Shown().StripAt.Y, 800 - 26 - 4);
  ASSERT_TRUE(session.Open());
  DragOut({1300, 700}, {1400, 790});
  session.KeyDown(kKeyDown, true, false);
  session.KeyDown(kKeyDown, true, false);
  EXPECT_EQ(Shown().Frame, (FrameRect{1300, 710, 100, 90}));
  session.KeyDown(kKeyDown, true, true);
  EXPECT_EQ(Shown().Frame, (FrameRect{1300, 710, 100, 90}));  // its monitor ends there
}

// The loupe shows while an edge of the region is being chosen, beside the
// pointer on the pointer's own monitor; a fixed region has none.
TEST_F(CaptureSessionSideBySideTest, TheLoupeFollowsThePointerOnItsMonitorWhileAnEdgeIsChosen) {
  const struct Step {
    const char* What;
    std::function<void()> Do;
    std::optional<PixelSpot> At;  // nothing: no loupe
    bool Right = true;
    bool Below = true;
  } steps[] = {
      {"opened: no pointer yet", [] {}, std::nullopt},
      {"hovering", [&] { session.Move(0, {300, 200}); }, PixelSpot{300, 200}},
      {"a band to the left monitor's edge",
       [&] {
         session.Press(Left, {300, 200});
         session.Move(kLeft, {1270, 500});
       },
       PixelSpot{1270, 500}, false},
      {"the band near the right monitor's bottom", [&] { session.Move(kLeft, {1500, 790}); }, PixelSpot{1500, 790},
       true, false},
      {"released", [&] { session.Release(Left, {1500, 790}); }, std::nullopt},
      {"over the fixed region", [&] { session.Move(0, {800, 400}); }, std::nullopt},
      {"a held handle",
       [&] {
         session.HandlePress(6, {1500, 790});
         session.HandleMove(6, {1000, 600});
       },
       PixelSpot{1000, 600}},
      {"the handle released", [&] { session.HandleRelease(6); }, std::nullopt},
      {"the region cancelled",
       [&] {
         session.Press(Right, {800, 400});
         session.Release(Right, {800, 400});
       },
       PixelSpot{800, 400}},
      {"an arrow key", [&] { session.KeyDown(kKeyRight, true, false); }, PixelSpot{810, 400}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.What);
    step.Do();
    const std::optional<PixelBox>& loupe = Shown().Loupe;
    ASSERT_EQ(loupe.has_value(), step.At.has_value());
    if (!loupe) continue;
    EXPECT_EQ(Shown().LoupePointer, *step.At);
    EXPECT_EQ(loupe->Left > step.At->X, step.Right);
    EXPECT_EQ(loupe->Right <= step.At->X, !step.Right);
    EXPECT_EQ(loupe->Top > step.At->Y, step.Below);
    EXPECT_EQ(loupe->Bottom <= step.At->Y, !step.Below);
    const PixelBox monitor = step.At->X < 1280 ? PixelBox{0, 0, 1280, 1024} : PixelBox{1280, 0, 2560, 800};
    EXPECT_TRUE(loupe->Left >= monitor.Left && loupe->Top >= monitor.Top && loupe->Right <= monitor.Right &&
                loupe->Bottom <= monitor.Bottom);
  }
  EXPECT_EQ(view.Closed, 0);
}

TEST_F(CaptureAnnotatingTest, TheChosenToolKeepsItsFrameAndTheRegionShowsTheCrossHair) {
  EXPECT_EQ(Shown().ChosenButton, kNoButton);
  session.Move(0, {300, 300});
  EXPECT_EQ(view.LastPointer(), Pointer::Move);  // no tool yet: a press moves the region
  session.ToolbarClick(kRectangleTool);
  Stroke({150, 150}, {250, 250});
  const struct {
    int Click;
    int Chosen;
  } clicks[] = {{kRectangleTool, kRectangleTool}, {kUndoButton, kRectangleTool}, {kArrowTool, kArrowTool},
                {kArrowTool, kArrowTool},  // the same tool again only hides the panel
                {kTextTool, kTextTool},     {kRedoButton, kTextTool}};
  for (const auto& c : clicks) {
    session.ToolbarClick(c.Click);
    session.ToolbarHover(c.Click);
    EXPECT_EQ(Shown().ChosenButton, c.Chosen) << c.Click;
    EXPECT_EQ(Shown().HoverButton, c.Click);
    session.ToolbarLeave();
    session.Move(0, {300, 300});
    EXPECT_EQ(view.LastPointer(), Pointer::Cross) << c.Click;
  }
  // Undone past the clean desktop, the region goes and no tool is chosen.
  session.ToolbarClick(kUndoButton);
  ASSERT_EQ(Shown().ChosenButton, kTextTool);
  session.ToolbarClick(kUndoButton);
  EXPECT_EQ(Shown().ChosenButton, kNoButton);
}

// Two windows as the screen froze, the smaller one on top.
class CaptureSnapTest : public ::testing::Test {
 protected:
  static CaptureMetrics Metrics() {
    const std::vector<WindowFacts> windows{{1, {100, 100, 500, 400}}, {2, {50, 50, 900, 700}}};
    return {{0, 0, 1280, 800}, {4, 4}, {241, 26}, 14, DesignedPanel({96, 96}), {},
            SnapTargets(windows, {{0, 0, 1280, 800}})};
  }
  const Overlay& Shown() const { return session.Shown(); }
  RecordingView view;
  testing::FakePicture picture;
  CaptureSession session{view, picture, Metrics()};
};

TEST_F(CaptureSnapTest, TheWindowUnderThePointerIsOutlinedAndAClickWithoutADragSelectsIt) {
  const struct {
    PointF At;
    PixelBox Expected;
  } cases[] = {
      {{200, 200}, {100, 100, 500, 400}},  // the top window
      {{60, 60}, {50, 50, 900, 700}},      // the one under it, where it shows
      {{1000, 750}, {0, 0, 1280, 800}},    // the bare desktop: the monitor
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.At.X);
    ASSERT_TRUE(session.Open());
    session.Move(0, c.At);
    EXPECT_TRUE(Shown().SnapVisible);
    EXPECT_EQ(Shown().Snap, c.Expected);
    session.Press(Left, c.At);
    EXPECT_FALSE(Shown().SnapVisible);
    session.Release(Left, c.At);
    const FrameRect frame{static_cast<float>(c.Expected.Left), static_cast<float>(c.Expected.Top),
                          static_cast<float>(c.Expected.Width()), static_cast<float>(c.Expected.Height())};
    EXPECT_EQ(Shown().Frame, frame);
    EXPECT_EQ(session.State().captureMode, CaptureMode::Move);
    EXPECT_TRUE(Shown().FrameVisible && Shown().HandlesVisible && Shown().LabelsVisible && Shown().StripVisible);
    EXPECT_EQ(Shown().Handles[6], (PointF{frame.Right() - 2, frame.Bottom() - 2}));
    session.Move(0, {200, 200});
    EXPECT_FALSE(Shown().SnapVisible);  // a region exists: no outline
  }
}

TEST_F(CaptureSnapTest, ADragStillDrawsItsOwnRegionEvenOneThatComesBackToItsStart) {
  session.Move(0, {200, 200});
  session.Press(Left, {200, 200});
  session.Move(kLeft, {300, 250});
  EXPECT_FALSE(Shown().SnapVisible);
  session.Release(Left, {300, 250});
  EXPECT_EQ(Shown().Frame, (FrameRect{200, 200, 100, 50}));
  ASSERT_TRUE(session.Open());
  session.Press(Left, {200, 200});
  session.Move(kLeft, {260, 260});
  session.Move(kLeft, {200, 200});
  session.Release(Left, {200, 200});
  EXPECT_EQ(Shown().Frame, (FrameRect{200, 200, 0, 0}));
}

}  // namespace
}  // namespace quillane::capture
