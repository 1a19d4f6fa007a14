#include "win32/dpi_awareness.h"

#include <shellscalingapi.h>

#include "win32/module.h"

namespace quillane::win {

namespace {

template <class Function>
Function User32(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetMonitorDpi = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);

}  // namespace

void RestoreDpiAwarenessTraits::Close(Handle former) {
  static const auto set = User32<SetContext>("SetThreadDpiAwarenessContext");
  if (set) set(former);
}

ThreadDpiAwareness::ThreadDpiAwareness(DPI_AWARENESS_CONTEXT context) {
  static const auto set = User32<SetContext>("SetThreadDpiAwarenessContext");
  // The former context, to put back; nothing when it could not be set.
  if (set && context) Reset(set(context));
}

ThreadDpiAwareness ThreadDpiAwareness::PerMonitor() {
  ThreadDpiAwareness second(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (second) return second;
  return ThreadDpiAwareness(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

DPI_AWARENESS_CONTEXT ThreadDpiAwareness::Current() {
  static const auto get = User32<GetContext>("GetThreadDpiAwarenessContext");
  return get ? get() : nullptr;
}

int MonitorDpi(HMONITOR monitor) {
  static const auto awareness = User32<AwarenessOf>("GetAwarenessFromDpiAwarenessContext");
  const DPI_AWARENESS_CONTEXT now = ThreadDpiAwareness::Current();
  if (!now || !awareness || awareness(now) != DPI_AWARENESS_PER_MONITOR_AWARE) return 0;
  static const LoadedModule shcore(L"shcore.dll");
  static const auto get = shcore.Find<GetMonitorDpi>("GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (!get || FAILED(get(monitor, MDT_EFFECTIVE_DPI, &x, &y))) return 0;
  return static_cast<int>(x);
}

}  // namespace quillane::win
