// What the skin costs: building its images, skinning and unskinning a form,
// one fade step of a push button and one re-rendering of its state images.
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

  const double images = Microseconds([] { quillane::skin::BuildSkinBitmaps(); }, cycles);
  const double skin = Microseconds(
      [form] {
        quillane::skin::StartSkin(form);
        quillane::skin::UnskinWindow(form);
      },
      cycles);
  quillane::skin::StartSkin(form);
  quillane::win::PumpPendingMessages();
  const HWND button = buttons[0];
  const double step = Microseconds(
      [button] {
        if (!GetPropW(button, L"TIMERID")) SendMessageW(button, WM_LBUTTONUP, 0, 0);
        SendMessageW(button, WM_TIMER, quillane::skin::FadeTimerId(), 0);
      },
      cycles * 20);
  const double render = Microseconds([button] { SendMessageW(button, WM_KILLFOCUS, 0, 0); }, cycles);
  {
    auto imgs = quillane::skin::BuildSkinBitmaps();
    quillane::skin::Surface target(90, 25);
    const double slice = Microseconds([&] {
      quillane::skin::BltNineSlice(target.Dc(), 0, 0, 90, 25, imgs->Button->Dc(), {0, 0, 7, 21}, {3, 3, 3, 3});
    }, cycles * 4);
    const double text = Microseconds([&] {
      RECT r{2, 2, 88, 23};
      DrawTextW(target.Dc(), L"多 色", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }, cycles * 4);
    const double make = Microseconds([&] { quillane::skin::Surface s(90, 25); }, cycles * 4);
    std::printf("nine-slice %.1f us, text %.1f us, surface %.1f us\n", slice, text, make);
    HWND b = buttons[1];
    int v = 0;
    const double prop = Microseconds([&] { SetPropW(b, L"X", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(++v))); }, cycles * 4);
    const double kill = Microseconds([&] { SendMessageW(b, WM_KILLFOCUS, 0, 0); }, cycles);
    const double getdc = Microseconds([&] { HDC dc = GetWindowDC(b); ReleaseDC(b, dc); }, cycles);
    const double rect = Microseconds([&] { RECT r; GetWindowRect(b, &r); }, cycles);
    const double font = Microseconds([&] { SendMessageW(b, WM_GETFONT, 0, 0); }, cycles);
    const double focus = Microseconds([&] { GetFocus(); }, cycles);
    const double texts = Microseconds([&] { wchar_t t[64]; GetWindowTextW(b, t, 64); }, cycles);
    const double rgn = Microseconds([&] { SetWindowRgn(b, CreateRoundRectRgn(0, 0, 91, 26, 3, 3), TRUE); SetWindowRgn(b, nullptr, TRUE); }, cycles);
    const double style = Microseconds([&] { SendMessageW(b, BM_SETSTYLE, BS_OWNERDRAW, TRUE); SendMessageW(b, BM_SETSTYLE, BS_PUSHBUTTON, TRUE); }, cycles);
    const double nc = Microseconds([&] { SendMessageW(b, WM_NCPAINT, 1, 0); RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT); }, cycles);
    const double ncf = Microseconds([&] { SendMessageW(form, WM_NCPAINT, 1, 0); RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT); }, cycles);
    const double sub = Microseconds([&] { SetWindowSubclass(b, [](HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) { return DefSubclassProc(h, m, w, l); }, 9, 0); RemoveWindowSubclass(b, [](HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) { return DefSubclassProc(h, m, w, l); }, 9); }, cycles);
    std::printf("region set+removed %.1f, style twice %.1f, button refresh %.1f, form refresh %.1f, subclass %.1f\n", rgn, style, nc, ncf, sub);
    std::printf("setprop %.1f, plain killfocus %.1f, getdc %.1f, rect %.1f, font %.1f, focus %.1f, text %.1f\n", prop, kill, getdc, rect, font, focus, texts);
  }
  std::printf("skin images built:                  %8.1f us\n", images);
  std::printf("form with %d buttons skinned+unskinned: %6.1f us\n", kButtons, skin);
  std::printf("one fade step (one blend):          %8.1f us\n", step);
  std::printf("one button's four images rendered:  %8.1f us\n", render);
  DestroyWindow(form);
  return 0;
}
