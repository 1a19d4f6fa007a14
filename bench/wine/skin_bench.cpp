// What the skin costs: building its images, skinning and unskinning a form
// (shown, and hidden as the main window is when it is skinned), one fade
// step of a push button, a focus change that draws its images again, and
// what the pointer and a repaint cost on an option button, a header and a
// progress bar, plain and skinned.
//   scripts/wine-exec.sh build/win/bench/wine/skin_bench.exe [cycles]
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "skin/skin_images.h"
#include "skin/skinner.h"
#include "win32/message_loop.h"
#include "win32/window.h"
#include "win32/window_classes.h"

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
  // The kinds the pointer changes, and a bar under the classic toolkit's name.
  quillane::win::RegisterSuperclass(WC_BUTTONW, quillane::win::kOptionButtonClass);
  quillane::win::RegisterSuperclass(PROGRESS_CLASSW, L"ProgressBar20WndClass");
  const auto child = [form](const wchar_t* cls, DWORD style, int x, int y, int w, int h) {
    return CreateWindowExW(0, cls, L"曲体 song", WS_CHILD | WS_VISIBLE | style, x, y, w, h, form, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  const HWND option = child(quillane::win::kOptionButtonClass, BS_AUTORADIOBUTTON, 10, 90, 100, 21);
  const HWND header = child(WC_HEADERW, HDS_BUTTONS, 120, 90, 280, 20);
  const HWND bar = child(L"ProgressBar20WndClass", WS_BORDER, 10, 130, 390, 20);
  for (int i = 0; i < 2; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = 140;
    item.pszText = const_cast<wchar_t*>(L"名称");
    SendMessageW(header, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(bar, PBM_SETRANGE32, 0, 30000);
  SendMessageW(bar, PBM_SETPOS, 15000, 0);
  quillane::win::PumpPendingMessages();
  int flip = 0;
  const auto pointerAndPaint = [&] {
    return std::array<double, 3>{
        Microseconds([&] { SendMessageW(option, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }, cycles),
        Microseconds([&] { SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(++flip % 2 ? 20 : 160, 5)); }, cycles),
        Microseconds([&] { RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW); }, cycles)};
  };
  pointerAndPaint();  // fonts and surfaces warmed up first
  const auto plain = pointerAndPaint();

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
  const auto skinned = pointerAndPaint();
  DestroyWindow(form);

  std::printf("the five skin images built:                  %8.1f us\n", images);
  std::printf("a form with %d push buttons skinned+unskinned: %7.1f us shown, %.1f us hidden\n", kButtons, shown,
              hidden);
  std::printf("one fade step of a push button:              %8.1f us\n", step);
  std::printf("a focus change (four images drawn again):    %8.1f us\n", focus);
  const char* const names[] = {"the pointer on an option button (circle drawn):", "the pointer onto a header item (item drawn):   ",
                               "a progress bar repainted (frame and client):   "};
  for (int i = 0; i < 3; ++i)
    std::printf("%s %8.1f us plain, %.1f us skinned\n", names[i], plain[i], skinned[i]);
  return 0;
}
