// Times, under Wine, what snapping and the loupe add to the capture: taking
// the window list at the freeze (with that many top-level windows open), and
// one loupe update per mouse move, lens, caption and copy onto a device
// context, over screen-sized pictures. Prints medians and fastest runs.
//   capture_precision_bench.exe [windows=200] [runs=200]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "capture/loupe_painter.h"
#include "capture/window_list.h"
#include "win32/gdi.h"

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

}  // namespace

int main(int argc, char** argv) {
  const int windows = argc > 1 ? std::atoi(argv[1]) : 200;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 200;
  WindowList(windows, runs);
  LoupeMove(1920, 1080, runs);
  LoupeMove(3840, 2160, runs);
  return 0;
}
