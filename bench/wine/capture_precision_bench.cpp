// Times, under Wine, what snapping and the loupe add to the capture: taking
// the window list at the freeze (with that many top-level windows open), and
// one loupe update per mouse move, lens, caption and copy onto a device
// context, over screen-sized pictures; then, on the capture window over this
// display (bench/wine/run-capture-bench.sh shows how to run on a screen of a
// given size), one mouse move with the repaint it causes, with the loupe (no
// region yet, a rubber band) and without it (over a fixed region), and the
// area each repaints. Prints medians and fastest runs.
//   capture_precision_bench.exe [windows=200] [runs=200]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "capture/frm_screen_capture.h"
#include "capture/loupe_painter.h"
#include "capture/window_list.h"
#include "win32/dialogs.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace {

namespace capture = quillane::capture;
namespace win = quillane::win;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  std::printf("%-44s median %9.1f us  fastest %9.1f us\n", what, samples[samples.size() / 2], samples.front());
}

template <class Work>
std::vector<double> Time(int runs, Work work) {
  std::vector<double> samples;
  for (int run = 0; run <= runs; ++run) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work(run);
    QueryPerformanceCounter(&end);
    if (run > 0) samples.push_back(Microseconds(start, end));  // the first warms caches
  }
  return samples;
}

void WindowList(int count, int runs) {
  std::vector<HWND> windows;
  for (int i = 0; i < count; ++i)
    windows.push_back(CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | (i % 4 ? WS_VISIBLE : 0), (i * 37) % 1500,
                                      (i * 23) % 800, 100 + i % 300, 80 + i % 200, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const capture::PixelBox screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                 top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  capture::SystemWindowLister lister;
  std::size_t listed = 0;
  Report("window list at the freeze",
         Time(runs, [&](int) {
           const auto facts = lister.TopLevelWindows();
           listed = capture::SnapTargets(facts, {screen}).Windows().size();
         }));
  std::printf("  (%d windows made, %zu to snap to)\n", count, listed);
  for (HWND w : windows) DestroyWindow(w);
}

void LoupeMove(int width, int height, int runs) {
  std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * height);
  std::uint32_t seed = 3;
  for (std::uint32_t& p : picture) p = (seed = seed * 1664525u + 1013904223u) >> 8;
  const capture::PixelSource source{picture.data(), width, height, width};
  win::DibSection screen = win::CreateDibSection(width, height);
  win::MemoryDc dc(nullptr);
  const win::SelectGuard selected(dc.Get(), screen.Handle.Get());
  capture::LoupePainter painter;
  const capture::PixelBox monitor{0, 0, width, height};
  std::int32_t x = 0, y = 0;
  char what[64];
  std::snprintf(what, sizeof what, "loupe per mouse move, %dx%d", width, height);
  Report(what, Time(runs, [&](int) {
           x = (x + 7) % width;
           y = (y + 3) % height;
           const auto at = capture::PlaceLoupe(x, y, monitor, {});
           painter.Update(source, x, y, x, y);
           if (at) painter.Paint(dc.Get(), at->Left, at->Top);
           GdiFlush();
         }));
}

// The pixels a window would repaint now.
double UpdateArea(HWND window) {
  const win::Region update(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(window, update.Get(), FALSE) <= NULLREGION) return 0;
  std::vector<char> bytes(GetRegionData(update.Get(), 0, nullptr));
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  GetRegionData(update.Get(), static_cast<DWORD>(bytes.size()), data);
  double area = 0;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    area += static_cast<double>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  return area;
}

// Mouse moves sent to the capture window on this display, each with the
// repaint it causes, along a path of small steps as a hand makes them.
void MovesOnTheWindow(int runs) {
  win::SystemDialogs dialogs;
  win::Owned<capture::FrmScreenCapture> window(capture::CaptureServices{dialogs});
  if (!window.Open(nullptr)) return;
  const HWND hwnd = window.Handle();
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  win::PumpPendingMessages();
  const capture::ScreenArea& screen = window.Session().Metrics().Screen;
  const auto moves = [&](const char* what, WPARAM buttons, int fromX, int fromY) {
    std::vector<double> areas;
    std::int32_t x = fromX, y = fromY;
    const auto samples = Time(runs * 5, [&](int run) {
      x = fromX + (run * 3) % 400;
      y = fromY + (run * 2) % 300;
      SendMessageW(hwnd, WM_MOUSEMOVE, buttons, MAKELPARAM(x, y));
      areas.push_back(UpdateArea(hwnd));
      RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      GdiFlush();
    });
    char label[96];
    std::snprintf(label, sizeof label, "%s, %dx%d", what, screen.Width, screen.Height);
    Report(label, samples);
    std::sort(areas.begin(), areas.end());
    std::printf("  repainted per move: median %.0f pixels (%.3f%% of the screen)\n", areas[areas.size() / 2],
                100.0 * areas[areas.size() / 2] / (static_cast<double>(screen.Width) * screen.Height));
  };
  const int middleX = screen.Width / 2 - 200, middleY = screen.Height / 2 - 150;
  moves("move with the loupe, no region yet", 0, middleX, middleY);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  moves("move with the loupe, rubber band", MK_LBUTTON, middleX, middleY);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(middleX, middleY));
  moves("move without it, over a fixed region", 0, 60, 60);
  window.Destroy();
  win::PumpPendingMessages();
}

}  // namespace

int main(int argc, char** argv) {
  const int windows = argc > 1 ? std::atoi(argv[1]) : 200;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 200;
  WindowList(windows, runs);
  LoupeMove(1920, 1080, runs);
  LoupeMove(3840, 2160, runs);
  MovesOnTheWindow(runs);
  return 0;
}
