#include "capture/frm_screen_capture.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "capture/app_pointer.h"
#include "capture_fixture.h"
#include "win32/design_table.h"
#include "win32/window_classes.h"

namespace quillane::capture {
namespace {

using testing::Backdrop;
using testing::BackdropColour;
using testing::DifferencesFromBackdrop;
using testing::SendLeftDrag;
using testing_support::Delivery;
using testing_support::MouseButton;
using testing_support::PumpFor;
using testing_support::WaitUntil;

std::wstring Readout(COLORREF c) {
  return L"RGB(" + std::to_wstring(GetRValue(c)) + L"," + std::to_wstring(GetGValue(c)) + L"," +
         std::to_wstring(GetBValue(c)) + L")";
}

using CaptureWindowTest = testing::CaptureFixture;

TEST_F(CaptureWindowTest, TheFrozenPictureIsTheWholeScreenAsItWasAndTheWindowCoversIt) {
  RECT placed{};
  GetWindowRect(capture.Handle(), &placed);
  EXPECT_EQ(placed.left, area.Left);
  EXPECT_EQ(placed.top, area.Top);
  EXPECT_EQ(placed.right - placed.left, area.Width);
  EXPECT_EQ(placed.bottom - placed.top, area.Height);
  const LONG_PTR style = GetWindowLongPtrW(capture.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
  EXPECT_TRUE(GetWindowLongPtrW(capture.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  wchar_t className[64]{};
  GetClassNameW(capture.Handle(), className, 64);
  EXPECT_STREQ(className, win::kCaptureWindowClass);

  const testing_support::Pixels frozen = testing_support::BitmapPixels(capture.Surface().Persistent().Bitmap());
  ASSERT_EQ(frozen.Width, area.Width);
  ASSERT_EQ(frozen.Height, area.Height);
  EXPECT_EQ(DifferencesFromBackdrop(frozen, area.Left, area.Top), 0);
  // Snapshot 1 reads back to the same picture.
  const win::Picture snapshot = exporting::ExcelPropertyBag().ReadP(Session().Snapshots().Entry(1));
  EXPECT_EQ(testing_support::BitmapPixels(snapshot.Bitmap()), frozen);
  // The screen shows it, up to its bottom-right corner, inside the outline
  // of the window under the pointer (the backdrop, which covers the screen),
  // but for the loupe beside the pointer.
  testing_support::MoveMouse(capture.Handle(), {300, 300}, testing_support::Delivery::Real);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return Session().Shown().SnapVisible && Session().Shown().Loupe; }));
  EXPECT_EQ(Session().Shown().Snap, (PixelBox{0, 0, area.Width, area.Height}));
  EXPECT_TRUE(ScreenShows(area.Width - 1, area.Height - 1, FrmScreenCapture::kFrameColour));
  EXPECT_TRUE(ScreenShows(area.Width - 3, area.Height - 3, BackdropColour(area.Left + area.Width - 3,
                                                                       area.Top + area.Height - 3)));
  auto shown =
      testing_support::ScreenPixels({area.Left + 2, area.Top + 2, area.Left + area.Width - 2, area.Top + area.Height - 2});
  const PixelBox loupe = *Session().Shown().Loupe;
  for (int y = loupe.Top; y < loupe.Bottom; ++y)
    for (int x = loupe.Left; x < loupe.Right; ++x)
      shown.Data[static_cast<std::size_t>(y - 2) * shown.Width + (x - 2)] = BackdropColour(area.Left + x, area.Top + y);
  EXPECT_EQ(DifferencesFromBackdrop(shown, area.Left + 2, area.Top + 2), 0);

  EXPECT_EQ(Session().State().captureMode, CaptureMode::Draw);
  EXPECT_EQ(Session().Snapshots().snapshotPos(), 1);
  EXPECT_EQ(Session().Snapshots().snapshotTop(), 1);
  EXPECT_EQ(Session().Snapshots().LastIndex(), 1);
  EXPECT_EQ(AppPointer(), Pointer::Cross);
  EXPECT_FALSE(Visible(capture.Strip()) || Visible(capture.SizeLabel()) || Visible(capture.HandleWindow(0)));
}

TEST_F(CaptureWindowTest, ADraggedRegionShowsItsSizeColourHandlesAndStrip) {
  Drag(420, 360, 100, 120);  // up and to the left
  EXPECT_EQ(Frame(), (FrameRect{100, 120, 320, 240}));
  EXPECT_EQ(Session().State().captureMode, CaptureMode::Move);
  EXPECT_EQ(testing_support::WindowText(capture.SizeLabel()), L"320x240");
  const COLORREF under = BackdropColour(area.Left + 100, area.Top + 120);
  EXPECT_EQ(testing_support::WindowText(capture.InfoLabel()), Readout(under));
  const RECT size = PlaceOf(capture.SizeLabel()), info = PlaceOf(capture.InfoLabel());
  EXPECT_TRUE(Visible(capture.SizeLabel()) && Visible(capture.InfoLabel()));
  EXPECT_EQ(size.left, 102);
  EXPECT_EQ(size.top, 122);
  EXPECT_EQ(info.left, 102);
  EXPECT_EQ(info.top, size.bottom + 2);
  const POINT handles[kHandleCount] = {{98, 118}, {258, 118}, {417, 118}, {98, 238},
                                       {98, 358}, {258, 358}, {418, 358}, {418, 238}};
  for (int i = 0; i < kHandleCount; ++i) {
    const RECT h = PlaceOf(capture.HandleWindow(i));
    EXPECT_TRUE(Visible(capture.HandleWindow(i))) << i;
    EXPECT_EQ(h.left, handles[i].x) << i;
    EXPECT_EQ(h.top, handles[i].y) << i;
    EXPECT_EQ(h.right - h.left, 4) << i;
  }
  const SIZE designed = win::PixelSize(3620, 390, win::ScreenDpi());
  const RECT strip = PlaceOf(capture.Strip());
  EXPECT_TRUE(Visible(capture.Strip()));
  EXPECT_EQ(strip.right, 420);
  EXPECT_EQ(strip.top, 364);
  EXPECT_EQ(strip.right - strip.left, designed.cx);
  EXPECT_EQ(strip.bottom - strip.top, designed.cy);
  // The frame's outline over the untouched frozen picture.
  EXPECT_TRUE(ScreenShows(100, 300, FrmScreenCapture::kFrameColour));
  EXPECT_TRUE(ScreenShows(419, 300, FrmScreenCapture::kFrameColour));
  EXPECT_TRUE(ScreenShows(200, 300, BackdropColour(area.Left + 200, area.Top + 300)));
}

TEST_F(CaptureWindowTest, ARegionMovesWithTheMouseAndKeepsItsLabel) {
  Drag(100, 120, 420, 360);
  Drag(200, 200, 260, 230);
  EXPECT_EQ(Frame(), (FrameRect{160, 150, 320, 240}));
  EXPECT_EQ(testing_support::WindowText(capture.SizeLabel()), L"320x240");
  EXPECT_EQ(PlaceOf(capture.SizeLabel()).left, 162);
  EXPECT_EQ(PlaceOf(capture.Strip()).right, 480);
  EXPECT_TRUE(Visible(capture.Strip()));
  // The old outline is gone, the new one is there.
  EXPECT_TRUE(ScreenShows(100, 300, BackdropColour(area.Left + 100, area.Top + 300)));
  EXPECT_TRUE(ScreenShows(160, 300, FrmScreenCapture::kFrameColour));
  // Dragged past the top-left corner it stops there.
  Drag(300, 300, 0, 0);
  EXPECT_EQ(Frame(), (FrameRect{0, 0, 320, 240}));
}

TEST_F(CaptureWindowTest, ARightClickCancelsTheRegionAndASecondOneClosesWithThePointerBack) {
  Drag(100, 120, 420, 360);
  Click(200, 200, MouseButton::Right);
  ASSERT_TRUE(capture.Exists());
  EXPECT_EQ(Session().State().keepOpenOnRightUp, 1);
  EXPECT_EQ(Session().State().captureMode, CaptureMode::Draw);
  EXPECT_FALSE(Visible(capture.Strip()) || Visible(capture.SizeLabel()) || Visible(capture.HandleWindow(6)));
  EXPECT_TRUE(ScreenShows(100, 300, BackdropColour(area.Left + 100, area.Top + 300)));
  Click(200, 200, MouseButton::Right);
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(AppPointer(), Pointer::Default);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(CaptureWindowTest, AMiddleClickCloses) {
  Click(50, 50, MouseButton::Middle);
  EXPECT_FALSE(capture.Exists());
}

TEST_F(CaptureWindowTest, OtherKeysDoNothingAndEscClosesAlsoFromAControl) {
  testing_support::PressKey('A', Delivery::Real);
  testing_support::PressKey(VK_RETURN, Delivery::Real);
  ASSERT_TRUE(capture.Exists());
  Drag(100, 120, 420, 360);
  SetFocus(capture.Strip());
  ASSERT_EQ(GetFocus(), capture.Strip());
  testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  EXPECT_FALSE(capture.Exists());
}

TEST_F(CaptureWindowTest, HandlesResizeWithTheScreenCursorAndAPressDropsTheAnnotations) {
  Drag(100, 120, 420, 360);
  // An annotation, undone: redo could bring it back until a handle is pressed.
  SetPixel(capture.Surface().BackingDc(), 200, 200, RGB(255, 0, 0));
  capture.Surface().NoteDrawn();
  ASSERT_TRUE(capture.Session().PushSnapshot());
  capture.Session().Undo();
  ASSERT_EQ(Session().Snapshots().snapshotTop(), 2);

  testing_support::MoveMouse(capture.Handle(), {259, 120}, Delivery::Real);  // over the top middle handle
  EXPECT_EQ(AppPointer(), Pointer::SizeNS);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));
  Drag(420, 360, 470, 390);  // the bottom-right handle, pressed on the corner
  EXPECT_EQ(Frame(), (FrameRect{100, 120, 370, 270}));
  EXPECT_EQ(testing_support::WindowText(capture.SizeLabel()), L"370x270");
  EXPECT_EQ(Session().Snapshots().snapshotTop(), 1);
  EXPECT_EQ(Session().Snapshots().LastIndex(), 1);
  EXPECT_EQ(PlaceOf(capture.HandleWindow(6)).left, 468);
  EXPECT_EQ(PlaceOf(capture.Strip()).right, 470);
  EXPECT_TRUE(Visible(capture.Strip()));

  // The top-left handle, twice: the right and bottom edges stay put.
  for (int drag = 0; drag < 2; ++drag) {
    const FrameRect f = Frame();
    const int x = static_cast<int>(f.Left), y = static_cast<int>(f.Top);
    Drag(x - 1, y - 1, x - 21, y - 11);
  }
  EXPECT_EQ(Frame().Right(), 470);
  EXPECT_EQ(Frame().Bottom(), 390);
  // Past the left edge the bottom-right handle stops the frame at width 0.
  const FrameRect before = Frame();
  Drag(470, 390, static_cast<int>(before.Left) - 30, 390);
  EXPECT_EQ(Frame().Width, 0);
  EXPECT_EQ(Frame().Left, before.Left);
}

TEST_F(CaptureWindowTest, AHandleDragThatLosesTheMouseEndsAndHoveringNoLongerResizes) {
  Drag(100, 120, 420, 360);
  const HWND handle = capture.HandleWindow(6);
  SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ASSERT_EQ(Session().State().handleDragState, HandleDragState::Start);
  SetCapture(capture.Handle());  // taken away without a release
  ReleaseCapture();
  EXPECT_EQ(Session().State().handleDragState, HandleDragState::Stop);
  EXPECT_TRUE(Visible(capture.Strip()));
  testing_support::MoveMouse(capture.Handle(), {419, 359}, Delivery::Real);
  testing_support::MoveMouse(capture.Handle(), {500, 420}, Delivery::Real);
  EXPECT_EQ(Frame(), (FrameRect{100, 120, 320, 240}));
}

TEST_F(CaptureWindowTest, StepsThatCannotBeStoredStayOnThePictureAndAreToldOnce) {
  const auto draw = [&](COLORREF colour) {
    SetPixel(capture.Surface().BackingDc(), 200, 200, colour);
    capture.Surface().NoteDrawn();
    InvalidateRect(capture.Handle(), nullptr, FALSE);
  };
  codec.FailWrite = true;
  for (const COLORREF colour : {RGB(255, 0, 0), RGB(0, 255, 0)}) {
    draw(colour);
    EXPECT_FALSE(capture.Session().PushSnapshot());
    EXPECT_EQ(capture.Surface().PixelAt(200, 200), colour) << "the drawing stays";
    EXPECT_TRUE(ScreenShows(200, 200, colour));
  }
  ASSERT_EQ(dialogs.Messages.size(), 1u) << "told once";
  EXPECT_EQ(dialogs.Messages[0].Text, kStepNotStored);
  EXPECT_EQ(dialogs.Messages[0].Owner, capture.Handle());
  EXPECT_EQ(dialogs.Messages[0].Style & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  capture.Session().Undo();
  EXPECT_EQ(capture.Surface().PixelAt(200, 200), RGB(0, 255, 0));

  codec.FailWrite = false;
  draw(RGB(0, 0, 255));
  ASSERT_TRUE(capture.Session().PushSnapshot());
  EXPECT_TRUE(ScreenShows(200, 200, RGB(0, 0, 255)));
  for (const bool failRead : {true, false}) {
    codec.FailRead = failRead;
    capture.Session().Undo();  // cannot read back; then would go past the unstored drawing
    EXPECT_EQ(Session().Snapshots().snapshotPos(), 2);
    EXPECT_EQ(capture.Surface().PixelAt(200, 200), RGB(0, 0, 255));
  }
  EXPECT_EQ(dialogs.Messages.size(), 1u);

  // A desktop that cannot be stored at the opening is told as well.
  testing_support::FakeDialogs told;
  testing::SwitchableCodec failing;
  failing.FailWrite = true;
  win::Owned<FrmScreenCapture> other(CaptureServices{told}, failing);
  ASSERT_TRUE(other.Open(nullptr));
  ASSERT_EQ(told.Messages.size(), 1u);
  EXPECT_EQ(told.Messages[0].Text, kDesktopNotStored);
}

// The area a repaint will cover now, in pixels.
long UpdateArea(HWND window) {
  const win::Region region(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(window, region.Get(), FALSE) == NULLREGION) return 0;
  std::vector<BYTE> data(GetRegionData(region.Get(), 0, nullptr));
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  GetRegionData(region.Get(), static_cast<DWORD>(data.size()), header);
  const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
  long area = 0;
  for (DWORD i = 0; i < header->rdh.nCount; ++i) area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  return area;
}

TEST_F(CaptureWindowTest, AMoveDuringADragRepaintsTheOutlinesAndControlsNotThePicture) {
  const auto move = [&](int x, int y) {
    UpdateWindow(capture.Handle());
    SendMessageW(capture.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    return UpdateArea(capture.Handle());
  };
  SendMessageW(capture.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  move(500, 400);
  // Two outlines of about 2 x (400 + 300) pixels, two labels and eight
  // handles uncovered, and the loupe's old and new places.
  EXPECT_LT(move(520, 410), 2 * 2 * (420 + 310) + 3000 + 2 * kLoupeWidth * kLoupeHeight);
  SendMessageW(capture.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(520, 410));
  SendMessageW(capture.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  EXPECT_LT(move(230, 220), 2 * 2 * (420 + 310) + 3000);
  EXPECT_EQ(Frame(), (FrameRect{130, 120, 420, 310}));
}

TEST_F(CaptureWindowTest, ALabelWhoseTextChangesWidthShowsAllOfItsNewText) {
  SendMessageW(capture.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  for (const int at : {200, 11, 250, 3}) {
    SendMessageW(capture.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at, at));
    for (const HWND label : {capture.SizeLabel(), capture.InfoLabel()})
      EXPECT_TRUE(WaitUntil([&] {
        return testing_support::ClientPixels(label) == testing_support::PrintedClient(label);
      }, 1000)) << testing_support::WindowText(label);
  }
}

TEST_F(CaptureWindowTest, TheColourReadoutKeepsItsTextOffThePicture) {
  SendMessageW(capture.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
  const std::wstring onPicture = testing_support::WindowText(capture.InfoLabel());
  const COLORREF c = BackdropColour(area.Left + 30, area.Top + 40);
  EXPECT_EQ(onPicture, Readout(c));
  SendMessageW(capture.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
  EXPECT_EQ(testing_support::WindowText(capture.InfoLabel()), onPicture);
}

TEST(CaptureWindow, RepeatedOpeningsLeaveNoGdiObjectBehind) {
  testing_support::FakeDialogs dialogs;
  EXPECT_TRUE(testing::LeavesNoGdiObject(dialogs, testing_support::SoakRounds(), [](FrmScreenCapture& capture, int i) {
    // A region with its labels, as a user makes one.
    SendLeftDrag(capture.Handle(), {10 + i, 10}, {300, 200 + i});
    win::PumpPendingMessages();
    if (i % 2) SendMessageW(capture.Handle(), WM_CHAR, 27, 0);
  }));
}

}  // namespace
}  // namespace quillane::capture
