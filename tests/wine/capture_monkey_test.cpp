// Thousands of random events into open capture windows: mouse moves, presses
// and releases of all three buttons, double-clicks, keys, toolbar clicks,
// the pickers and the handles, in any order. After each one the window must
// still answer (or have closed for a reason a user could give), the undo
// store must keep its order, and a closed window must leave no GDI object.
// The run is seeded and replayable:
//   QUILLANE_MONKEY_SEED=1234 QUILLANE_MONKEY_EVENTS=20000 scripts/wine-exec.sh
//     quillane_wine_tests.exe --gtest_filter='CaptureMonkey.*'
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "capture/frm_screen_capture.h"
#include "export_test_support.h"
#include "fake_services.h"
#include "win32/message_loop.h"

namespace quillane::capture {
namespace {

std::uint32_t FromEnvironment(const char* name, std::uint32_t otherwise) {
  const char* text = std::getenv(name);
  if (!text || !*text) return otherwise;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  return *end == '\0' ? static_cast<std::uint32_t>(value) : otherwise;
}

class Monkey {
 public:
  Monkey(std::uint32_t seed, testing_support::FakeDialogs& dialogs, const std::wstring& saveTo)
      : random_(seed), dialogs_(dialogs), saveTo_(saveTo) {}

  // One random event into `capture`; what it was, for the replay trail.
  std::string Act(FrmScreenCapture& capture) {
    capture_ = &capture;
    const int pick = Below(100);
    if (pick < 26) return Move();
    if (pick < 34) return Drag();
    if (pick < 44) return Press();
    if (pick < 57) return Release();
    if (pick < 59 && Chance(50)) return DoubleClick();
    if (pick < 68) return Key();
    if (pick < 84) return Toolbar();
    if (pick < 95) return Pickers();
    return Handle();
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  // Mostly in and around the region, where things happen; anywhere at times.
  POINT Point() {
    const Overlay& shown = capture_->Session().Shown();
    const ScreenArea area = capture_->Session().Metrics().Screen;
    if (shown.FrameVisible && Chance(75)) {
      const FrameRect& f = shown.Frame;
      return {static_cast<LONG>(f.Left) - 20 + Below(static_cast<int>(f.Width) + 41),
              static_cast<LONG>(f.Top) - 20 + Below(static_cast<int>(f.Height) + 41)};
    }
    return {Below(area.Width), Below(area.Height)};
  }
  WPARAM Keys() const {
    return (held_ & 1 ? MK_LBUTTON : 0) | (held_ & 2 ? MK_RBUTTON : 0) | (held_ & 4 ? MK_MBUTTON : 0);
  }
  static std::string Name(const char* what, POINT at) {
    return std::string(what) + "(" + std::to_string(at.x) + "," + std::to_string(at.y) + ")";
  }
  void Send(HWND window, UINT message, WPARAM keys, POINT at) {
    SendMessageW(window, message, keys, MAKELPARAM(at.x, at.y));
  }
  void Click(HWND window, POINT at) {
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(window)) Send(window, WM_LBUTTONUP, 0, at);
  }

  // A left drag as people make one: a region dragged out, or a stroke.
  std::string Drag() {
    const POINT from = Point(), to = Point();
    const HWND window = capture_->Handle();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, from);
    for (int step = 1; step <= 3 && IsWindow(window); ++step)
      Send(window, WM_MOUSEMOVE, MK_LBUTTON, {from.x + (to.x - from.x) * step / 3, from.y + (to.y - from.y) * step / 3});
    if (IsWindow(window)) Send(window, WM_LBUTTONUP, 0, to);
    held_ &= ~1u;
    return Name("drag", from) + Name("-", to);
  }
  std::string Move() {
    const POINT at = Point();
    Send(capture_->Handle(), WM_MOUSEMOVE, Keys(), at);
    return Name("move", at);
  }
  // Left most of the time, as people press it.
  unsigned Button() { return Chance(92) ? 1u : Chance(50) ? 2u : 4u; }
  std::string Press() {
    const unsigned button = Button();
    const POINT at = Point();
    held_ |= button;
    Send(capture_->Handle(), button == 1 ? WM_LBUTTONDOWN : button == 2 ? WM_RBUTTONDOWN : WM_MBUTTONDOWN, Keys(), at);
    return Name(button == 1 ? "ldown" : button == 2 ? "rdown" : "mdown", at);
  }
  std::string Release() {
    const unsigned button = held_ && Chance(90) ? (held_ & 1 ? 1u : held_ & 2 ? 2u : 4u) : Button();
    const POINT at = Point();
    held_ &= ~button;
    Send(capture_->Handle(), button == 1 ? WM_LBUTTONUP : button == 2 ? WM_RBUTTONUP : WM_MBUTTONUP, Keys(), at);
    return Name(button == 1 ? "lup" : button == 2 ? "rup" : "mup", at);
  }
  std::string DoubleClick() {
    const POINT at = Point();
    const HWND window = capture_->Handle();
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(window)) Send(window, WM_LBUTTONUP, 0, at);
    if (IsWindow(window)) Send(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    if (IsWindow(window)) Send(window, WM_LBUTTONUP, 0, at);
    held_ &= ~1u;
    return Name("double", at);
  }
  // Typed into whatever has the keys: the text box, the size text, the window.
  std::string Key() {
    static constexpr wchar_t kKeys[] = L"aZ1 .中文字\b\r\t";
    // Esc ends the capture; now and then a user presses it.
    const wchar_t key = Chance(1) ? wchar_t{27} : kKeys[Below(static_cast<int>(std::size(kKeys)) - 1)];
    const HWND focus = GetFocus();
    const HWND target = focus && IsChild(capture_->Handle(), focus) ? focus : capture_->Handle();
    SendMessageW(target, WM_CHAR, key, 1);
    return "key(" + std::to_string(static_cast<int>(key)) + ")";
  }
  std::string Toolbar() {
    if (!IsWindowVisible(capture_->Strip())) return Move();
    // The buttons that end the capture are rarer than the others.
    static constexpr int kCommon[] = {kRectangleTool, kEllipseTool, kTextTool, kArrowTool, kUndoButton, kRedoButton};
    static constexpr int kEnding[] = {kCopyButton, kSaveButton, kCloseButton};
    const int button = Chance(4) ? kEnding[Below(3)] : kCommon[Below(6)];
    if (button == kSaveButton) {
      dialogs_.SaveAnswers.clear();
      if (Chance(50)) dialogs_.SaveAnswers.push_back(win::SaveFileAnswer{saveTo_});  // else cancelled
    }
    const PixelBox& b = capture_->Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    Send(capture_->Strip(), WM_MOUSEMOVE, 0, {b.Left + 2, b.Top + 2});
    Click(capture_->Strip(), {b.Left + 2, b.Top + 2});
    return "button(" + std::to_string(button) + ")";
  }
  std::string Pickers() {
    const PickerPanel& panel = capture_->Pickers();
    if (!IsWindowVisible(panel.Handle())) return Toolbar();
    switch (Below(6)) {
      case 0: {  // the pointer over the palette, a swatch, a gap or the box
        const POINT at{Below(170), Below(30)};
        Send(panel.ColourPanel(), WM_MOUSEMOVE, 0, at);
        return Name("palette-move", at);
      }
      case 1: {
        const POINT at{Below(170), Below(30)};
        Click(panel.ColourPanel(), at);
        return Name("palette-click", at);
      }
      case 2:
        if (!IsWindowVisible(panel.Face())) return Move();
        Send(panel.Face(), WM_MOUSEMOVE, 0, {3, 3});
        Click(panel.Face(), {40, 10});
        return "face";
      case 3: {
        static constexpr const wchar_t* kSizes[] = {L"", L"abc", L"0", L"-3", L"1e40", L"8", L"36", L" 12 ", L"500"};
        const int which = Below(static_cast<int>(std::size(kSizes)));
        SetWindowTextW(panel.SizeText(), kSizes[which]);
        return "size(" + std::to_string(which) + ")";
      }
      case 4: {  // an entry chosen from the list
        const int entry = Below(static_cast<int>(kFontSizeEntries.size()));
        SendMessageW(panel.SizeList(), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SendMessageW(capture_->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(panel.SizeList()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(panel.SizeList()));
        return "entry(" + std::to_string(entry) + ")";
      }
      default:
        Send(panel.Handle(), WM_MOUSEMOVE, 0, {1, 1});
        return "panel-move";
    }
  }
  // A handle pressed, dragged with the screen cursor and released.
  std::string Handle() {
    const int index = Below(kHandleCount);
    const HWND handle = capture_->HandleWindow(index);
    if (!IsWindowVisible(handle)) return Press();
    const ScreenArea area = capture_->Session().Metrics().Screen;
    Send(handle, WM_LBUTTONDOWN, MK_LBUTTON, {1, 1});
    for (int step = Below(4); step >= 0 && IsWindow(handle); --step) {
      SetCursorPos(area.Left + Below(area.Width), area.Top + Below(area.Height));
      Send(handle, WM_MOUSEMOVE, MK_LBUTTON, {1, 1});
    }
    if (IsWindow(handle)) Send(handle, WM_LBUTTONUP, 0, {1, 1});
    return "handle(" + std::to_string(index) + ")";
  }

  std::mt19937 random_;
  testing_support::FakeDialogs& dialogs_;
  std::wstring saveTo_;
  FrmScreenCapture* capture_ = nullptr;
  unsigned held_ = 0;  // buttons the monkey holds down
};

TEST(CaptureMonkey, RandomEventsKeepTheCaptureAliveItsStoreInOrderAndLeakNothing) {
  const std::uint32_t seed = FromEnvironment("QUILLANE_MONKEY_SEED", 20240611);
  const std::uint32_t events = FromEnvironment("QUILLANE_MONKEY_EVENTS", 3000);
  std::deque<std::string> trail;  // the last events, for the failure message
  const auto replay = [&] {
    std::ostringstream text;
    text << "replay with QUILLANE_MONKEY_SEED=" << seed << "; last events:";
    for (const std::string& event : trail) text << ' ' << event;
    return text.str();
  };
  testing_support::FakeDialogs dialogs;
  exporting::wine_tests::TemporaryFolder folder;
  Monkey monkey(seed, dialogs, folder.File(L"monkey.bmp"));
  const auto before = win::LiveGdiObjects();
  std::unique_ptr<win::Owned<FrmScreenCapture>> capture;
  int openings = 0, commits = 0;
  std::int32_t lastStep = 1, lastTop = 1;
  for (std::uint32_t event = 0; event < events; ++event) {
    if (!capture || !capture->Exists()) {
      capture.reset();
      win::PumpPendingMessages();
      ASSERT_EQ(win::LiveGdiObjects(), before) << "after a close at event " << event << ", " << replay();
      capture = std::make_unique<win::Owned<FrmScreenCapture>>(CaptureServices{dialogs});
      ASSERT_TRUE(capture->Open(nullptr)) << replay();
      ShowWindow(capture->Handle(), SW_SHOW);
      ++openings;
      lastStep = lastTop = 1;
    }
    trail.push_back(monkey.Act(*capture));
    if (trail.size() > 30) trail.pop_front();
    win::PumpPendingMessages();
    if (!capture->Exists()) continue;
    // Still answering its messages and painting.
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(capture->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0) << replay();
    RedrawWindow(capture->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const CaptureSession& session = capture->Session();
    const SnapshotStore& store = session.Snapshots();
    ASSERT_TRUE(1 <= store.snapshotPos() && store.snapshotPos() <= store.snapshotTop() &&
                store.snapshotTop() <= store.LastIndex())
        << store.snapshotPos() << " " << store.snapshotTop() << " " << store.LastIndex() << ", " << replay();
    // The text box shows when the session says it waits, and only then.
    ASSERT_EQ(IsWindowVisible(capture->TextEdit()) != FALSE, session.Shown().Text.Visible) << replay();
    ASSERT_TRUE(!session.Shown().Text.Visible || session.Stroke().Active()) << replay();
    // A step pushed (a redo cannot go past the old top, nor start from it).
    if (store.snapshotTop() > lastTop || (store.snapshotPos() == lastStep + 1 && lastStep == lastTop)) ++commits;
    lastStep = store.snapshotPos();
    lastTop = store.snapshotTop();
  }
  capture.reset();
  win::PumpPendingMessages();
  EXPECT_EQ(win::LiveGdiObjects(), before) << replay();
  EXPECT_GT(openings, 1) << "the monkey never closed a capture: " << replay();
  EXPECT_GT(commits, static_cast<int>(events / 200)) << "the monkey hardly drew: " << replay();
  std::printf("monkey seed %u: %u events, %d captures opened, %d steps drawn\n", seed, events, openings, commits);
}

}  // namespace
}  // namespace quillane::capture
