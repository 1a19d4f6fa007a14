// The capture never loses what was drawn or typed, and shows what it
// copies, tried with real input as a hurried user does: other buttons, clicks
// without a drag, double-clicks with each tool, text at the region's edge and
// at 500 points, a handle pressed with text waiting, sizes typed and chosen
// mid-text, handles dragged back and forth and past the opposite edge, and
// the whole screen.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::MouseButton;
using testing_support::Pixels;
using testing_support::WaitUntil;

class CaptureKeptWorkTest : public CaptureFixture {
 protected:
  // The region (100, 100)-(500, 400).
  void Region() {
    Drag(100, 100, 500, 400);
    ASSERT_EQ(Frame(), (FrameRect{100, 100, 400, 300}));
  }
  Pixels PictureArea(const PixelBox& box) const {
    const win::Bitmap copy = capture.Surface().CopyArea(box);
    return testing_support::BitmapPixels(copy.Get());
  }
  Pixels Picture() const { return PictureArea({0, 0, area.Width, area.Height}); }
  int Step() const { return Session().Snapshots().snapshotPos(); }
  void ChooseSize(const wchar_t* size) {
    const HWND face = capture.Pickers().Face(), list = capture.Pickers().SizeList();
    RECT client{};
    GetClientRect(face, &client);
    testing_support::Click(face, {client.right - 7, client.bottom / 2}, Delivery::Real);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(list, &info));
    const auto entry =
        SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(size));
    SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(entry), 0);
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
    testing_support::Click(info.hwndList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2}, Delivery::Real);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0; }));
  }
};

TEST_F(CaptureKeptWorkTest, RightAndMiddleButtonsNeverDrawNorCloseOnceSomethingIsDrawn) {
  Region();
  Click(300, 300, MouseButton::Middle);  // on a region with nothing drawn: it stays
  ASSERT_TRUE(capture.Exists());
  ClickButton(kRectangleTool);
  const Pixels clean = Picture();
  for (const MouseButton button : {MouseButton::Right, MouseButton::Middle})
    testing_support::Drag(capture.Handle(), {150, 150}, {300, 300}, Delivery::Real, button);
  ASSERT_TRUE(capture.Exists());
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(Picture(), clean);
  Drag(150, 150, 250, 250);
  ASSERT_EQ(Step(), 2);
  const Pixels drawn = Picture();
  for (const POINT at : {POINT{200, 300}, POINT{50, 50}})
    for (const MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
      Click(at.x, at.y, button);
      ASSERT_TRUE(capture.Exists()) << at.x << "," << at.y;
    }
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(Picture(), drawn);
}

class CaptureClickTest : public CaptureKeptWorkTest, public ::testing::WithParamInterface<int> {};
INSTANTIATE_TEST_SUITE_P(EveryTool, CaptureClickTest,
                         ::testing::Values(kRectangleTool, kEllipseTool, kArrowTool, kTextTool));

TEST_P(CaptureClickTest, AClickDrawsNothingAndADoubleClickCopiesTheRegionWithNoMark) {
  Region();
  ClickButton(GetParam());
  const Pixels clean = Picture();
  Click(300, 250);
  Click(320, 300);  // the text tool: the box it opened goes, empty
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(Picture(), clean);
  EXPECT_FALSE(IsWindowVisible(capture.TextEdit()));
  PutClipboardText(L"before");
  testing_support::DoubleClick(capture.Handle(), {250, 200}, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !capture.Exists(); })) << "the double-click copies and closes";
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(*copied, RegionOfBackdrop({100, 100, 500, 400}));
}

TEST_F(CaptureKeptWorkTest, TextStaysInsideTheRegionOnTheScreenAndInThePicture) {
  Region();
  ClickButton(kTextTool);
  ChooseSize(L"36");
  Click(420, 380);  // near the bottom-right corner
  ASSERT_TRUE(IsWindowVisible(capture.TextEdit()));
  testing_support::TypeText(L"WWWWWWWWWWWW", Delivery::Real);
  const RECT box = PlaceOf(capture.TextEdit());
  EXPECT_LE(box.right, 500);
  EXPECT_LE(box.bottom, 400);
  EXPECT_TRUE(ScreenShows(499, (box.top + box.bottom) / 2, FrmScreenCapture::kFrameColour)) << "the frame shows over it";
  EXPECT_GE(box.left, 100);
  EXPECT_GE(box.top, 100);
  const std::wstring kept = testing_support::WindowText(capture.TextEdit());
  EXPECT_LT(kept.size(), 12u) << "keys that would carry the text past the edge are refused";
  EXPECT_FALSE(kept.empty());
  Click(200, 150);  // draws it
  ASSERT_EQ(Step(), 2);
  EXPECT_GT(DifferencesFromBackdrop(PictureArea({400, 330, 500, 400}), area.Left + 400, area.Top + 330), 0);
  // Right of and below the region the screen and the picture are the frozen desktop.
  // (Clear of the handles, which reach 2 pixels past the frame, and of the toolbar.)
  for (const PixelBox& outside : {PixelBox{503, 300, 700, 500}, PixelBox{103, 403, 255, 500}}) {
    EXPECT_EQ(PictureArea(outside), RegionOfBackdrop(outside));
    ASSERT_TRUE(WaitUntil([&] {
      return testing_support::ScreenPixels({area.Left + outside.Left, area.Top + outside.Top,
                                            area.Left + outside.Right, area.Top + outside.Bottom}) ==
             RegionOfBackdrop(outside);
    })) << outside.Left << "," << outside.Top;
  }
  // At 500 points the box is cut off at the region's bottom.
  const HWND size = capture.Pickers().SizeText();
  testing_support::Click(size, {3, 3}, Delivery::Real);
  SendMessageW(size, EM_SETSEL, 0, -1);
  testing_support::TypeText(L"500", Delivery::Real);
  testing_support::PressKey(VK_RETURN, Delivery::Real);
  ASSERT_EQ(Session().FontSize(), 500);
  Click(110, 300);
  testing_support::TypeText(L".", Delivery::Real);
  const RECT big = PlaceOf(capture.TextEdit());
  EXPECT_LE(big.bottom, 400);
  EXPECT_GE(big.top, 100);
  ClickButton(kRectangleTool);  // the box covers the region: another tool draws it
  EXPECT_EQ(Step(), 3);
  for (const PixelBox& outside : {PixelBox{500, 100, 700, 500}, PixelBox{100, 400, 500, 600}})
    EXPECT_EQ(PictureArea(outside), RegionOfBackdrop(outside)) << outside.Left << "," << outside.Top;
}

TEST_F(CaptureKeptWorkTest, AHandlePressDrawsWaitingTextAndASizeChosenMidTextGivesTheKeysBack) {
  Region();
  ClickButton(kTextTool);
  Click(150, 200);
  testing_support::TypeText(L"ab", Delivery::Real);
  ChooseSize(L"36");
  EXPECT_EQ(Session().FontSize(), 36);
  testing_support::TypeText(L"7c", Delivery::Real);
  EXPECT_EQ(testing_support::WindowText(capture.TextEdit()), L"ab7c");
  EXPECT_EQ(testing_support::WindowText(capture.Pickers().SizeText()), L"36");
  EXPECT_EQ(Session().FontSize(), 36);
  // A colour chosen mid-text too.
  const PixelBox& swatch = capture.Pickers().Palette()[13];
  testing_support::Click(capture.ColourPanel(), {(swatch.Left + swatch.Right) / 2, (swatch.Top + swatch.Bottom) / 2},
                         Delivery::Real);
  testing_support::TypeText(L"d", Delivery::Real);
  EXPECT_EQ(testing_support::WindowText(capture.TextEdit()), L"ab7cd");
  const Pixels clean = PictureArea({100, 100, 500, 400});
  Drag(499, 399, 450, 350);  // the bottom-right handle
  EXPECT_FALSE(IsWindowVisible(capture.TextEdit()));
  EXPECT_EQ(Step(), 2);
  EXPECT_NE(PictureArea({100, 100, 500, 400}), clean) << "the text is in the picture";
  EXPECT_EQ(Frame(), (FrameRect{100, 100, 400, 300})) << "an annotated region keeps its size";
}

TEST_F(CaptureKeptWorkTest, ATypedSizeTakesEffectWhenDoneAndEscClosesOnlyTheOpenList) {
  Region();
  ClickButton(kTextTool);
  const HWND size = capture.Pickers().SizeText();
  testing_support::Click(size, {3, 3}, Delivery::Real);
  ASSERT_EQ(GetFocus(), size);
  struct Row {
    const wchar_t* Typed;
    float Size;
    const wchar_t* Shown;
  };
  for (const Row r : {Row{L"24", 24, L"24"}, Row{L"0", 24, L"24"}, Row{L"501", 24, L"24"}, Row{L"9.5", 24, L"24"},
                      Row{L"72", 72, L"72"}}) {
    const float before = Session().FontSize();
    SendMessageW(size, EM_SETSEL, 0, -1);
    testing_support::TypeText(r.Typed, Delivery::Real);
    EXPECT_EQ(Session().FontSize(), before) << "not while typing";
    testing_support::PressKey(VK_RETURN, Delivery::Real);
    EXPECT_EQ(Session().FontSize(), r.Size) << r.Typed;
    EXPECT_EQ(testing_support::WindowText(size), r.Shown) << r.Typed;
  }
  // Typed, then the focus goes elsewhere: done as well.
  SendMessageW(size, EM_SETSEL, 0, -1);
  testing_support::TypeText(L"48", Delivery::Real);
  Click(150, 200);
  EXPECT_EQ(Session().FontSize(), 48);

  RECT face{};
  GetClientRect(capture.Pickers().Face(), &face);
  testing_support::Click(capture.Pickers().Face(), {face.right - 7, face.bottom / 2}, Delivery::Real);
  ExpectEscClosesTheListThenTheCapture();
}

TEST_F(CaptureKeptWorkTest, HandlesMoveTheirEdgesExactlyAndStopAtSizeZero) {
  Drag(200, 150, 400, 300);
  const FrameRect start{200, 150, 200, 150};
  ASSERT_EQ(Frame(), start);
  for (int handle = 0; handle < kHandleCount; ++handle) {
    SCOPED_TRACE(handle);
    const RECT h = PlaceOf(capture.HandleWindow(handle));
    const POINT on{h.left + 1, h.top + 1};
    // Out and back to where it was pressed.
    testing_support::MouseDown(capture.Handle(), on, MouseButton::Left, Delivery::Real);
    testing_support::MoveMouse(capture.Handle(), {on.x + 40, on.y + 30}, Delivery::Real);
    testing_support::MoveMouse(capture.Handle(), {on.x - 30, on.y - 20}, Delivery::Real);
    testing_support::MoveMouse(capture.Handle(), on, Delivery::Real);
    testing_support::MouseUp(capture.Handle(), on, MouseButton::Left, Delivery::Real);
    EXPECT_EQ(Frame(), start);
    // One fast move past the opposite edges.
    const DraggedEdges edges = EdgesOfHandle(handle);
    const POINT past{edges.Left ? 700 : edges.Right ? 20 : on.x, edges.Top ? 600 : edges.Bottom ? 20 : on.y};
    testing_support::Drag(capture.Handle(), on, past, Delivery::Real, MouseButton::Left, 1);
    EXPECT_EQ(Frame().Width, edges.Left || edges.Right ? 0 : 200);
    EXPECT_EQ(Frame().Height, edges.Top || edges.Bottom ? 0 : 150);
    // Put back for the next handle.
    Click(20, 20);
    Drag(200, 150, 400, 300);
    ASSERT_EQ(Frame(), start);
  }
  EXPECT_EQ(PlaceOf(capture.HandleWindow(0)).right - PlaceOf(capture.HandleWindow(0)).left,
            MulDiv(60, win::ScreenDpi().X, 1440));
}

TEST_F(CaptureKeptWorkTest, TheWholeScreenCanBeSelectedByADragOrAHandle) {
  const int right = area.Width - 1, bottom = area.Height - 1;
  Drag(0, 0, right, bottom);
  EXPECT_EQ(Frame(), (FrameRect{0, 0, static_cast<float>(area.Width), static_cast<float>(area.Height)}));
  Click(200, 200, MouseButton::Right);
  Drag(100, 100, 300, 250);
  ASSERT_EQ(Frame(), (FrameRect{100, 100, 200, 150}));  // an ordinary drag keeps its size
  const RECT h = PlaceOf(capture.HandleWindow(6));
  Drag(h.left + 2, h.top + 2, right, bottom);
  Drag(PlaceOf(capture.HandleWindow(0)).left + 2, PlaceOf(capture.HandleWindow(0)).top + 2, 0, 0);
  EXPECT_EQ(Frame(), (FrameRect{0, 0, static_cast<float>(area.Width), static_cast<float>(area.Height)}));
  PutClipboardText(L"before");
  ClickButton(kCopyButton);
  ASSERT_FALSE(capture.Exists());
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied->Width, area.Width);
  EXPECT_EQ(copied->Height, area.Height);
  EXPECT_EQ(copied->At(area.Width - 1, area.Height - 1), BackdropColour(area.Left + right, area.Top + bottom));
}

}  // namespace
}  // namespace quillane::capture
