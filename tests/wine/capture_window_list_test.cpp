// The window list snapping works from, taken from real top-level windows,
// and the loupe painted onto a real device context.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "capture/capture_surface.h"
#include "capture/loupe_painter.h"
#include "capture/window_list.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace quillane::capture {
namespace {

struct TopWindow {
  HWND Handle;
  explicit TopWindow(RECT at, DWORD style = WS_POPUP | WS_VISIBLE, HWND owner = nullptr)
      : Handle(CreateWindowExW(0, L"STATIC", L"snap", style, at.left, at.top, at.right - at.left,
                               at.bottom - at.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  TopWindow(const TopWindow&) = delete;
  TopWindow& operator=(const TopWindow&) = delete;
  ~TopWindow() {
    if (IsWindow(Handle)) DestroyWindow(Handle);
  }
  void Raise() const { SetWindowPos(Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
};

std::uintptr_t Id(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

// Where each window stands in the list (-1: not listed).
int Place(const std::vector<WindowFacts>& list, HWND window) {
  const auto at = std::find_if(list.begin(), list.end(), [&](const WindowFacts& f) { return f.Handle == Id(window); });
  return at == list.end() ? -1 : static_cast<int>(at - list.begin());
}

const WindowFacts& FactsFor(const std::vector<WindowFacts>& list, HWND window) {
  return list[static_cast<std::size_t>(Place(list, window))];
}

PixelBox BoxOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TEST(CaptureWindowList, ListsTopLevelWindowsTopmostFirstWithWhatSnappingSkips) {
  const TopWindow maximised({50, 50, 300, 300}, WS_OVERLAPPEDWINDOW);
  ShowWindow(maximised.Handle, SW_SHOWMAXIMIZED);
  SetWindowPos(maximised.Handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const TopWindow low({100, 100, 400, 300});
  const TopWindow middle({200, 150, 500, 350});
  const TopWindow high({250, 200, 350, 260});
  low.Raise();
  middle.Raise();
  high.Raise();
  const TopWindow hidden({120, 120, 480, 330}, WS_POPUP);
  const TopWindow empty({300, 300, 300, 300});
  const TopWindow minimised({130, 130, 460, 330}, WS_OVERLAPPEDWINDOW);
  ShowWindow(minimised.Handle, SW_SHOWMINNOACTIVE);
  const TopWindow capture({0, 0, 600, 400});
  const TopWindow captureTip({260, 210, 300, 230}, WS_POPUP | WS_VISIBLE, capture.Handle);
  win::PumpPendingMessages();

  SystemWindowLister lister({capture.Handle});
  const std::vector<WindowFacts> list = lister.TopLevelWindows();
  for (HWND w : {maximised.Handle, low.Handle, middle.Handle, high.Handle, hidden.Handle, empty.Handle, minimised.Handle,
                 capture.Handle, captureTip.Handle})
    ASSERT_GE(Place(list, w), 0) << "every top-level window is listed";
  EXPECT_LT(Place(list, high.Handle), Place(list, middle.Handle));
  EXPECT_LT(Place(list, middle.Handle), Place(list, low.Handle));
  EXPECT_EQ(FactsFor(list, middle.Handle).Area, BoxOf(middle.Handle));
  EXPECT_TRUE(FactsFor(list, middle.Handle).Visible);
  EXPECT_FALSE(FactsFor(list, hidden.Handle).Visible);
  EXPECT_TRUE(FactsFor(list, minimised.Handle).Minimised);
  EXPECT_TRUE(FactsFor(list, maximised.Handle).Maximised);
  EXPECT_FALSE(FactsFor(list, middle.Handle).Maximised);
  EXPECT_TRUE(FactsFor(list, capture.Handle).Own);
  EXPECT_TRUE(FactsFor(list, captureTip.Handle).Own) << "owned by the capture";
  EXPECT_FALSE(FactsFor(list, high.Handle).Own);
  EXPECT_FALSE(FactsFor(list, high.Handle).Cloaked);

  // Snapping through that list: the capture's own windows and the skipped ones are seen through.
  const ScreenArea screen = VirtualScreen();
  const PixelBox all{screen.Left, screen.Top, screen.Left + screen.Width, screen.Top + screen.Height};
  const std::vector<PixelBox> monitors{all};
  const SnapTargets targets(list, monitors);
  EXPECT_EQ(targets.At(270, 215), BoxOf(high.Handle)) << "under the capture's tip";
  EXPECT_EQ(targets.At(300, 300), BoxOf(middle.Handle)) << "where the empty one sits";
  EXPECT_EQ(targets.At(150, 140), BoxOf(low.Handle)) << "under the hidden and minimised ones";

  // The list is the stacking at the moment it is taken.
  low.Raise();
  win::PumpPendingMessages();
  const std::vector<WindowFacts> again = lister.TopLevelWindows();
  EXPECT_LT(Place(again, low.Handle), Place(again, high.Handle));
  EXPECT_EQ(SnapTargets(again, monitors).At(270, 215), BoxOf(low.Handle));
}

// A picture of distinct pixels, 0x00RRGGBB.
std::vector<std::uint32_t> Pattern(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * width + x] = (x * 37 & 0xFF) << 16 | (y * 53 & 0xFF) << 8 | 0x40;
  return pixels;
}

TEST(CaptureLoupePainter, PaintsTheLensAndCaptionWhereAskedAndOnlyWhatChanged) {
  const auto before = win::LiveGdiObjects();
  {
    const std::vector<std::uint32_t> picture = Pattern(80, 60);
    const PixelSource source{picture.data(), 80, 60, 80};
    win::DibSection target = win::CreateDibSection(400, 300);
    ASSERT_TRUE(target.Pixels);
    std::fill(target.Pixels, target.Pixels + 400 * 300, 0x00FF00FFu);
    win::MemoryDc dc(nullptr);
    const win::SelectGuard selected(dc.Get(), target.Handle.Get());

    LoupePainter painter;
    ASSERT_TRUE(painter);
    EXPECT_EQ(painter.Update(source, 40, 30, 1240, 830), (PixelBox{0, 0, kLoupeWidth, kLoupeHeight}));
    painter.Paint(dc.Get(), 50, 20);
    GdiFlush();
    const auto shown = [&](int x, int y) { return target.Pixels[y * 400 + x]; };
    // The pointer's cell, in the middle of the lens, shows the pointer's pixel.
    const int middle = kLoupeLensSide / 2;
    EXPECT_EQ(shown(50 + middle, 20 + middle), picture[30 * 80 + 40]);
    EXPECT_EQ(shown(50 + middle + kLoupeZoom, 20 + middle), picture[30 * 80 + 41]);
    // Nothing outside the loupe was touched.
    EXPECT_EQ(shown(49, 20 + middle), 0x00FF00FFu);
    EXPECT_EQ(shown(50 + kLoupeWidth, 20 + middle), 0x00FF00FFu);
    EXPECT_EQ(shown(50 + middle, 20 + kLoupeHeight), 0x00FF00FFu);
    // The caption line carries text: light pixels on its dark ground.
    int light = 0;
    for (int y = 20 + kLoupeLensSide; y < 20 + kLoupeHeight; ++y)
      for (int x = 50; x < 50 + kLoupeWidth; ++x) light += (shown(x, y) & 0xFF) > 0xC0 ? 1 : 0;
    EXPECT_GT(light, 20);

    // Again at the same point: nothing changed, nothing to paint.
    const PixelBox same = painter.Update(source, 40, 30, 1240, 830);
    EXPECT_EQ(same.Width() * same.Height(), 0);
    // A new point changes the lens and the caption.
    const PixelBox moved = painter.Update(source, 41, 30, 1241, 830);
    EXPECT_EQ(moved.Bottom, kLoupeHeight);
    painter.Paint(dc.Get(), 50, 20, moved);
    GdiFlush();
    EXPECT_EQ(shown(50 + middle, 20 + middle), picture[30 * 80 + 41]);
  }
  EXPECT_EQ(win::LiveGdiObjects(), before);
}

}  // namespace
}  // namespace quillane::capture
