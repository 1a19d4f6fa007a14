#include "skin/skinner.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "skin/control_geometry.h"
#include "skin/control_kind.h"
#include "skin/control_behaviour.h"
#include "skin/push_button_painter.h"
#include "skin/skin_images.h"
#include "skin/skinned_window.h"
#include "win32/module.h"

namespace quillane::skin {

namespace {

constexpr UINT_PTR kSubclassId = 0x534B494E;  // "SKIN"
const char kFadeTimerTag = 0;

struct SkinModule {
  bool UserTrackMouseEvent = false;
  std::unique_ptr<SkinImages> Images;
  // The state of every skinned window, and of unskinned ones whose message
  // still runs (freed when it returns).
  std::unordered_map<HWND, std::unique_ptr<SkinnedWindow>> Windows;
  std::vector<std::unique_ptr<SkinnedWindow>> Retired;
};

SkinModule& Module() {
  static SkinModule module;
  return module;
}

bool OnThisThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

ControlKind KindOf(HWND window) {
  wchar_t name[256]{};
  GetClassNameW(window, name, 255);
  return KindOfClass(name);
}

SkinnedWindow* Find(HWND window) {
  const auto& windows = Module().Windows;
  const auto found = windows.find(window);
  return found == windows.end() ? nullptr : found->second.get();
}

void FreeRetired(SkinnedWindow* window) {
  auto& retired = Module().Retired;
  retired.erase(std::remove_if(retired.begin(), retired.end(), [window](const auto& w) { return w.get() == window; }),
                retired.end());
}

void BuildImages() {
  SkinModule& module = Module();
  if (module.Images) return;
  module.UserTrackMouseEvent = HasExport("TrackMouseEvent", L"user32.dll");
  module.Images = BuildSkinBitmaps();
}

void ReleaseImagesWhenUnused() {
  SkinModule& module = Module();
  if (module.Windows.empty()) module.Images.reset();
}

const Surface* ButtonImage() {
  const SkinModule& module = Module();
  return module.Images ? module.Images->Button.get() : nullptr;
}

// A hidden window is drawn whole when it is shown.
void Refresh(HWND window) {
  if (!IsWindowVisible(window)) return;
  SendMessageW(window, WM_NCPAINT, 1, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

BOOL CALLBACK SkinDescendant(HWND window, LPARAM) {
  SkinWindow(window);
  return TRUE;
}

BOOL CALLBACK UnskinDescendant(HWND window, LPARAM) {
  UnskinWindow(window);
  return TRUE;
}

// Messages after which a check box or option button has drawn its own box
// or circle without a paint message: a new check (also the one the keyboard
// moves through a group of options), highlight, enabled state, caption,
// font or focus.
bool DrawsItsOwnMark(UINT message) {
  switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: return true;
    default: return false;
  }
}

BOOL CALLBACK RefreshMark(HWND window, LPARAM) {
  if (!OnThisThread(window)) return TRUE;
  if (SkinnedWindow* w = Find(window); w && (w->Kind == ControlKind::CheckBox || w->Kind == ControlKind::OptionButton)) {
    w->OldState = ControlState::Normal;
    BehaviourOf(w->Kind).RepaintMark(*w);
  }
  return TRUE;
}

void ButtonUp(SkinnedWindow& w) {
  BehaviourOf(w.Kind).Released(w);
  // A click may change a whole group of marks: redraw the skinned check boxes
  // and option buttons beside this window. Never another program's windows
  // (in the preview box the parent is the control panel's).
  HWND root = (GetWindowLongPtrW(w.Handle, GWL_STYLE) & WS_CHILD) ? GetParent(w.Handle) : nullptr;
  if (!root || !OnThisThread(root)) root = w.Handle;
  EnumChildWindows(root, RefreshMark, 0);
}

// Dialogs move the default between push buttons by their style (a message
// box even sets its default after it became active and was skinned): the
// button stays owner-drawn and the type is kept for unskinning.
LRESULT SetButtonStyle(SkinnedWindow& w, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR type = static_cast<LONG_PTR>(wParam) & BS_TYPEMASK;
  if (IsSkinnablePushButton(type)) {
    const bool moved = (w.OldStyle & BS_TYPEMASK) != type;
    w.OldStyle = (w.OldStyle & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | type;
    const LRESULT result =
        DefSubclassProc(w.Handle, BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
    if (moved) {  // the default ring comes or goes
      RenderButtonStates(w, ButtonImage());
      if (!w.TimerId) w.Fade.Painted(w);
    }
    return result;
  }
  // Made another kind of button: from now on it draws itself.
  w.StopFade();
  w.OwnerDrawn = false;
  w.ReleaseImages();
  SetWindowRgn(w.Handle, nullptr, TRUE);
  return DefSubclassProc(w.Handle, BM_SETSTYLE, wParam, lParam);
}

// Keys that move the focus, as a dialog or our own panels see them.
bool MovesFocus(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return false;
  }
}

// The focused button draws its images again with or without its focus mark.
void RedrawFocusedButton() {
  SkinnedWindow* focused = Find(GetFocus());
  if (!focused || !focused->OwnerDrawn) return;
  RenderButtonStates(*focused, ButtonImage());
  if (!focused->TimerId) focused->Fade.Painted(*focused);
}

void SetKeyboardCues(HWND window, bool shown) {
  SkinnedWindow* root = Find(GetAncestor(window, GA_ROOT));
  if (!root || root->KeyboardCues == shown) return;
  root->KeyboardCues = shown;
  RedrawFocusedButton();
}

// Keyboard use seen by any skinned window, before its own procedure acts on
// it: a key message itself, or a dialog asking the focus about one.
void WatchKeyboardCues(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && MovesFocus(wParam)) SetKeyboardCues(window, true);
  if (message == WM_GETDLGCODE && lParam) {
    const auto* pending = reinterpret_cast<const MSG*>(lParam);
    if (pending->message == WM_KEYDOWN && MovesFocus(pending->wParam)) SetKeyboardCues(window, true);
  }
  if (message == WM_UPDATEUISTATE && (HIWORD(wParam) & UISF_HIDEFOCUS)) {
    if (LOWORD(wParam) == UIS_CLEAR) SetKeyboardCues(window, true);
    if (LOWORD(wParam) == UIS_SET) SetKeyboardCues(window, false);
  }
}

// An owner-drawn button answers as the push button it was, so Enter in a
// dialog still pushes the focused button and the default can move.
LRESULT PushButtonDialogCode(const SkinnedWindow& w, LRESULT code) {
  code &= ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  return code | DLGC_BUTTON |
         ((w.OldStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The work after the window's own procedure had the message.
void AfterPassingOn(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  const ControlBehaviour& behaviour = BehaviourOf(w.Kind);
  if (DrawsItsOwnMark(message)) behaviour.RepaintMark(w);
  switch (message) {
    case WM_SIZE:
      if (w.OwnerDrawn) {
        RenderButtonStates(w, ButtonImage());
        SetRoundedRegion(w.Handle);
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (w.OwnerDrawn) {
        RenderButtonStates(w, ButtonImage(), message == WM_SETFOCUS);  // the focus mark follows the focus
        w.Fade.FocusChanged(w);
      }
      break;
    case WM_ENABLE:
      if (w.OwnerDrawn) w.Fade.EnabledChanged(w, wParam != 0);
      break;
    case WM_SETTEXT:
    case WM_SETFONT:
      // A new caption shows at once, not at the next focus change.
      if (w.OwnerDrawn) {
        RenderButtonStates(w, ButtonImage());
        if (!w.TimerId) w.Fade.Painted(w);
      }
      break;
    case WM_WINDOWPOSCHANGING:
      if (w.Kind == ControlKind::ComboBox || w.Kind == ControlKind::DriveList)
        PaintComboButton(w, nullptr, ControlState::Normal, false);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam == VK_SPACE) behaviour.SpaceKey(w, message == WM_KEYDOWN);
      break;
    case WM_PARENTNOTIFY:
      // A control made later inside this window (a dialog's file list made
      // anew for a new folder, the header a list makes), with whatever it
      // made for itself meanwhile; the notice goes up through the ancestors,
      // so the nearest skinned one takes it.
      if (LOWORD(wParam) == WM_CREATE && lParam && !Find(reinterpret_cast<HWND>(lParam))) {
        SkinWindow(reinterpret_cast<HWND>(lParam));
        EnumChildWindows(reinterpret_cast<HWND>(lParam), SkinDescendant, 0);
      }
      break;
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:
      // The dialog or menu owner this window waits for, or a combo box's list.
      if (lParam) SkinWindow(reinterpret_cast<HWND>(lParam));
      break;
    case WM_MOUSEMOVE: behaviour.PointerMoved(w, wParam, lParam); break;
    case WM_LBUTTONDOWN: behaviour.Pressed(w, lParam); break;
    case WM_LBUTTONDBLCLK: behaviour.DoubleClicked(w, lParam); break;
    case WM_LBUTTONUP: ButtonUp(w); break;
    case WM_MOUSELEAVE: behaviour.PointerLeft(w); break;
    default: break;
  }
}

LRESULT HandleMessage(SkinnedWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = w.Handle;
  WatchKeyboardCues(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:  // a window skinned after its WM_DESTROY
      UnskinWindow(hwnd);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    case WM_ACTIVATE: {
      const auto other = reinterpret_cast<HWND>(lParam);
      if (other && (GetParent(other) == hwnd || KindOf(other) == ControlKind::Form)) SkinWindow(other);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    case WM_TIMER:
      if (wParam != FadeTimerId()) break;
      // Our own timer: only it drives the fade, and nobody else wants it.
      if (w.OwnerDrawn && w.TimerId) w.Fade.FadeStep(w);
      return 0;
    case WM_PAINT: return BehaviourOf(w.Kind).PaintClient(w, message, wParam, lParam);
    case WM_NCPAINT: return BehaviourOf(w.Kind).PaintFrame(w, message, wParam, lParam);
    case BM_SETSTYLE:
      if (w.OwnerDrawn) return SetButtonStyle(w, wParam, lParam);
      break;
    case WM_GETDLGCODE:
      if (w.OwnerDrawn) return PushButtonDialogCode(w, DefSubclassProc(hwnd, message, wParam, lParam));
      break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button would only report a double click; the second
      // click of a quick pair is a press like the first.
      if (w.OwnerDrawn) message = WM_LBUTTONDOWN;
      break;
    default: break;
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  // Destroyed or unskinned meanwhile (a click that closed its dialog): the
  // message brings no more work.
  if (!w.Gone) AfterPassingOn(w, message, wParam, lParam);
  return result;
}

}  // namespace

UINT_PTR FadeTimerId() { return reinterpret_cast<UINT_PTR>(&kFadeTimerTag); }

namespace {
class SystemFadeTimers final : public FadeTimerApi {
 public:
  UINT_PTR Set(HWND window, UINT_PTR id, UINT intervalMs) override { return SetTimer(window, id, intervalMs, nullptr); }
  BOOL Kill(HWND window, UINT_PTR id) override { return KillTimer(window, id); }
};
SystemFadeTimers systemFadeTimers;
FadeTimerApi* fadeTimers = &systemFadeTimers;
}  // namespace

FadeTimerApi& FadeTimers() { return *fadeTimers; }
void UseFadeTimers(FadeTimerApi* replacement) { fadeTimers = replacement ? replacement : &systemFadeTimers; }

int SkinnedCount() { return static_cast<int>(Module().Windows.size()); }
bool SkinImagesBuilt() { return Module().Images != nullptr; }
const SkinImages* CurrentSkinImages() { return Module().Images.get(); }
bool IsSkinned(HWND window) { return Find(window) != nullptr; }

bool FocusCuesShown(HWND window) {
  // Where the system shows cues from the start it says so with
  // WM_UPDATEUISTATE; Wine reports cues always on but its own buttons hide
  // the mark until the keyboard is used, as Windows does by default.
  const SkinnedWindow* root = Find(GetAncestor(window, GA_ROOT));
  return root && root->KeyboardCues;
}

bool HasExport(const char* functionName, const wchar_t* libraryName) {
  if (const HMODULE loaded = GetModuleHandleW(libraryName))
    return GetProcAddress(loaded, functionName) != nullptr;
  const win::LoadedModule probe(libraryName);
  return probe.Find<FARPROC>(functionName) != nullptr;
}

int StartSkin(HWND window) {
  BuildImages();
  const int skinned = SkinWindow(window);
  ReleaseImagesWhenUnused();
  return skinned;
}

int SkinWindow(HWND window) {
  if (!window || !IsWindow(window) || !OnThisThread(window) || Find(window)) return 0;
  const ControlKind kind = KindOf(window);
  BuildImages();
  if (kind == ControlKind::Form) EnumChildWindows(window, SkinDescendant, 0);

  auto state = std::make_unique<SkinnedWindow>(window, kind);
  SkinnedWindow& w = *state;
  const LONG_PTR previousProcedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
  if (kind == ControlKind::PushButton) {
    w.OldStyle = GetWindowLongPtrW(window, GWL_STYLE);
    w.OwnerDrawn = IsSkinnablePushButton(w.OldStyle);
    if (w.OwnerDrawn) RenderButtonStates(w, ButtonImage());
  }
  // Owner-drawn before the subclass sees any style change.
  if (w.OwnerDrawn) SendMessageW(window, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  if (!SetWindowSubclass(window, SkinWndProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state.get()))) {
    if (w.OwnerDrawn) SendMessageW(window, BM_SETSTYLE, w.OldStyle & BS_TYPEMASK, TRUE);
    ReleaseImagesWhenUnused();
    return 0;
  }
  SkinModule& module = Module();
  module.Windows[window] = std::move(state);
  w.MirrorProperty(L"PROCADDR", previousProcedure ? previousProcedure : 1);
  if (w.OwnerDrawn) SetRoundedRegion(window);
  w.MirrorProperties();
  Refresh(window);
  return 1;
}

int UnskinWindow(HWND window) {
  SkinnedWindow* found = Find(window);
  if (!found) return 0;
  SkinnedWindow& w = *found;
  if (w.Kind == ControlKind::Form) EnumChildWindows(window, UnskinDescendant, 0);
  w.StopFade();
  RemoveWindowSubclass(window, SkinWndProc, kSubclassId);
  w.Gone = true;
  if (w.OwnerDrawn) {
    SendMessageW(window, BM_SETSTYLE, w.OldStyle & BS_TYPEMASK, TRUE);
    SetWindowRgn(window, nullptr, TRUE);
    w.ReleaseImages();
  }
  w.RemoveProperties();
  Refresh(window);
  // Freed now, or by the message of this window that is still running.
  SkinModule& module = Module();
  auto owned = std::move(module.Windows[window]);
  module.Windows.erase(window);
  if (owned->Depth > 0) module.Retired.push_back(std::move(owned));
  owned.reset();
  ReleaseImagesWhenUnused();
  return 1;
}

LRESULT CALLBACK SkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR state) {
  auto& w = *reinterpret_cast<SkinnedWindow*>(state);
  if (w.Gone) return DefSubclassProc(window, message, wParam, lParam);
  ++w.Depth;
  const LRESULT result = HandleMessage(w, message, wParam, lParam);
  --w.Depth;
  if (!w.Gone)
    w.MirrorProperties();
  else if (w.Depth == 0)
    FreeRetired(&w);
  return result;
}

void StartFade(HWND button) {
  if (SkinnedWindow* w = Find(button); w && w->OwnerDrawn) {
    w->StartFade();
    w->MirrorProperties();
  }
}

void StopFade(HWND button) {
  if (SkinnedWindow* w = Find(button)) {
    w->StopFade();
    w->MirrorProperties();
  }
}

void TrackLeave(HWND window) {
  TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
  if (Module().UserTrackMouseEvent)
    TrackMouseEvent(&request);
  else
    _TrackMouseEvent(&request);
}

}  // namespace quillane::skin
