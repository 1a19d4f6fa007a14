// The whole CPU cost of the running saver: the program's own process and,
// when their Linux process ids are given, the X server that shows what Wine
// draws and Wine's server. Each drawing path runs the real saver window for
// the same time from the same seed, one after the other, so one run compares
// the paths on the same machine at the same time. First the same seeded ticks
// are drawn into a memory bitmap of the screen's size, which tells the
// drawing's own cost from the rest.
//
//   saver_cost_bench.exe [seconds=30] [rounds=1] [seed=42] [draw-ticks=9000]
//                        [placements=full,framed] [paths=every-petal,saver]
//                        [xserver=PID] [wineserver=PID] [order=timers|fixed]
//
// Paths: every-petal (the plain reference, straight on the window), on-canvas
// (the same leaving out petals off the canvas), one-call, saver (the saver's
// own tick: drawn on the canvas in memory, shown once a frame, returning
// shapes painted from their kept outlines) and no-drawing (timers, messages
// and engine alone).
// scripts/bench-saver-cost.sh starts an X server of each benchmark size and
// passes the ids.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pattern/frm_screen_saver.h"
#include "pattern/gdi_flower_canvas.h"
#include "pattern/random_source.h"
#include "win32/gdi.h"
#include "win32/kernel_handle.h"
#include "win32/message_loop.h"

#include "saver_bench.h"

namespace {

using quillane::PetalPath;
using quillane::TimerKind;
using quillane::WindowPlacement;
using quillane::bench::ProcessCpuSeconds;
using quillane::bench::QuietHost;
using quillane::bench::Seconds;

struct Variant {
  const char* Name;
  std::optional<PetalPath> Path;  // none: the engine ticks, nothing is drawn
  bool Saver = false;             // the saver's own tick: the canvas in memory, kept outlines
};
constexpr Variant kVariants[] = {
    {"every-petal", PetalPath::EveryPetal},
    {"on-canvas", PetalPath::OnCanvas},
    {"one-call", PetalPath::OneCall},
    {"no-drawing", std::nullopt},
    {"saver", PetalPath::OnCanvas, true},
};

// Has the size of the canvas and draws nothing.
class BlankCanvas final : public quillane::FlowerCanvas {
 public:
  explicit BlankCanvas(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = static_cast<float>(client.right);
    height_ = static_cast<float>(client.bottom);
  }
  float ScaleWidth() const override { return width_; }
  float ScaleHeight() const override { return height_; }
  void DrawPetals(std::uint32_t, std::span<const quillane::Petal>) override {}

 private:
  float width_, height_;
};

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

double WallSeconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User plus system time of a Linux process, read from /proc through Wine's Z:
// drive; -1 when there is no such process (or no such drive: not under Wine).
double LinuxCpuSeconds(long pid) {
  if (pid <= 0) return -1;
  const std::wstring path = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat";
  const quillane::win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return -1;
  char text[1024]{};
  DWORD read = 0;
  ReadFile(file.Get(), text, sizeof text - 1, &read, nullptr);
  // The command name in parentheses may hold blanks. After it: state, ppid,
  // pgrp, session, tty, tpgid, flags, minflt, cminflt, majflt, cmajflt, then
  // utime and stime in clock ticks, 1/100 s on Linux.
  const char* rest = std::strrchr(text, ')');
  unsigned long long user = 0, system = 0;
  if (!rest || std::sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2)
    return -1;
  return static_cast<double>(user + system) / 100.0;
}

struct Options {
  double RunSeconds = 30;
  int Rounds = 1;
  std::uint64_t Seed = 42;
  int DrawTicks = 9000;
  std::vector<WindowPlacement> Placements{WindowPlacement::FullScreen, WindowPlacement::Normal};
  std::vector<const Variant*> Variants{&kVariants[0], &kVariants[4]};
  long XServerPid = 0;
  long WineServerPid = 0;
  // The opening timers taken in turn whichever fires: every path then grows
  // the same flowers, so runs differ by the drawing path alone.
  bool FixedOrder = false;
};

// CPU seconds of each part; -1 where a part is not measured.
struct Cost {
  double Wall = 0, Process = 0, XServer = 0, WineServer = 0;
  long Ticks = 0;
};

Cost Sample(const Options& options) {
  return {WallSeconds(), ProcessCpuSeconds(), LinuxCpuSeconds(options.XServerPid),
          LinuxCpuSeconds(options.WineServerPid)};
}

Cost Difference(const Cost& end, const Cost& start) {
  const auto part = [](double a, double b) { return a < 0 || b < 0 ? -1.0 : a - b; };
  return {end.Wall - start.Wall, end.Process - start.Process, part(end.XServer, start.XServer),
          part(end.WineServer, start.WineServer)};
}

constexpr TimerKind kOpeningTimers[] = {TimerKind::Timer1, TimerKind::Timer2, TimerKind::Timer3};

// Microseconds of thread time a tick takes to draw into a memory bitmap;
// `reused` counts the flowers painted from kept outlines.
double DrawingAlone(const Variant& variant, SIZE size, const Options& options, long& reused) {
  quillane::FlowerOutlines outlines;
  if (!variant.Path) return 0;
  const quillane::win::MemoryDc dc(nullptr);
  const quillane::win::DibSection bitmap = quillane::win::CreateDibSection(size.cx, size.cy);
  const quillane::win::SelectGuard selected(dc.Get(), bitmap.Handle.Get());
  quillane::SeededRandom random(options.Seed);
  quillane::FlowerEngine engine(random);
  const quillane::PatternParams params;
  const double start = ThreadCpuSeconds();
  for (int t = 0; t < options.DrawTicks; ++t) {
    quillane::GdiFlowerCanvas canvas(dc.Get(), size, quillane::FrmScreenSaver::kDesignedPenWidth, *variant.Path,
                                     variant.Saver ? &outlines : nullptr, bitmap.Pixels);
    engine.Tick(kOpeningTimers[t % 3], params, canvas);
    // As the saver's showings do, about every ten ticks.
    if (t % 10 == 9) outlines.Land(bitmap.Pixels, size);
  }
  outlines.Land(bitmap.Pixels, size);
  GdiFlush();
  reused = outlines.Reused();
  return 1e6 * (ThreadCpuSeconds() - start) / options.DrawTicks;
}

// One timed run: the real saver window grows flowers through its own timers
// and message loop; only its tick is taken over, to draw through the path
// measured, in the same two steps as FrmScreenSaver::Tick.
class TimedRun {
 public:
  TimedRun(quillane::FrmScreenSaver& window, const Variant& variant, const Options& options)
      : window_(window), variant_(variant), options_(options) {}

  Cost Run() {
    current_ = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedRun::Procedure)));
    start_ = Sample(options_);
    deadline_ = start_.Wall + options_.RunSeconds;
    quillane::win::RunUntilClosed(window_.Handle());
    current_ = nullptr;
    Cost cost = Difference(end_, start_);
    cost.Ticks = ticks_;
    return cost;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TimedRun& run = *current_;
    if (message != WM_TIMER || wParam < 1 || wParam > 4)
      return CallWindowProcW(run.original_, hwnd, message, wParam, lParam);
    run.Tick(static_cast<TimerKind>(wParam - 1));
    if (WallSeconds() >= run.deadline_) {
      run.end_ = Sample(run.options_);
      DestroyWindow(hwnd);
    }
    return 0;
  }

  void Tick(TimerKind kind) {
    if (!window_.TimerEnabled(kind)) return;
    if (options_.FixedOrder) kind = kOpeningTimers[ticks_ % 3];
    ++ticks_;
    if (variant_.Saver) {
      window_.Tick(kind);
      return;
    }
    if (!variant_.Path) {
      BlankCanvas canvas(window_.Handle());
      window_.Engine().Tick(kind, window_.ReadPatternParams(), canvas);
      return;
    }
    quillane::GdiFlowerCanvas canvas(window_.Handle(), window_.DrawWidth(), *variant_.Path);
    window_.Engine().Tick(kind, window_.ReadPatternParams(), canvas);
  }

  static inline TimedRun* current_ = nullptr;
  quillane::FrmScreenSaver& window_;
  const Variant& variant_;
  const Options& options_;
  WNDPROC original_ = nullptr;
  Cost start_, end_;
  double deadline_ = 0;
  long ticks_ = 0;
};

Cost RunSaver(WindowPlacement placement, const Variant& variant, const Options& options) {
  QuietHost host;
  quillane::SeededRandom random(options.Seed);
  quillane::win::SystemDialogs dialogs;
  quillane::win::SystemShell shell;
  quillane::win::Owned<quillane::FrmScreenSaver> window({host, random, dialogs, shell});
  if (!window.Load(placement)) {
    std::fprintf(stderr, "the saver window could not be created\n");
    std::exit(1);
  }
  window.Show();
  return TimedRun(window, variant, options).Run();
}

std::vector<std::string_view> Split(std::string_view list) {
  std::vector<std::string_view> parts;
  while (!list.empty()) {
    const auto comma = list.find(',');
    parts.push_back(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
  }
  return parts;
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto equals = arg.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = arg.substr(0, equals);
    const std::string value(arg.substr(equals + 1));
    if (key == "seconds") {
      options.RunSeconds = std::atof(value.c_str());
    } else if (key == "rounds") {
      options.Rounds = std::atoi(value.c_str());
    } else if (key == "seed") {
      options.Seed = std::strtoull(value.c_str(), nullptr, 10);
    } else if (key == "draw-ticks") {
      options.DrawTicks = std::atoi(value.c_str());
    } else if (key == "xserver") {
      options.XServerPid = std::atol(value.c_str());
    } else if (key == "wineserver") {
      options.WineServerPid = std::atol(value.c_str());
    } else if (key == "order") {
      if (value != "fixed" && value != "timers") return false;
      options.FixedOrder = value == "fixed";
    } else if (key == "placements") {
      options.Placements.clear();
      for (std::string_view name : Split(value)) {
        if (name == "full") options.Placements.push_back(WindowPlacement::FullScreen);
        else if (name == "framed") options.Placements.push_back(WindowPlacement::Normal);
        else return false;
      }
    } else if (key == "paths") {
      options.Variants.clear();
      for (std::string_view name : Split(value)) {
        const auto found = std::find_if(std::begin(kVariants), std::end(kVariants),
                                        [&](const Variant& v) { return name == v.Name; });
        if (found == std::end(kVariants)) return false;
        options.Variants.push_back(found);
      }
    } else {
      return false;
    }
  }
  return options.RunSeconds > 0 && options.Rounds > 0 && options.DrawTicks >= 0 && !options.Placements.empty() &&
         !options.Variants.empty();
}

// A share of one core; negative: not measured.
std::string Percent(double share) {
  if (share < 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", 100.0 * share);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: saver_cost_bench.exe [seconds=30] [rounds=1] [seed=42] [draw-ticks=9000]\n"
                 "         [placements=full,framed] [paths=every-petal,on-canvas,one-call,saver,no-drawing]\n"
                 "         [xserver=PID] [wineserver=PID] [order=timers|fixed]\n");
    return 2;
  }
  const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::printf("screen %ldx%ld, designed start values, pen %d, seed %llu\n", screen.cx, screen.cy,
              quillane::FrmScreenSaver::kDesignedPenWidth, static_cast<unsigned long long>(options.Seed));

  if (options.DrawTicks > 0) {
    std::printf("drawing alone, %d ticks into a memory bitmap of the screen's size:", options.DrawTicks);
    for (const Variant* variant : options.Variants) {
      if (!variant->Path) continue;
      long reused = 0;
      std::printf(" %s %.0f us/tick", variant->Name, DrawingAlone(*variant, screen, options, reused));
      std::printf(variant->Saver ? " (%ld flowers from kept outlines);" : ";", reused);
    }
    std::printf("\n");
  }
  std::fflush(stdout);

  // Every round runs each path once, so a slow spell of the machine falls on
  // all of them; the median of the rounds leaves such spells out.
  std::vector<std::vector<Cost>> runs(options.Placements.size() * options.Variants.size());
  for (int round = 0; round < options.Rounds; ++round)
    for (std::size_t p = 0; p < options.Placements.size(); ++p)
      for (std::size_t v = 0; v < options.Variants.size(); ++v)
        runs[p * options.Variants.size() + v].push_back(
            RunSaver(options.Placements[p], *options.Variants[v], options));

  std::printf("the running saver, %.0f s a run, %s of %d run(s); CPU time in %% of one core\n", options.RunSeconds,
              options.Rounds > 1 ? "median" : "one", options.Rounds);
  std::printf("%-7s %-12s %8s %8s %9s %11s %8s %15s\n", "place", "path", "ticks/s", "process", "X server",
              "wineserver", "total", "runs' totals");
  for (std::size_t p = 0; p < options.Placements.size(); ++p)
    for (std::size_t v = 0; v < options.Variants.size(); ++v) {
      const std::vector<Cost>& cell = runs[p * options.Variants.size() + v];
      const auto median = [&](auto part) {
        std::vector<double> shares;
        for (const Cost& c : cell) shares.push_back(part(c) < 0 ? -1.0 : part(c) / c.Wall);
        std::sort(shares.begin(), shares.end());
        const std::size_t n = shares.size();
        return n % 2 ? shares[n / 2] : (shares[n / 2 - 1] + shares[n / 2]) / 2;
      };
      const auto total = [](const Cost& c) {
        return c.Process + std::max(c.XServer, 0.0) + std::max(c.WineServer, 0.0);
      };
      std::string spread;
      for (const Cost& c : cell) spread += (spread.empty() ? "" : " ") + Percent(total(c) / c.Wall);
      std::printf("%-7s %-12s %8.1f %8s %9s %11s %8s   %s\n",
                  options.Placements[p] == WindowPlacement::FullScreen ? "full" : "framed", options.Variants[v]->Name,
                  median([](const Cost& c) { return static_cast<double>(c.Ticks); }),
                  Percent(median([](const Cost& c) { return c.Process; })).c_str(),
                  Percent(median([](const Cost& c) { return c.XServer; })).c_str(),
                  Percent(median([](const Cost& c) { return c.WineServer; })).c_str(), Percent(median(total)).c_str(),
                  spread.c_str());
    }
  return 0;
}
