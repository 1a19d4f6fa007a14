#pragma once
// For the capture tests: an open capture window over the known backdrop,
// real input at its pixels, its toolbar's buttons, and the clipboard as
// another program would see it.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "capture/frm_screen_capture.h"
#include "capture_backdrop.h"
#include "export/excel_property_bag.h"
#include "fake_services.h"
#include "input_driver.h"
#include "pixel_probe.h"
#include "soak.h"
#include "test_windows.h"
#include "waiting.h"
#include "win32/kernel_handle.h"

namespace quillane::capture::testing {

// Serialises through ExcelPropertyBag, failing when a test says so.
class SwitchableCodec final : public PictureCodec {
 public:
  bool FailWrite = false;
  bool FailRead = false;
  void WriteP(std::vector<std::uint8_t>& bytes, const win::Picture& picture) override {
    if (FailWrite) throw std::bad_alloc();
    bag_.WriteP(bytes, picture);
  }
  win::Picture ReadP(std::span<const std::uint8_t> bytes) override {
    if (FailRead) throw std::runtime_error("damaged");
    return bag_.ReadP(bytes);
  }

 private:
  exporting::ExcelPropertyBag bag_;
};

// The backdrop's pixels in that area of the capture window.
inline testing_support::Pixels BackdropPixels(const ScreenArea& screen, const PixelBox& area) {
  testing_support::Pixels pixels{area.Width(), area.Height(), {}};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) pixels.Data.push_back(BackdropColour(screen.Left + x, screen.Top + y));
  return pixels;
}

// The clipboard's bitmap, read as any program reads it; nothing when it has none.
inline std::optional<testing_support::Pixels> ClipboardPixels() {
  if (!testing_support::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 1000)) return std::nullopt;
  std::optional<testing_support::Pixels> pixels;
  if (const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
    pixels = testing_support::BitmapPixels(bitmap);
  CloseClipboard();
  return pixels;
}

// Puts text on the clipboard, as another program would.
inline void PutClipboardText(const std::wstring& text) {
  ASSERT_TRUE(testing_support::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 1000));
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

inline std::wstring ClipboardText() {
  if (!testing_support::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 1000)) return L"(busy)";
  std::wstring text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Another thread holding the clipboard open, as a busy program does, until
// it is let go.
class ClipboardHolder {
 public:
  ClipboardHolder()
      : release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), held_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] {
      const bool opened = OpenClipboard(nullptr) != FALSE;
      SetEvent(held_.Get());
      WaitForSingleObject(release_.Get(), INFINITE);
      if (opened) CloseClipboard();
    });
    WaitForSingleObject(held_.Get(), 5000);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  ~ClipboardHolder() { Release(); }
  // Lets the clipboard go; it is closed when this returns.
  void Release() {
    SetEvent(release_.Get());
    if (thread_.joinable()) thread_.join();
  }

 private:
  win::KernelHandle release_;
  win::KernelHandle held_;
  std::thread thread_;
};

// Input sent straight to a window's procedure, for loops too fast for real input.
inline void SendLeftDrag(HWND window, POINT from, POINT to) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}
inline void SendLeftClick(HWND window, POINT at) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}
// Inside a toolbar button, near its top left corner.
inline void SendButtonClick(const FrmScreenCapture& capture, int button) {
  const PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
  SendLeftClick(capture.Strip(), {b.Left + 1, b.Top + 1});
}

// Opens and shows `rounds` captures in turn, hands each to `round` with its
// number, and tells whether any GDI object is left behind once all are gone.
template <class Round>
::testing::AssertionResult LeavesNoGdiObject(testing_support::FakeDialogs& dialogs, int rounds, Round round) {
  const auto before = win::LiveGdiObjects();
  for (int i = 0; i < rounds; ++i) {
    win::Owned<FrmScreenCapture> capture(CaptureServices{dialogs});
    if (!capture.Open(nullptr)) return ::testing::AssertionFailure() << "capture " << i << " did not open";
    ShowWindow(capture.Handle(), SW_SHOW);
    round(capture, i);
    if (::testing::Test::HasFatalFailure()) return ::testing::AssertionFailure() << "round " << i << " failed";
  }
  win::PumpPendingMessages();
  const auto left = win::LiveGdiObjects() - before;
  if (left == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << left << " GDI objects left behind";
}

// A capture window opened over the backdrop, shown and in front.
class CaptureFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(capture.Open(nullptr));
    ShowWindow(capture.Handle(), SW_SHOW);
    SetForegroundWindow(capture.Handle());
    UpdateWindow(capture.Handle());
    testing_support::WaitUntil([&] { return GetForegroundWindow() == capture.Handle(); });
  }
  void TearDown() override {
    capture.Destroy();
    win::PumpPendingMessages();
  }

  const CaptureSession& Session() const { return capture.Session(); }
  FrameRect Frame() const { return Session().Shown().Frame; }
  RECT PlaceOf(HWND control) const { return testing_support::PlaceInParent(control); }
  bool Visible(HWND control) const { return IsWindowVisible(control) != FALSE; }
  // Waits for the screen to show `colour` at that window pixel.
  bool ScreenShows(int x, int y, COLORREF colour) const {
    return testing_support::WaitUntil(
        [&] { return testing_support::ScreenPixel({area.Left + x, area.Top + y}) == colour; }, 1500);
  }
  // Real input at window pixels.
  void Drag(int x0, int y0, int x1, int y1) {
    testing_support::Drag(capture.Handle(), {x0, y0}, {x1, y1}, testing_support::Delivery::Real);
  }
  void Click(int x, int y, testing_support::MouseButton button = testing_support::MouseButton::Left) {
    testing_support::Click(capture.Handle(), {x, y}, testing_support::Delivery::Real, button);
  }
  // With the size list dropped down: Esc closes only the list, a second Esc the capture.
  void ExpectEscClosesTheListThenTheCapture() {
    const HWND list = capture.Pickers().SizeList();
    ASSERT_TRUE(testing_support::WaitUntil([&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    testing_support::PressKey(VK_ESCAPE, testing_support::Delivery::Real);
    EXPECT_TRUE(testing_support::WaitUntil([&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0; }));
    ASSERT_TRUE(capture.Exists());
    testing_support::PressKey(VK_ESCAPE, testing_support::Delivery::Real);
    EXPECT_FALSE(capture.Exists());
  }
  // The middle of a toolbar button, in the strip's pixels.
  POINT ButtonMiddle(int button) const {
    const PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    return {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  }
  void ClickButton(int button) {
    testing_support::Click(capture.Strip(), ButtonMiddle(button), testing_support::Delivery::Real);
  }
  // What a copy of the region must hold.
  testing_support::Pixels RegionOfBackdrop(const PixelBox& region) const { return BackdropPixels(area, region); }

  const ScreenArea area = VirtualScreen();
  Backdrop backdrop;
  testing_support::FakeDialogs dialogs;
  testing_support::FakeDisk disk;
  SwitchableCodec codec;
  // The real clipboard; between two attempts to open it runs what a test
  // sets here instead of the program's pause.
  std::function<void(int failedAttempts)> betweenClipboardAttempts;
  win::SystemClipboard clipboard{10, [this](int failed) {
                                   if (betweenClipboardAttempts) betweenClipboardAttempts(failed);
                                   else Sleep(25);  // the program's own pause, for Wine's brief holds
                                 }};
  win::Owned<FrmScreenCapture> capture{CaptureServices{.Dialogs = dialogs, .Clipboard = clipboard, .Files = disk}, codec};
};

}  // namespace quillane::capture::testing
