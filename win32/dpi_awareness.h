#pragma once
// The thread's dpi awareness. The program is system aware (its manifest);
// the screen capture runs per-monitor aware (v2) so its frozen picture and
// every coordinate are the monitors' real pixels. The calls are looked up at
// run time: systems before Windows 10 lack them, and there everything stays
// system aware.
#include <windows.h>

#include "win32/owner.h"

namespace quillane::win {

// Puts the thread's former awareness back.
struct RestoreDpiAwarenessTraits {
  using Handle = DPI_AWARENESS_CONTEXT;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle former);
};

// The thread runs with that awareness while it lives; nothing changes where
// the system cannot do it, or for no context.
class ThreadDpiAwareness : public Owner<RestoreDpiAwarenessTraits> {
 public:
  explicit ThreadDpiAwareness(DPI_AWARENESS_CONTEXT context);
  // Windows made meanwhile are per-monitor aware: v2, or the first version
  // where the system has no other (Windows 10 before 1703, Wine).
  static ThreadDpiAwareness PerMonitor();
  // The thread's awareness now; nothing where the system cannot tell.
  static DPI_AWARENESS_CONTEXT Current();
};

// The monitor's dots per inch as a per-monitor aware thread sees them; 0
// when this thread is not per-monitor aware or the system cannot tell.
int MonitorDpi(HMONITOR monitor);

}  // namespace quillane::win
