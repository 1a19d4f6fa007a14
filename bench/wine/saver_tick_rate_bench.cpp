// Runs the real saver window for a few seconds and reports how many growth
// ticks per second it actually reached and the CPU share the process used.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "pattern/frm_screen_saver.h"
#include "pattern/random_source.h"
#include "saver_bench.h"

int main(int argc, char** argv) {
  const double runSeconds = argc > 1 ? std::atof(argv[1]) : 5.0;
  const bool fullScreen = argc > 2 && argv[2][0] == 'f';
  quillane::bench::QuietHost host;
  quillane::SeededRandom random(42);
  quillane::win::SystemDialogs dialogs;
  quillane::win::SystemShell shell;
  quillane::win::Owned<quillane::FrmScreenSaver> window({host, random, dialogs, shell});
  if (!window.Load(fullScreen ? quillane::WindowPlacement::FullScreen : quillane::WindowPlacement::Normal)) return 1;
  window.Show();

  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const double cpuStart = quillane::bench::ProcessCpuSeconds();
  long ticks[5] = {};
  double elapsed = 0;
  MSG message;
  while (elapsed < runSeconds) {
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.hwnd == window.Handle() && message.wParam <= 4)
        ++ticks[message.wParam];
      TranslateMessage(&message);
      DispatchMessageW(&message);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    QueryPerformanceCounter(&now);
    elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
  }
  const double cpu = quillane::bench::ProcessCpuSeconds() - cpuStart;
  const long total = ticks[1] + ticks[2] + ticks[3] + ticks[4];
  std::printf("ran %.1f s (%s): %.1f ticks/s in all (Timer1 %.1f, Timer2 %.1f, Timer3 %.1f); CPU share %.1f%%\n",
              elapsed, fullScreen ? "full screen" : "window", total / elapsed, ticks[1] / elapsed, ticks[2] / elapsed,
              ticks[3] / elapsed, 100.0 * cpu / elapsed);
  return 0;
}
