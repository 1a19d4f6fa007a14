// Times the screen capture on the display it runs on (see
// bench/wine/run-capture-bench.sh for a screen of a given size): opening to
// a shown frozen picture, its parts, one mouse move of a rubber band and of
// a region move, each with the repaint it causes, copying a region as
// large as the screen to the clipboard, and annotating that region: one
// preview step of a drag per tool, one commit (the shape and its rectangle
// kept as an undo step), one undo, and the memory 50 steps take. Prints medians (and 90th
// percentiles) of several runs; the screen shows a desktop-like picture.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "capture/capture_surface.h"
#include "capture/frm_screen_capture.h"
#include "export/test_pictures.h"
#include "win32/clipboard.h"
#include "win32/dialogs.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace {

namespace capture = quillane::capture;
namespace win = quillane::win;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Summary {
  double Median;
  double P90;
};
Summary Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples[samples.size() * 9 / 10]};
}

void Pump() { win::PumpPendingMessages(); }

// A topmost window showing a desktop-like picture over every monitor.
HWND ShowDesktopPicture(const capture::ScreenArea& area, win::Bitmap& keep) {
  const auto image = quillane::exporting::test_pictures::MakeDesktopLikePicture(area.Width, area.Height, 11);
  auto section = win::CreateDibSection(area.Width, area.Height);
  std::copy(image.Pixels.begin(), image.Pixels.end(), section.Pixels);
  keep = std::move(section.Handle);
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    const win::PaintDc dc(hwnd);
    const auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const win::MemoryDc memory(dc.Get());
    const win::SelectGuard selected(memory.Get(), bitmap);
    BitBlt(dc.Get(), 0, 0, 1 << 14, 1 << 14, memory.Get(), 0, 0, SRCCOPY);
    return 0;
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuillaneBenchDesktop";
  RegisterClassW(&wc);
  const HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP, area.Left, area.Top, area.Width,
                                      area.Height, nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(keep.Get()));
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  const double end = Now() + 500;
  while (Now() < end) Pump();
  return window;
}

// Until the screen shows that pixel (the picture reached the display).
bool WaitForScreenPixel(POINT at, COLORREF colour) {
  const double end = Now() + 3000;
  while (Now() < end) {
    {
      const win::WindowDc screen(nullptr);
      if (GetPixel(screen.Get(), at.x, at.y) == colour) return true;
    }
    Pump();
  }
  return false;
}

// One mouse move sent to the window and the repaint it causes, in ms.
std::vector<double> TimeMoves(HWND window, int count, int fromX, int fromY, int spanX, int spanY) {
  std::vector<double> samples;
  for (int i = 0; i < count; ++i) {
    const int x = fromX + (i * 7) % spanX, y = fromY + (i * 5) % spanY;
    const double start = Now();
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    samples.push_back(Now() - start);
  }
  return samples;
}

// The process's committed private memory (walked, as Wine reports no
// private bytes) and its working set, in MB.
struct Memory {
  double Private;
  double WorkingSet;
};
Memory ProcessMemory() {
  double committed = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* at = static_cast<const char*>(nullptr); VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += static_cast<double>(region.RegionSize);
    if (region.RegionSize == 0) break;
  }
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {committed / 1048576.0, counters.WorkingSetSize / 1048576.0};
}

void ClickButton(capture::FrmScreenCapture& window, int button) {
  const capture::PixelBox& b = window.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
  SendMessageW(window.Strip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.Left + 2, b.Top + 2));
  SendMessageW(window.Strip(), WM_LBUTTONUP, 0, MAKELPARAM(b.Left + 2, b.Top + 2));
}

// Annotating a region as large as the screen: preview steps of each tool,
// commits, undos, and the memory of 50 steps.
void TimeAnnotations(const capture::ScreenArea& area, win::Dialogs& dialogs, int runs) {
  win::Owned<capture::FrmScreenCapture> window(capture::CaptureServices{dialogs});
  if (!window.Open(nullptr)) return;
  const HWND hwnd = window.Handle();
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  Pump();
  const int w = area.Width, h = area.Height;
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(w - 1, h - 40));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(w - 1, h - 40));
  Pump();
  // Large shapes from near the top-left corner whose far corner wanders over the screen.
  const auto previews = [&](int tool) {
    ClickButton(window, tool);
    Pump();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    return TimeMoves(hwnd, 1000, w / 2, h / 2, w / 2 - 20, h / 2 - 60);
  };
  const auto rectangle = Summarise(previews(capture::kRectangleTool));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(w / 2, h / 2));
  const auto ellipse = Summarise(previews(capture::kEllipseTool));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(w / 2, h / 2));
  const auto arrow = Summarise(previews(capture::kArrowTool));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(w / 2, h / 2));
  Pump();
  std::printf("one preview step of a drag with its repaint: rectangle %.3f ms (90%% %.3f), ellipse %.3f ms "
              "(90%% %.3f), arrow %.3f ms (90%% %.3f)\n",
              rectangle.Median, rectangle.P90, ellipse.Median, ellipse.P90, arrow.Median, arrow.P90);

  // Commits and undos, each with the repaint it causes; then the memory of 50 steps.
  const auto& store = window.Session().Snapshots();
  const Memory before = ProcessMemory();
  const std::int32_t firstStep = store.snapshotPos();
  std::vector<double> commits, undos;
  for (int i = 0; i < 50; ++i) {
    const int tool = i % 3 == 0 ? capture::kRectangleTool : i % 3 == 1 ? capture::kEllipseTool : capture::kArrowTool;
    if (window.Session().State().currentTool != capture::ToolOfButton(tool)) ClickButton(window, tool);
    const int x0 = 30 + (i * 53) % (w / 2), y0 = 30 + (i * 31) % (h / 2);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x0 + w / 3, y0 + h / 3));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double start = Now();
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x0 + w / 3, y0 + h / 3));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    commits.push_back(Now() - start);
  }
  Pump();
  const Memory after = ProcessMemory();
  std::size_t stored = 0;
  for (std::int32_t i = firstStep + 1; i <= store.snapshotPos(); ++i) stored += store.Entry(i).size();
  for (int i = 0; i < std::min(runs * 2, 40); ++i) {
    const double start = Now();
    ClickButton(window, capture::kUndoButton);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    undos.push_back(Now() - start);
  }
  std::printf("one commit (shape into the picture, its rectangle to an undo step, repaint): median %.1f ms (90%% %.1f)\n",
              Summarise(commits).Median, Summarise(commits).P90);
  std::printf("one undo (a step's rectangle back into the picture, repaint): median %.1f ms (90%% %.1f)\n",
              Summarise(undos).Median, Summarise(undos).P90);
  std::printf("50 annotation steps: private bytes %+.1f MB, working set %+.1f MB (now %.1f / %.1f MB); "
              "snapshots hold %.1f MB, %.2f MB a step\n",
              after.Private - before.Private, after.WorkingSet - before.WorkingSet, after.Private, after.WorkingSet,
              stored / 1048576.0, stored / 1048576.0 / 50);
  window.Destroy();
  Pump();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  const capture::ScreenArea area = capture::VirtualScreen();
  std::printf("screen %dx%d (origin %d,%d)\n", area.Width, area.Height, area.Left, area.Top);
  win::Bitmap desktopBitmap;
  const HWND desktop = ShowDesktopPicture(area, desktopBitmap);
  win::SystemDialogs dialogs;

  // The parts: the freeze (the screen copy) and the persistent picture that
  // drawing needs (made once the frozen picture shows); then a copy of the
  // whole picture onto the clipboard.
  std::vector<double> freeze, kept, opened, shown, copied;
  win::SystemClipboard clipboard;
  for (int run = 0; run < runs; ++run) {
    capture::CaptureSurface surface(capture::PropertyBagCodec());
    double start = Now();
    if (!surface.Freeze(area)) return 1;
    freeze.push_back(Now() - start);
    start = Now();
    if (!surface.KeepFrozen()) return 1;
    kept.push_back(Now() - start);
    start = Now();
    if (!clipboard.PutBitmap(nullptr, surface.CopyArea({0, 0, area.Width, area.Height}))) return 1;
    copied.push_back(Now() - start);
  }
  // Opening to a shown frozen picture: the bottom-right pixel is on the screen.
  const POINT corner{area.Left + area.Width - 1, area.Top + area.Height - 1};
  COLORREF cornerColour;
  {
    const win::WindowDc screen(nullptr);
    cornerColour = GetPixel(screen.Get(), corner.x, corner.y);
  }
  for (int run = 0; run < runs; ++run) {
    // The desktop is hidden first, so the corner shows the capture's own picture.
    ShowWindow(desktop, SW_SHOW);
    UpdateWindow(desktop);
    WaitForScreenPixel(corner, cornerColour);
    const double start = Now();
    win::Owned<capture::FrmScreenCapture> window(capture::CaptureServices{dialogs});
    if (!window.Open(nullptr)) return 1;
    opened.push_back(Now() - start);
    ShowWindow(desktop, SW_HIDE);
    ShowWindow(window.Handle(), SW_SHOW);
    UpdateWindow(window.Handle());
    if (!WaitForScreenPixel(corner, cornerColour)) std::printf("the frozen corner did not show\n");
    shown.push_back(Now() - start);
    window.Destroy();
    Pump();
  }
  std::printf("opening to a shown frozen picture: median %.1f ms (90%% %.1f)\n", Summarise(shown).Median,
              Summarise(shown).P90);
  std::printf("  of which: screen freeze %.1f, whole Open %.1f ms (medians); after the first paint: persistent "
              "copy %.1f ms\n",
              Summarise(freeze).Median, Summarise(opened).Median, Summarise(kept).Median);
  std::printf("copying a region as large as the screen to the clipboard: median %.1f ms (90%% %.1f)\n",
              Summarise(copied).Median, Summarise(copied).P90);

  // One mouse move of a rubber band and of a region move, with the repaint it causes.
  ShowWindow(desktop, SW_SHOW);
  win::Owned<capture::FrmScreenCapture> window(capture::CaptureServices{dialogs});
  if (!window.Open(nullptr)) return 1;
  ShowWindow(window.Handle(), SW_SHOW);
  UpdateWindow(window.Handle());
  Pump();
  const int span = std::min(area.Width, area.Height) / 2;
  SendMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  const auto band = Summarise(TimeMoves(window.Handle(), 2000, 100 + span / 4, 100 + span / 4, span, span));
  SendMessageW(window.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100 + span, 100 + span));
  SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100 + span, 100 + span));
  SendMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
  const auto move = Summarise(TimeMoves(window.Handle(), 2000, 110, 110, area.Width - span - 120, area.Height - span - 120));
  SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(110, 110));
  std::printf("one mouse move with its repaint (region about %dx%d): rubber band %.3f ms (90%% %.3f), "
              "region move %.3f ms (90%% %.3f)\n",
              span, span, band.Median, band.P90, move.Median, move.P90);
  window.Destroy();
  Pump();
  TimeAnnotations(area, dialogs, runs);
  DestroyWindow(desktop);
  return 0;
}
