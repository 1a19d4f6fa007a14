// What the skin costs: building its images, skinning and unskinning a form
// (shown, and hidden as the main window is when it is skinned), one fade
// step of a push button, and a focus change that draws its images again.
//   scripts/wine-exec.sh build/win/bench/wine/skin_bench.exe [cycles]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "skin/skin_images.h"
#include "skin/skinner.h"
#include "win32/message_loop.h"

namespace {

double Microseconds(const std::function<void()>& work, int times) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < times; ++i) work();
  QueryPerformanceCounter(&end);
  return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / times;
}

}  // namespace

int main(int argc, char** argv) {
  namespace skin = quillane::skin;
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HWND form = CreateWindowExW(0, L"#32770", L"skin bench", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 420, 200,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  constexpr int kButtons = 8;
  HWND buttons[kButtons];
  for (int i = 0; i < kButtons; ++i)
    buttons[i] = CreateWindowExW(0, L"Button", L"多 色", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + (i % 4) * 100,
                                 10 + (i / 4) * 40, 90, 25, form, nullptr, GetModuleHandleW(nullptr), nullptr);
  quillane::win::PumpPendingMessages();

  const double images = Microseconds([] { skin::BuildSkinBitmaps(); }, cycles);
  const auto cycle = [form] {
    skin::StartSkin(form);
    skin::UnskinWindow(form);
  };
  const double shown = Microseconds(cycle, cycles);
  ShowWindow(form, SW_HIDE);
  const double hidden = Microseconds(cycle, cycles);
  ShowWindow(form, SW_SHOW);

  skin::StartSkin(form);
  quillane::win::PumpPendingMessages();
  const HWND button = buttons[0];
  const double step = Microseconds(
      [button] {
        if (!GetPropW(button, L"TIMERID")) SendMessageW(button, WM_LBUTTONUP, 0, 0);
        SendMessageW(button, WM_TIMER, skin::FadeTimerId(), 0);
      },
      cycles * 20);
  const double focus = Microseconds([button] { SendMessageW(button, WM_KILLFOCUS, 0, 0); }, cycles);
  DestroyWindow(form);

  std::printf("the five skin images built:                  %8.1f us\n", images);
  std::printf("a form with %d push buttons skinned+unskinned: %7.1f us shown, %.1f us hidden\n", kButtons, shown,
              hidden);
  std::printf("one fade step of a push button:              %8.1f us\n", step);
  std::printf("a focus change (four images drawn again):    %8.1f us\n", focus);
  return 0;
}
