// Annotating a captured region with real input: what each tool commits into
// the copy, the preview that leaves the picture alone, one undo step per
// commit, the pickers, text in any language, and typed text that is never
// lost or copied as a box.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/annotation_painter.h"
#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::Pixels;
using testing_support::WaitUntil;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
// Swatches of the palette by index.
constexpr int kBlueSwatch = 13, kGreenSwatch = 12;

class CaptureAnnotationTest : public CaptureFixture {
 protected:
  // The region (100, 100)-(500, 400): pixels 100..499 across, 100..399 down.
  void SetUp() override {
    CaptureFixture::SetUp();
    Drag(100, 100, 500, 400);
    ASSERT_EQ(Frame(), (FrameRect{100, 100, 400, 300}));
  }
  // The colour panel must be shown (a drawing tool chosen).
  POINT SwatchMiddle(int swatch) const {
    const PixelBox& b = capture.Pickers().Palette()[static_cast<std::size_t>(swatch)];
    return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  }
  void ChooseColour(int swatch) {
    testing_support::Click(capture.ColourPanel(), SwatchMiddle(swatch), Delivery::Real);
  }
  // The region as a copy takes it.
  Pixels Copy() const { return PictureArea({100, 100, 500, 400}); }
  Pixels PictureArea(const PixelBox& box) const {
    const win::Bitmap copy = capture.Surface().CopyArea(box);
    return testing_support::BitmapPixels(copy.Get());
  }
  COLORREF Desktop(int x, int y) const { return BackdropColour(area.Left + x, area.Top + y); }
  int Step() const { return Session().Snapshots().snapshotPos(); }
};

TEST_F(CaptureAnnotationTest, EachToolCommitsItsPixelsIntoTheCopy) {
  ClickButton(kRectangleTool);
  Drag(150, 150, 250, 220);  // red, the starting colour
  ChooseColour(kBlueSwatch);
  ClickButton(kEllipseTool);
  Drag(300, 150, 400, 250);
  ChooseColour(kGreenSwatch);
  ClickButton(kArrowTool);
  Drag(150, 300, 250, 300);  // to the right
  ClickButton(kRectangleTool);
  Drag(420, 330, 700, 600);  // past the region's bottom-right corner
  EXPECT_EQ(Step(), 5);
  PutClipboardText(L"before");
  ClickButton(kCopyButton);
  ASSERT_FALSE(capture.Exists());
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied.has_value());
  ASSERT_EQ(copied->Width, 400);
  const auto at = [&](int x, int y) { return copied->At(x - 100, y - 100); };
  // The rectangle's four edges through both corners, its inside untouched.
  for (int x = 150; x <= 250; ++x) EXPECT_TRUE(at(x, 150) == kRed && at(x, 220) == kRed) << x;
  for (int y = 150; y <= 220; ++y) EXPECT_TRUE(at(150, y) == kRed && at(250, y) == kRed) << y;
  EXPECT_EQ(at(200, 185), Desktop(200, 185));
  EXPECT_EQ(at(251, 185), Desktop(251, 185));
  // The ellipse's outline at its four extremes, its inside untouched.
  for (const POINT p : {POINT{300, 200}, POINT{350, 150}, POINT{399, 200}, POINT{350, 249}})
    EXPECT_EQ(at(p.x, p.y), kBlue) << p.x << "," << p.y;
  for (const POINT p : {POINT{350, 200}, POINT{310, 160}, POINT{303, 200}})
    EXPECT_EQ(at(p.x, p.y), Desktop(p.x, p.y)) << p.x << "," << p.y;
  // The arrow: shaft, tip, and the wings 10 back and 5 to each side.
  for (const POINT p : {POINT{150, 300}, POINT{200, 300}, POINT{250, 300}, POINT{240, 295}, POINT{240, 305},
                        POINT{242, 296}, POINT{248, 299}, POINT{242, 304}, POINT{248, 301}})
    EXPECT_EQ(at(p.x, p.y), kGreen) << p.x << "," << p.y;
  EXPECT_EQ(at(240, 300 - 7), Desktop(240, 293));
  // Clamped to the region's last column and row, which the copy still holds.
  for (int y = 330; y < 400; ++y) EXPECT_EQ(at(499, y), kGreen) << y;
  for (int x = 420; x < 500; ++x) EXPECT_EQ(at(x, 399), kGreen) << x;
}

// Screen pixels of a window rectangle.
Pixels OnScreen(const ScreenArea& area, const RECT& r) {
  return testing_support::ScreenPixels({area.Left + r.left, area.Top + r.top, area.Left + r.right, area.Top + r.bottom});
}

// How many pixels of `shown` differ from `expected` outside `spared`
// (both taken at `origin` of the window).
int DifferencesOutside(const Pixels& shown, const Pixels& expected, POINT origin, const RECT& spared) {
  int count = 0;
  for (int y = 0; y < shown.Height; ++y)
    for (int x = 0; x < shown.Width; ++x) {
      const POINT p{origin.x + x, origin.y + y};
      if (!PtInRect(&spared, p) && shown.At(x, y) != expected.At(x, y)) ++count;
    }
  return count;
}

// The area a repaint will cover now, in pixels.
long UpdateArea(HWND window) {
  const win::Region region(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(window, region.Get(), FALSE) == NULLREGION) return 0;
  RECT box{};
  GetRgnBox(region.Get(), &box);
  return (box.right - box.left) * (box.bottom - box.top);
}

TEST_F(CaptureAnnotationTest, ThePreviewShowsOnTheWindowOnlyAndGoesWithoutARepaintOfThePicture) {
  ClickButton(kEllipseTool);
  const Pixels before = Copy();
  const RECT watched{140, 140, 470, 370};
  testing_support::MouseDown(capture.Handle(), {150, 150}, testing_support::MouseButton::Left, Delivery::Real);
  for (const POINT to : {POINT{300, 250}, POINT{450, 350}, POINT{600, 700}}) {
    testing_support::MoveMouse(capture.Handle(), to, Delivery::Real);
    EXPECT_EQ(Copy(), before) << "the picture is not drawn on before the release";
  }
  // Clamped into the region: the ellipse in the box (150, 150)-(499, 399) shows on the screen.
  EXPECT_TRUE(ScreenShows(150, 274, kRed));
  EXPECT_TRUE(ScreenShows(324, 150, kRed));
  // A move draws the new shape straight on the window and repaints nothing of the picture.
  UpdateWindow(capture.Handle());
  SendMessageW(capture.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
  EXPECT_LT(UpdateArea(capture.Handle()), 3000);
  UpdateWindow(capture.Handle());
  // Shrunk to a small one, nothing of the larger ones is left.
  testing_support::MoveMouse(capture.Handle(), {170, 170}, Delivery::Real);
  const RECT small{148, 148, 172, 172};
  EXPECT_TRUE(WaitUntil([&] {
    return DifferencesOutside(OnScreen(area, watched), PictureArea({140, 140, 470, 370}), {140, 140}, small) == 0;
  }));
  EXPECT_EQ(Copy(), before);
  EXPECT_EQ(Step(), 1);
  testing_support::MouseUp(capture.Handle(), {170, 170}, testing_support::MouseButton::Left, Delivery::Real);
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(DifferencesOutside(Copy(), before, {100, 100}, small), 0);
  EXPECT_EQ(capture.Surface().PixelAt(150, 160), kRed);
  EXPECT_TRUE(ScreenShows(150, 160, kRed));
}

TEST_F(CaptureAnnotationTest, EveryCommitIsOneStepAndUndoAndRedoRestoreEachExactly) {
  // Inside the region, clear of its labels, strip and frame.
  const RECT inside{110, 150, 490, 390};
  const auto shown = [&] { return OnScreen(area, inside); };
  const auto picture = [&] { return PictureArea({110, 150, 490, 390}); };
  std::vector<Pixels> steps{picture()};
  ClickButton(kRectangleTool);
  Drag(150, 160, 300, 260);
  steps.push_back(picture());
  ClickButton(kArrowTool);
  Click(320, 300);  // no length: nothing drawn, no step
  EXPECT_EQ(Step(), 2);
  ChooseColour(kBlueSwatch);
  ClickButton(kEllipseTool);
  Drag(310, 170, 460, 280);
  steps.push_back(picture());
  ClickButton(kTextTool);
  Click(160, 300);
  testing_support::TypeText(L"ok", Delivery::Real);
  Click(400, 380);
  steps.push_back(picture());
  Click(160, 340);  // an empty text: no step
  Click(400, 380);
  EXPECT_EQ(picture(), steps.back());
  ASSERT_EQ(Step(), 4);
  EXPECT_EQ(Session().Snapshots().LastIndex(), 4);
  for (std::size_t step = 1; step < steps.size(); ++step) EXPECT_NE(steps[step], steps[step - 1]) << step;
  for (int step = 3; step >= 1; --step) {
    ClickButton(kUndoButton);
    ASSERT_EQ(Step(), step);
    EXPECT_EQ(picture(), steps[static_cast<std::size_t>(step - 1)]) << step;
    EXPECT_TRUE(WaitUntil([&] { return shown() == steps[static_cast<std::size_t>(step - 1)]; })) << step;
  }
  for (int step = 2; step <= 4; ++step) {
    ClickButton(kRedoButton);
    ASSERT_EQ(Step(), step);
    EXPECT_EQ(picture(), steps[static_cast<std::size_t>(step - 1)]) << step;
    EXPECT_TRUE(WaitUntil([&] { return shown() == steps[static_cast<std::size_t>(step - 1)]; })) << step;
  }
  EXPECT_EQ(Session().Snapshots().snapshotTop(), 4);
}

// A step keeps only the rectangle its drawing changed: strokes crossing each
// other and the region's edge, undone and redone in any order, give the
// whole picture back exactly. A step the codec cannot store stays drawn and
// is kept by the next stored step, so undoing a later stroke over it keeps
// it; a step it cannot read back changes nothing.
TEST_F(CaptureAnnotationTest, OverlappingStepsUndoAndRedoTheWholePictureExactly) {
  const auto whole = [&] { return PictureArea({0, 0, area.Width, area.Height}); };
  const auto stroke = [&](int tool, int swatch, POINT from, POINT to) {
    ClickButton(tool);
    ChooseColour(swatch);
    Drag(from.x, from.y, to.x, to.y);
  };
  const auto stepBy = [&](int button, int times) {
    for (int i = 0; i < times; ++i) ClickButton(button);
  };
  std::vector<Pixels> steps{whole()};
  stroke(kRectangleTool, kBlueSwatch, {150, 150}, {300, 260});
  steps.push_back(whole());
  stroke(kEllipseTool, kGreenSwatch, {200, 180}, {420, 330});
  steps.push_back(whole());
  stroke(kArrowTool, kBlueSwatch, {120, 380}, {460, 120});
  steps.push_back(whole());
  stroke(kRectangleTool, kGreenSwatch, {250, 200}, {700, 600});  // past the region's corner
  steps.push_back(whole());
  ASSERT_EQ(Step(), 5);
  for (int i = 2; i <= 5; ++i)
    EXPECT_LT(Session().Snapshots().Entry(i).size(), static_cast<std::size_t>(area.Width) * area.Height) << i;
  const auto expectStep = [&](int step) {
    ASSERT_EQ(Step(), step);
    EXPECT_EQ(whole(), steps[static_cast<std::size_t>(step - 1)]) << step;
  };
  stepBy(kUndoButton, 2);
  expectStep(3);
  stepBy(kRedoButton, 1);
  expectStep(4);
  stepBy(kUndoButton, 3);
  expectStep(1);
  stepBy(kRedoButton, 4);
  expectStep(5);
  stepBy(kUndoButton, 2);
  stroke(kEllipseTool, kBlueSwatch, {130, 130}, {480, 390});  // a new step drops the redo history
  EXPECT_EQ(Session().Snapshots().snapshotTop(), 4);
  stepBy(kUndoButton, 1);
  expectStep(3);
  stepBy(kRedoButton, 1);
  const Pixels crossed = whole();

  codec.FailRead = true;
  stepBy(kUndoButton, 1);
  ASSERT_EQ(Step(), 4);
  EXPECT_EQ(whole(), crossed);
  codec.FailRead = false;

  codec.FailWrite = true;
  stroke(kRectangleTool, kGreenSwatch, {160, 320}, {260, 380});
  codec.FailWrite = false;
  EXPECT_EQ(Step(), 4);
  stroke(kArrowTool, kBlueSwatch, {400, 120}, {480, 160});  // elsewhere: the unstored drawing goes in with it
  const Pixels kept = whole();
  stroke(kEllipseTool, kGreenSwatch, {150, 300}, {280, 390});  // over the unstored drawing
  ASSERT_EQ(Step(), 6);
  stepBy(kUndoButton, 2);  // the second would go past the unstored drawing
  ASSERT_EQ(Step(), 5);
  EXPECT_EQ(whole(), kept);
}

TEST_F(CaptureAnnotationTest, SwatchesAreFramedUnderThePointerAndAColourChosenBetweenTheTextClicksApplies) {
  ClickButton(kTextTool);
  const HWND palette = capture.ColourPanel();
  const auto framed = [&] {
    const Pixels panel = testing_support::ClientPixels(palette);
    std::string which;
    for (int i = 0; i < kSwatchCount; ++i) {
      const PixelBox& b = capture.Pickers().Palette()[static_cast<std::size_t>(i)];
      if (panel.At(b.Left, b.Top) == PickerPanel::kFrame) which += static_cast<char>('a' + i);
    }
    return which;
  };
  EXPECT_EQ(framed(), "");
  for (const int swatch : {0, 1, 2, 10})  // swatch to swatch: each keeps its frame
    testing_support::MoveMouse(palette, SwatchMiddle(swatch), Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return framed() == "abck"; })) << framed();
  const PixelBox& third = capture.Pickers().Palette()[2];
  testing_support::MoveMouse(palette, {third.Right + 1, third.Top + 2}, Delivery::Real);  // the gap
  EXPECT_TRUE(WaitUntil([&] { return framed().empty(); })) << framed();
  testing_support::MoveMouse(palette, SwatchMiddle(5), Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return framed() == "f"; })) << framed();
  testing_support::MoveMouse(palette, SwatchMiddle(kCurrentColourBox), Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return framed().empty(); })) << framed();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));

  Click(200, 200);
  ASSERT_TRUE(IsWindowVisible(capture.TextEdit()));
  testing_support::TypeText(L"Hello", Delivery::Real);
  ChooseColour(kBlueSwatch);
  const POINT box = SwatchMiddle(kCurrentColourBox);
  EXPECT_TRUE(WaitUntil([&] { return testing_support::ClientPixels(palette).At(box.x, box.y) == kBlue; }));
  ChooseColour(kCurrentColourBox);  // the box itself keeps its colour
  Click(400, 380);
  const Pixels text = PictureArea({200, 200, 260, 230});
  EXPECT_GT(text.Width * text.Height - text.CountOtherThan(kBlue), 20);
  EXPECT_EQ(text.Width * text.Height - text.CountOtherThan(kRed), 0);
}

TEST_F(CaptureAnnotationTest, ChineseTextIsDrawnAsGlyphsExactlyWhereAndHowItWasTyped) {
  ClickButton(kTextTool);
  Click(150, 200);
  const std::wstring typed = L"中文字样";
  testing_support::TypeText(typed, Delivery::Real);
  const RECT box = PlaceOf(capture.TextEdit());
  RECT format{};
  SendMessageW(capture.TextEdit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const win::Font font = AnnotationFont(11, win::ScreenDpi());
  SIZE extent{};
  {
    const win::WindowDc dc(capture.TextEdit());
    const win::SelectGuard selected(dc.Get(), font.Get());
    GetTextExtentPoint32W(dc.Get(), typed.c_str(), static_cast<int>(typed.size()), &extent);
  }
  EXPECT_GE(box.right - box.left, extent.cx) << "the box grew with its text";
  const RECT text{box.left + format.left, box.top + format.top, box.left + format.left + extent.cx,
                  box.top + format.top + extent.cy};
  // What the box shows over the picture (the caret lies after the text).
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(area, text).CountOtherThan(kRed) < extent.cx * extent.cy; }));
  const Pixels typedShown = OnScreen(area, text);
  Click(400, 380);
  EXPECT_FALSE(IsWindowVisible(capture.TextEdit()));
  const Pixels drawn = PictureArea({text.left, text.top, text.right, text.bottom});
  EXPECT_EQ(drawn, typedShown);

  // The same text drawn by the wide function over the same pixels, and as
  // the single-byte function of this code page would draw it.
  const auto reference = [&](bool wide) {
    win::DibSection dib = win::CreateDibSection(extent.cx, extent.cy);
    const win::WindowDc screen(nullptr);
    const win::MemoryDc dc(screen.Get());
    const win::SelectGuard selected(dc.Get(), dib.Handle.Get());
    for (int y = 0; y < extent.cy; ++y)
      for (int x = 0; x < extent.cx; ++x) SetPixelV(dc.Get(), x, y, Desktop(text.left + x, text.top + y));
    const win::SelectGuard withFont(dc.Get(), font.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), kRed);
    if (wide) {
      TextOutW(dc.Get(), 0, 0, typed.c_str(), static_cast<int>(typed.size()));
    } else {
      std::string narrow(typed.size() * 2, '\0');
      narrow.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, typed.c_str(), static_cast<int>(typed.size()),
                                                                 narrow.data(), static_cast<int>(narrow.size()),
                                                                 nullptr, nullptr)));
      TextOutA(dc.Get(), 0, 0, narrow.c_str(), static_cast<int>(narrow.size()));
    }
    GdiFlush();
    Pixels pixels{extent.cx, extent.cy, {}};
    for (std::size_t i = 0; i < static_cast<std::size_t>(extent.cx) * extent.cy; ++i)
      pixels.Data.push_back(RGB(dib.Pixels[i] >> 16 & 0xFF, dib.Pixels[i] >> 8 & 0xFF, dib.Pixels[i] & 0xFF));
    return pixels;
  };
  EXPECT_EQ(drawn, reference(true));
  EXPECT_NE(drawn, reference(false));
}

TEST_F(CaptureAnnotationTest, TwoPressesOnTheFaceOpenAndCloseTheListAndAnEntryOrATypedSizeSetsTheFont) {
  ClickButton(kTextTool);
  const HWND face = capture.Pickers().Face(), list = capture.Pickers().SizeList();
  RECT client{};
  GetClientRect(face, &client);
  const POINT button{client.right - 7, client.bottom / 2};  // the drop arrow
  const auto dropped = [&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; };
  testing_support::MoveMouse(face, button, Delivery::Real);
  EXPECT_EQ(Session().Shown().Face, FaceLook::Hover);
  EXPECT_TRUE(WaitUntil([&] { return testing_support::ClientPixels(face).At(0, 0) == PickerPanel::kFrame; }));
  testing_support::Click(face, button, Delivery::Real);
  EXPECT_TRUE(WaitUntil(dropped));
  EXPECT_EQ(Session().Shown().Face, FaceLook::Pressed);
  testing_support::Click(face, button, Delivery::Real);
  EXPECT_TRUE(WaitUntil([&] { return !dropped(); }));

  // An entry of the list sets the size text, and the font follows it.
  testing_support::Click(face, button, Delivery::Real);
  ASSERT_TRUE(WaitUntil(dropped));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(list, &info));
  const auto entry = SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(L"36"));
  SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(entry), 0);
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
  testing_support::Click(info.hwndList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2}, Delivery::Real);
  const HWND sizeText = capture.Pickers().SizeText();
  EXPECT_TRUE(WaitUntil([&] { return testing_support::WindowText(sizeText) == L"36"; }))
      << testing_support::WindowText(sizeText);
  EXPECT_EQ(Session().FontSize(), 36);
  Click(200, 200);
  const RECT box = PlaceOf(capture.TextEdit());
  EXPECT_GE(box.bottom - box.top, 36 * win::ScreenDpi().Y / 72) << "the box is as tall as the font";

  // A size that is not a number from 1 to 500 keeps the last one, and the program.
  for (const wchar_t* bad : {L"", L"abc", L"0", L"-3", L"1e40", L"501", L"12px"}) {
    SetWindowTextW(sizeText, bad);
    EXPECT_EQ(Session().FontSize(), 36) << bad;
  }
  SetWindowTextW(sizeText, L" 9 ");
  EXPECT_EQ(Session().FontSize(), 36) << "only once it is done";
  SetFocus(sizeText);
  SetFocus(capture.Handle());
  EXPECT_EQ(Session().FontSize(), 9);
  testing_support::TypeText(L"x", Delivery::Real);
  EXPECT_LT(PlaceOf(capture.TextEdit()).bottom - PlaceOf(capture.TextEdit()).top, box.bottom - box.top);
  EXPECT_TRUE(capture.Exists());
}

TEST_F(CaptureAnnotationTest, WaitingTextIsDrawnOnAToolSwitchAndBeforeACopyAndAnEmptyBoxOnlyGoes) {
  ClickButton(kTextTool);
  Click(150, 200);
  testing_support::TypeText(L"first", Delivery::Real);
  ClickButton(kRectangleTool);
  EXPECT_EQ(Step(), 2);
  EXPECT_FALSE(IsWindowVisible(capture.TextEdit()));
  EXPECT_NE(GetFocus(), capture.TextEdit());
  EXPECT_FALSE(Session().Stroke().Active());
  EXPECT_GT(PictureArea({150, 200, 190, 215}).CountOtherThan(kRed), 0);
  EXPECT_LT(PictureArea({150, 200, 190, 215}).CountOtherThan(kRed), 40 * 15);
  // The stroke ended: a drag from outside the region draws nothing.
  const Pixels before = Copy();
  Drag(50, 50, 300, 300);
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(Copy(), before);

  ClickButton(kTextTool);
  Click(150, 250);
  ASSERT_TRUE(IsWindowVisible(capture.TextEdit()));
  ClickButton(kArrowTool);  // an empty box only goes
  EXPECT_EQ(Step(), 2);
  EXPECT_FALSE(IsWindowVisible(capture.TextEdit()));

  ClickButton(kTextTool);
  Click(150, 300);
  testing_support::TypeText(L"second", Delivery::Real);
  const RECT box = PlaceOf(capture.TextEdit());
  SIZE typedSize{};
  {
    const win::Font font = AnnotationFont(11, win::ScreenDpi());
    const win::WindowDc dc(capture.TextEdit());
    const win::SelectGuard selected(dc.Get(), font.Get());
    GetTextExtentPoint32W(dc.Get(), L"second", 6, &typedSize);
  }
  const RECT text{box.left, box.top, box.left + typedSize.cx - 2, box.bottom};  // not the caret after it
  const int boxPixels = (text.right - text.left) * (text.bottom - text.top);
  EXPECT_TRUE(WaitUntil([&] { return OnScreen(area, text).CountOtherThan(kRed) < boxPixels; }));
  const Pixels typed = OnScreen(area, text);
  ClickButton(kCopyButton);
  ASSERT_FALSE(capture.Exists());
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied.has_value());
  Pixels inCopy{typed.Width, typed.Height, {}};
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x) inCopy.Data.push_back(copied->At(x - 100, y - 100));
  EXPECT_EQ(inCopy, typed);
}

TEST_F(CaptureAnnotationTest, EscInTheTextBoxEndsTheCapture) {
  ClickButton(kTextTool);
  Click(150, 200);
  testing_support::TypeText(L"ab", Delivery::Real);
  ASSERT_EQ(GetFocus(), capture.TextEdit());
  testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  EXPECT_FALSE(capture.Exists());
}

TEST_F(CaptureAnnotationTest, EscInTheSizeListClosesTheOpenListFirstAndThenTheCapture) {
  ClickButton(kTextTool);
  const HWND list = capture.Pickers().SizeList();
  SetFocus(list);
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  ExpectEscClosesTheListThenTheCapture();
}

TEST_F(CaptureAnnotationTest, EscInTheSizeTextEndsTheCapture) {
  ClickButton(kTextTool);
  SetFocus(capture.Pickers().SizeText());
  testing_support::PressKey(VK_ESCAPE, Delivery::Real);
  EXPECT_FALSE(capture.Exists());
}

TEST(CaptureAnnotation, RepeatedDrawingsUndoneAndCopiedLeaveNoGdiObjectBehind) {
  testing_support::FakeDialogs dialogs;
  const auto send = [](HWND window, UINT message, WPARAM keys, POINT at) {
    SendMessageW(window, message, keys, MAKELPARAM(at.x, at.y));
  };
  EXPECT_TRUE(LeavesNoGdiObject(dialogs, testing_support::SoakRounds(), [&](FrmScreenCapture& capture, int i) {
    const HWND window = capture.Handle();
    SendLeftDrag(window, {20, 20}, {400, 300 + i});
    SendButtonClick(capture, i % 3 == 0 ? kRectangleTool : i % 3 == 1 ? kEllipseTool : kArrowTool);
    const PixelBox& swatch = capture.Pickers().Palette()[static_cast<std::size_t>(i % kSwatchCount)];
    SendLeftClick(capture.ColourPanel(), {swatch.Left + 1, swatch.Top + 1});
    send(window, WM_LBUTTONDOWN, MK_LBUTTON, {50, 50});
    send(window, WM_MOUSEMOVE, MK_LBUTTON, {200, 150 + i});
    send(window, WM_MOUSEMOVE, MK_LBUTTON, {500, 100});
    send(window, WM_LBUTTONUP, 0, {500, 100});
    SendButtonClick(capture, kTextTool);
    SetWindowTextW(capture.Pickers().SizeText(), i % 2 ? L"24" : L"abc");
    SendLeftClick(window, {60, 200});
    SetWindowTextW(capture.TextEdit(), L"文字 text");
    SendLeftClick(window, {300, 250});
    win::PumpPendingMessages();
    ASSERT_EQ(capture.Session().Snapshots().snapshotPos(), 3) << i;
    SendButtonClick(capture, kUndoButton);
    if (i % 2) {
      SendLeftClick(window, {70, 220});  // a text still waiting when the copy is taken
      SetWindowTextW(capture.TextEdit(), L"等待");
    }
    SendButtonClick(capture, kCopyButton);
    ASSERT_FALSE(capture.Exists()) << i;
  }));
  EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillane::capture
