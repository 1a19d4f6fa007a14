#include "pattern/frm_screen_saver.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <utility>

#include "capture/frm_screen_capture.h"
#include "export/bmp_file.h"
#include "pattern/canvas_grab.h"
#include "pattern/main_menu.h"
#include "pattern/run_mode.h"
#include "pattern/run_rules.h"
#include "skin/skinner.h"
#include "win32/design_table.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"
#include "win32/window_classes.h"

namespace quillane {

namespace {

constexpr int kTimerInterval = 5;  // milliseconds
// The canvas reaches the window at most this often: about thirty times a
// second (two rounds of the system's timers where they come every 15.6 ms).
// Under Wine each showing costs a copy into the window's surface and another
// in the X server, whatever its size: at every display frame they cost more
// than the drawing, and ten ticks of growth a showing still read as smooth.
constexpr std::chrono::milliseconds kFrame{30};
constexpr int kDesignedClientWidthTwips = 18105;
constexpr int kDesignedClientHeightTwips = 3810;

UINT_PTR TimerId(int index) { return static_cast<UINT_PTR>(index + 1); }

constexpr UINT kSaveAfterMenuMessage = WM_APP + 1;

}  // namespace

FrmScreenSaver::FrmScreenSaver(const MainWindowServices& services)
    : services_(services), engine_(services.Random) {}

bool FrmScreenSaver::Load(WindowPlacement placement) {
  engine_.SetPreview(IsPreviewMode());
  DWORD style = WS_CLIPCHILDREN;
  // Tab and the arrow keys move between the panel's controls.
  DWORD exStyle = WS_EX_CONTROLPARENT;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  // Only the framed window has the menu bar: the full-screen saver shows
  // nothing but flowers, and a child in the preview box cannot have one.
  HMENU menu = nullptr;
  switch (placement) {
    case WindowPlacement::Normal: {
      style |= WS_OVERLAPPEDWINDOW;
      menu = BuildMainMenu();
      const SIZE client = win::PixelSize(kDesignedClientWidthTwips, kDesignedClientHeightTwips, win::ScreenDpi());
      RECT frame{0, 0, client.cx, client.cy};
      AdjustWindowRectEx(&frame, style, TRUE, exStyle);
      width = frame.right - frame.left;
      height = frame.bottom - frame.top;
      break;
    }
    case WindowPlacement::FullScreen:
      style |= WS_POPUP;
      exStyle |= WS_EX_TOPMOST;
      x = GetSystemMetrics(SM_XVIRTUALSCREEN);
      y = GetSystemMetrics(SM_YVIRTUALSCREEN);
      width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
      height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
      break;
    case WindowPlacement::PreviewChild:
      style |= WS_POPUP;
      x = y = 0;
      width = height = 1;
      break;
  }
  // A device context of its own: the canvas is shown on the window once a
  // frame, and fetching a shared one each time costs the system more than the copy.
  const ClassStyle cls{win::kMainWindowClass, nullptr, nullptr, CS_DBLCLKS | CS_OWNDC};
  if (CreateWindowOf(cls, exStyle, kCaption, style, x, y, width, height, nullptr, menu)) return true;
  if (menu) DestroyMenu(menu);
  return false;
}

void FrmScreenSaver::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(Handle());
}

bool FrmScreenSaver::AdoptAsPreviewOf(HWND parent) {
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  // A child cannot also be a pop-up window.
  if (SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD) == 0)
    return false;
  if (!parent || SetParent(Handle(), parent) == nullptr) return false;
  RECT box{};
  GetClientRect(parent, &box);
  SetWindowPos(Handle(), nullptr, 0, 0, box.right, box.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

void FrmScreenSaver::SetTimerEnabled(TimerKind kind, bool on) {
  const int i = Index(kind);
  timerOn_[i] = on;
  if (!Exists()) return;
  if (on) {
    SetTimer(Handle(), TimerId(i), kTimerInterval, nullptr);
    return;
  }
  KillTimer(Handle(), TimerId(i));
  // A tick shows what waits once a frame has passed; without ticks to come,
  // the last ones are shown now.
  if (std::find(timerOn_.begin(), timerOn_.end(), true) == timerOn_.end()) ShowCanvas();
}

PatternParams FrmScreenSaver::ReadPatternParams() const { return panel_.Exists() ? panel_.Read() : startParams_; }

void FrmScreenSaver::Tick(TimerKind kind) {
  if (!canvas_.Fit(Handle(), backColour_)) {
    // No memory for the canvas: the flowers are drawn on the window itself.
    GdiFlowerCanvas canvas(Handle(), drawWidth_);
    engine_.Tick(kind, ReadPatternParams(), canvas);
    return;
  }
  {
    GdiFlowerCanvas canvas(canvas_.Dc(), canvas_.Size(), drawWidth_, PetalPath::OnCanvas, &canvas_.Outlines(),
                           canvas_.Pixels());
    engine_.Tick(kind, ReadPatternParams(), canvas);
    canvas_.Touch(canvas.Touched());
  }
  ShowCanvasWhenDue();
}

void FrmScreenSaver::ShowCanvasWhenDue() {
  if (canvas_.Pending() && std::chrono::steady_clock::now() - lastShown_ >= kFrame) ShowCanvas();
}

void FrmScreenSaver::ShowCanvas() {
  if (canvas_.Show(Handle())) lastShown_ = std::chrono::steady_clock::now();
}

void FrmScreenSaver::OnLoad() {
  panel_.Create(Handle(), startParams_,
                {[this](int width) { SetDrawWidth(width); },
                 [this] {
                   SetTimerEnabled(TimerKind::Timer1, true);
                   SetTimerEnabled(TimerKind::Timer2, true);
                   SetTimerEnabled(TimerKind::Timer3, false);
                   SetTimerEnabled(TimerKind::Timer4, false);
                 },
                 [this] {
                   SetTimerEnabled(TimerKind::Timer1, false);
                   SetTimerEnabled(TimerKind::Timer2, false);
                   SetTimerEnabled(TimerKind::Timer3, true);
                   SetTimerEnabled(TimerKind::Timer4, true);
                 }});
  SetGrowthTimers(true);
  SetTimerEnabled(TimerKind::Timer4, false);
  skin::StartSkin(Handle());
}

void FrmScreenSaver::OnUnload() {
  for (int i = 0; i < 4; ++i) KillTimer(Handle(), TimerId(i));
  picture1_ = {};
  canvas_.Release();
  OnSaverUnload(services_.Host);
}

// "绘图(drawing)" and "暂停(pause)" switch these three; Timer4 stays as it is.
void FrmScreenSaver::SetGrowthTimers(bool on) {
  SetTimerEnabled(TimerKind::Timer1, on);
  SetTimerEnabled(TimerKind::Timer2, on);
  SetTimerEnabled(TimerKind::Timer3, on);
}

void FrmScreenSaver::SetBackColour(COLORREF colour) {
  backColour_ = colour;
  ClearCanvas();
}

void FrmScreenSaver::ClearCanvas() {
  if (Exists()) RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
}

void FrmScreenSaver::ChooseBackColour() {
  dialogColour_ = services_.Dialogs.ChooseColour(Handle(), dialogColour_, nullptr);
  SetBackColour(dialogColour_);
}

void FrmScreenSaver::GrabCanvas() {
  // The previous grab is released first, freeing its bitmap.
  picture1_ = {};
  ShowCanvas();
  picture1_ = CaptureClient(Handle());
}

void FrmScreenSaver::SaveGrabbedPicture() {
  win::SaveFileRequest request;
  request.DefaultExtension = L"BMP";
  request.Filter = std::wstring(L"Bitmap Image (*.bmp)") + L'\0' + L"*.bmp" + L'\0';
  const win::SaveFileAnswer answer = services_.Dialogs.ChooseSaveFile(Handle(), request);
  // Nothing grabbed yet, or a cancel: nothing to write and nothing to say.
  if (answer.Chosen() && !answer.FileName.empty() && picture1_) {
    const std::wstring& fileName = answer.FileName;
    if (const auto error = exporting::WritePictureAsBmp(picture1_, fileName, services_.Files)) {
      const std::wstring text = L"无法保存图案到文件:\r\n" + fileName + L"\r\n\r\n" + error->Description +
                                L"\r\n错误号: " + std::to_wstring(error->Number);
      services_.Dialogs.ShowMessage(Handle(), text, L"错误", MB_OK | MB_ICONERROR);
    }
  }
  SetTimerEnabled(TimerKind::Timer1, true);
}

void FrmScreenSaver::RunMenuCommand(UINT command) {
  switch (command) {
    case kMenuDeploy: panel_.ShowPanel(); break;
    case kMenuBackColour: ChooseBackColour(); break;
    case kMenuRestoreBackColour: SetBackColour(RGB(0, 0, 0)); break;
    case kMenuCapture: GrabCanvas(); break;
    case kMenuDrawing: SetGrowthTimers(true); break;
    case kMenuPause: SetGrowthTimers(false); break;
    case kMenuScreenshot:
      ShowCanvas();
      capture::ShowScreenCapture(Handle(), services_.Dialogs);
      break;
    case kMenuRemove: ClearCanvas(); break;
    case kMenuAbout: services_.Shell.Open(Handle(), kMakersWebPage); break;
    default: break;
  }
}

void FrmScreenSaver::EraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const win::Brush brush(CreateSolidBrush(backColour_));
  FillRect(dc, &client, brush.Get());
  canvas_.Erase(dc, brush.Get());
}

LRESULT FrmScreenSaver::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnLoad();
      return 0;
    case WM_TIMER:
      if (wParam >= 1 && wParam <= 4) {
        const auto kind = static_cast<TimerKind>(wParam - 1);
        if (TimerEnabled(kind)) Tick(kind);
      }
      return 0;
    case WM_GETDLGCODE:
      // Every key that reaches the canvas itself is for the exit rules, not navigation.
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      ExitSaver(Handle(), services_.Host);
      return 0;
    case WM_SYSKEYDOWN:
      if (IsMenuBarKey(static_cast<UINT>(wParam))) break;
      ExitSaver(Handle(), services_.Host);
      return 0;
    case WM_ACTIVATE:
      if (OnActivate(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))) return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        if (LOWORD(wParam) != kMenuSaveNotice) menuCommandChosen_ = true;
        RunMenuCommand(LOWORD(wParam));
      }
      return 0;
    case WM_ENTERMENULOOP:
      menuPopupsOpened_ = 0;
      saveMenuChosen_ = false;
      menuCommandChosen_ = false;
      return 0;
    case WM_INITMENUPOPUP:
      // Choosing "保存(save)" is the save (its one item only asks for
      // patience): its drop-down must be the first of the menu session, not
      // one passed on the way from another.
      if (!HIWORD(lParam) && ++menuPopupsOpened_ == 1 && GetMenu(Handle()) &&
          reinterpret_cast<HMENU>(wParam) == GetSubMenu(GetMenu(Handle()), kSaveMenuPosition))
        saveMenuChosen_ = true;
      return 0;
    case WM_EXITMENULOOP:
      // The file dialog follows once the menu has closed; a command chosen in
      // the same session is already queued ahead and cancels it.
      if (std::exchange(saveMenuChosen_, false)) PostMessageW(Handle(), kSaveAfterMenuMessage, 0, 0);
      return 0;
    case kSaveAfterMenuMessage:
      if (!menuCommandChosen_) SaveGrabbedPicture();
      return 0;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_DESTROY:
      OnUnload();
      return 0;
    default:
      if (message == win::NextTabStopMessage())
        return reinterpret_cast<LRESULT>(panel_.NextTabStop(reinterpret_cast<HWND>(lParam), wParam != 0));
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

bool FrmScreenSaver::IsMenuBarKey(UINT key) const {
  // Only the framed window has a menu; the full-screen saver ends on any key.
  const HMENU bar = GetMenu(Handle());
  if (!bar) return false;
  if (key == VK_MENU || key == VK_F10) return true;
  if (GetKeyState(VK_MENU) >= 0) return false;
  const auto typed = static_cast<wchar_t>(MapVirtualKeyW(key, MAPVK_VK_TO_CHAR));
  if (!typed) return false;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    wchar_t text[64]{};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    const wchar_t* amp = wcschr(text, L'&');
    if (amp && amp[1] && std::towupper(amp[1]) == std::towupper(typed)) return true;
  }
  return false;
}

bool FrmScreenSaver::OnActivate(bool active) {
  // As a dialog does: the keys go back to the control that had them, so an
  // arrow meant for a slider never reaches the canvas (where it would end the window).
  if (!active) {
    const HWND focus = GetFocus();
    lastFocus_ = IsChild(Handle(), focus) ? focus : nullptr;
    return false;
  }
  if (!lastFocus_ || !IsChild(Handle(), lastFocus_) || !IsWindowVisible(lastFocus_) || !IsWindowEnabled(lastFocus_))
    return false;
  SetFocus(lastFocus_);
  return true;
}

}  // namespace quillane
