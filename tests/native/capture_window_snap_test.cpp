#include "capture/window_snap.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quillane::capture {
namespace {

// A 1920x1080 primary and a 1280x1024 monitor to its right, whose bottom
// leaves a strip of the virtual screen on no monitor.
const PixelBox kPrimary{0, 0, 1920, 1080};
const PixelBox kSecond{1920, 0, 3200, 1024};
const std::vector<PixelBox> kMonitors{kPrimary, kSecond};

WindowFacts Window(std::uintptr_t id, PixelBox area) {
  WindowFacts facts;
  facts.Handle = id;
  facts.Area = area;
  return facts;
}

struct Probe {
  std::int32_t X, Y;
  std::optional<PixelBox> Expected;
};

void ExpectSnaps(const SnapTargets& targets, const std::vector<Probe>& probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(targets.At(p.X, p.Y), p.Expected) << "at " << p.X << "," << p.Y;
}

TEST(WindowSnap, TheTopmostWindowHoldingThePointWinsElseItsMonitor) {
  const PixelBox dialog{100, 100, 300, 200};    // on top, inside the editor
  const PixelBox editor{50, 50, 800, 600};      // under the dialog, over the browser
  const PixelBox browser{700, 500, 1000, 900};  // partly under the editor
  const PixelBox viewer{1900, 40, 2400, 500};   // across both monitors
  const SnapTargets targets(std::vector{Window(1, dialog), Window(2, editor), Window(3, browser), Window(4, viewer)},
                            kMonitors);
  ExpectSnaps(targets, {
                           {150, 150, dialog},
                           {100, 100, dialog},  // its first pixel
                           {300, 150, editor},  // just right of the dialog
                           {60, 60, editor},
                           {750, 550, editor},  // where the editor covers the browser
                           {800, 550, browser}, // just past the editor
                           {999, 899, browser},
                           {1000, 899, kPrimary},  // bare desktop
                           {1910, 100, viewer},
                           {2300, 400, viewer},
                           {2500, 400, kSecond},
                           {2000, 1050, std::nullopt},  // below the second monitor: on none
                           {-1, 10, std::nullopt},
                       });
}

TEST(WindowSnap, HiddenMinimisedCloakedOwnDesktopAndEmptyWindowsAreSeenThrough) {
  const PixelBox below{200, 200, 900, 700};
  const PixelBox over{300, 300, 500, 500};
  struct Row {
    const char* What;
    WindowFacts Facts;
  };
  const auto with = [&](auto change) {
    WindowFacts facts = Window(1, over);
    change(facts);
    return facts;
  };
  const Row rows[] = {
      {"hidden", with([](WindowFacts& f) { f.Visible = false; })},
      {"minimised", with([](WindowFacts& f) { f.Minimised = true; })},
      {"cloaked", with([](WindowFacts& f) { f.Cloaked = true; })},
      {"the capture's own", with([](WindowFacts& f) { f.Own = true; })},
      {"the desktop", with([](WindowFacts& f) { f.Desktop = true; })},
      {"zero wide", with([](WindowFacts& f) { f.Area.Right = f.Area.Left; })},
      {"zero high", with([](WindowFacts& f) { f.Area.Bottom = f.Area.Top; })},
      {"inside out", with([](WindowFacts& f) { f.Area = {500, 500, 300, 300}; })},
      {"off the screen", with([](WindowFacts& f) { f.Area = {-3000, 300, -2000, 500}; })},
  };
  for (const Row& row : rows) {
    const SnapTargets targets(std::vector{row.Facts, Window(2, below)}, kMonitors);
    EXPECT_EQ(targets.At(400, 400), below) << row.What;
    EXPECT_EQ(targets.Windows().size(), 1u) << row.What;
  }
  // The same window, none of those, is taken.
  const SnapTargets plain(std::vector{Window(1, over), Window(2, below)}, kMonitors);
  EXPECT_EQ(plain.At(400, 400), over);
}

TEST(WindowSnap, WindowsAreClippedToTheScreenAndMaximisedOnesToTheirMonitor) {
  struct Row {
    PixelBox Reported;
    bool Maximised;
    PixelBox Snapped;
  };
  const Row rows[] = {
      {{-8, -8, 1928, 1088}, true, kPrimary},                  // borders past every edge, the right one onto the second
      {{1912, -8, 3208, 1032}, true, kSecond},
      {{-8, -8, 1928, 1088}, false, {0, 0, 1928, 1080}},       // not maximised: it does reach the second
      {{-300, 400, 200, 600}, false, {0, 400, 200, 600}},      // pushed off the left
      {{3000, 900, 3600, 1400}, false, {3000, 900, 3200, 1080}},  // off the right and the bottom
      {{10, 10, 20, 20}, false, {10, 10, 20, 20}},             // wholly on the screen
  };
  for (const Row& row : rows) {
    WindowFacts facts = Window(1, row.Reported);
    facts.Maximised = row.Maximised;
    const SnapTargets targets(std::vector{facts}, kMonitors);
    ASSERT_EQ(targets.Windows().size(), 1u);
    EXPECT_EQ(targets.Windows()[0], row.Snapped) << row.Reported.Left << "," << row.Reported.Top;
    EXPECT_EQ(targets.WindowAt(row.Snapped.Left, row.Snapped.Top), row.Snapped);
    EXPECT_EQ(targets.WindowAt(row.Snapped.Right - 1, row.Snapped.Bottom - 1), row.Snapped);
  }
}

TEST(WindowSnap, NoWindowsLeavesTheMonitors) {
  const SnapTargets none({}, kMonitors);
  EXPECT_EQ(none.At(5, 5), kPrimary);
  EXPECT_EQ(none.At(1920, 1023), kSecond);
  EXPECT_EQ(none.At(1920, 1024), std::nullopt);
  EXPECT_EQ(SnapTargets().At(5, 5), std::nullopt);
}

}  // namespace
}  // namespace quillane::capture
