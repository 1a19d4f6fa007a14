// Snapping with real windows and real clicks: the window under the pointer,
// as the screen froze, is outlined, and a click without a drag makes its
// rectangle the region that is copied.
#include <windows.h>
#include <gtest/gtest.h>

#include "capture_fixture.h"

namespace quillane::capture {
namespace {

using namespace testing;
using testing_support::Delivery;
using testing_support::WaitUntil;

struct Popup {
  HWND Handle;
  explicit Popup(RECT at)
      : Handle(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, at.left,
                               at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {}
  Popup(const Popup&) = delete;
  Popup& operator=(const Popup&) = delete;
  ~Popup() { DestroyWindow(Handle); }
};

// Window pixels of the capture: (120, 90)-(420, 290) over (60, 60)-(700, 500).
class CaptureSnapTest : public CaptureFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    // Both popups painted, and what their showing queued handled, before the screen freezes.
    UpdateWindow(lower.Handle);
    UpdateWindow(upper.Handle);
    win::PumpPendingMessages();
    CaptureFixture::SetUp();
  }
  RECT Place(int left, int top, int right, int bottom) const {
    return {area.Left + left, area.Top + top, area.Left + right, area.Top + bottom};
  }
  Popup lower{Place(60, 60, 700, 500)};
  Popup upper{Place(120, 90, 420, 290)};
};

INSTANTIATE_TEST_SUITE_P(Windows, CaptureSnapTest, ::testing::Values(0, 1));

TEST_P(CaptureSnapTest, AClickWithoutADragTakesTheWindowUnderItAndEnterCopiesIt) {
  const struct {
    POINT At;
    PixelBox Window;
  } cases[] = {{{200, 200}, {120, 90, 420, 290}}, {{600, 150}, {60, 60, 700, 500}}};  // the loupe clear of the corners
  const auto& c = cases[GetParam()];
  testing_support::MoveMouse(capture.Handle(), c.At, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return Session().Shown().SnapVisible; }));
  EXPECT_EQ(Session().Shown().Snap, c.Window);
  EXPECT_TRUE(ScreenShows(c.Window.Left, c.Window.Top, FrmScreenCapture::kFrameColour));
  EXPECT_TRUE(ScreenShows(c.Window.Right - 1, c.Window.Bottom - 1, FrmScreenCapture::kFrameColour));
  Click(c.At.x, c.At.y);
  EXPECT_EQ(Frame(), (FrameRect{static_cast<float>(c.Window.Left), static_cast<float>(c.Window.Top),
                                static_cast<float>(c.Window.Width()), static_cast<float>(c.Window.Height())}));
  EXPECT_TRUE(Visible(capture.Strip()));
  testing_support::PressKey(VK_RETURN, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !capture.Exists(); }));
  const auto copy = ClipboardPixels();
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Width, c.Window.Width());
  EXPECT_EQ(copy->Height, c.Window.Height());
  // The outline is never in the copy: its corner is the window's own pixel.
  EXPECT_NE(copy->At(0, 0), FrmScreenCapture::kFrameColour);
}

}  // namespace
}  // namespace quillane::capture
