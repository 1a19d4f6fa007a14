#include "capture/window_list.h"

#include <algorithm>

namespace quillane::capture {
namespace {

// dwmapi is loaded on first use: it is missing on some systems, and the
// capture must snap (by the plain window rectangles) without it.
using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr DWORD kCloaked = 14;             // DWMWA_CLOAKED

DwmGetWindowAttributeFn DwmAttribute() {
  static const DwmGetWindowAttributeFn function = [] {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    // Through void* since FARPROC and the real signature are unrelated function types.
    return dwm ? reinterpret_cast<DwmGetWindowAttributeFn>(
                     reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
               : nullptr;
  }();
  return function;
}

bool IsCloaked(HWND window) {
  const DwmGetWindowAttributeFn get = DwmAttribute();
  DWORD cloaked = 0;
  return get && SUCCEEDED(get(window, kCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// The frame a user sees: without the invisible resize borders the system
// adds around windows since Windows 10, where the compositor can say so.
RECT VisibleFrame(HWND window) {
  RECT frame{};
  const DwmGetWindowAttributeFn get = DwmAttribute();
  if (get && SUCCEEDED(get(window, kExtendedFrameBounds, &frame, sizeof frame)) && frame.right > frame.left &&
      frame.bottom > frame.top)
    return frame;
  frame = {};
  GetWindowRect(window, &frame);
  return frame;
}

bool IsDesktopWindow(HWND window, HWND shell) {
  if (window == shell) return true;
  wchar_t name[16]{};
  GetClassNameW(window, name, 16);
  return lstrcmpW(name, L"WorkerW") == 0 || lstrcmpW(name, L"Progman") == 0;
}

WindowFacts FactsOf(HWND window, HWND shell) {
  WindowFacts facts;
  facts.Handle = reinterpret_cast<std::uintptr_t>(window);
  // One read of the style answers visible, minimised and maximised: each
  // call may cost a trip to the window server, and the list is taken while
  // the user waits for the screen to freeze. A top-level window's parent is
  // the desktop, so its own WS_VISIBLE is IsWindowVisible's answer.
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  facts.Visible = (style & WS_VISIBLE) != 0;
  if (!facts.Visible) return facts;  // nothing else matters for a hidden window
  facts.Minimised = (style & WS_MINIMIZE) != 0;
  facts.Maximised = (style & WS_MAXIMIZE) != 0;
  facts.Cloaked = IsCloaked(window);
  facts.Desktop = IsDesktopWindow(window, shell);
  const RECT frame = VisibleFrame(window);
  facts.Area = {frame.left, frame.top, frame.right, frame.bottom};
  return facts;
}

}  // namespace

WindowFacts FactsOf(HWND window) { return FactsOf(window, GetShellWindow()); }

bool SystemWindowLister::IsOwn(HWND window) const {
  if (own_.empty()) return false;
  for (HWND w = window; w; w = GetWindow(w, GW_OWNER))
    if (std::find(own_.begin(), own_.end(), w) != own_.end()) return true;
  return false;
}

std::vector<WindowFacts> SystemWindowLister::TopLevelWindows() {
  struct Walk {
    const SystemWindowLister* Lister;
    HWND Shell;
    std::vector<WindowFacts> Windows;
  } walk{this, GetShellWindow(), {}};
  // EnumWindows visits top-level windows from the top of the stacking order down.
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& w = *reinterpret_cast<Walk*>(context);
        WindowFacts facts = FactsOf(window, w.Shell);
        facts.Own = w.Lister->IsOwn(window);
        w.Windows.push_back(facts);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  return std::move(walk.Windows);
}

}  // namespace quillane::capture
