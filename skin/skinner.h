#pragma once
// The flat light-blue skin. The main window starts it; from there it spreads
// by itself to the window's descendants, to every form or dialog that becomes
// active against a skinned window, to the dialogs a skinned window waits for
// and to the drop-down lists of skinned combo boxes. Each window is unskinned
// when it is destroyed, and the skin's images go with the last one.
// Only windows of the calling thread are ever touched.
#include <windows.h>

namespace quillane::skin {

struct SkinImages;

// Builds the skin's images when none exist and skins `window`, a top-level
// window whose controls exist and that is not shown yet. 1 when it skinned it.
int StartSkin(HWND window);

// 1 when it subclassed `window`; 0 for no window, a window of another thread
// or one already skinned. A form's descendants are skinned first.
int SkinWindow(HWND window);

// 1 when it restored `window` (and a form's descendants); 0 when it was not skinned.
int UnskinWindow(HWND window);

// The subclass procedure every skinned window gets.
LRESULT CALLBACK SkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR state);

// True when `libraryName` exports `functionName`; a library that is not
// loaded yet is loaded for the question and released again.
bool HasExport(const char* functionName, const wchar_t* libraryName);

// The fade timer of a skinned push button: started once, stopped once.
void StartFade(HWND button);
void StopFade(HWND button);
// Asks for one WM_MOUSELEAVE when the pointer leaves `window`.
void TrackLeave(HWND window);

// The identifier of every fade timer: the address of a variable of ours, so
// no control's own timer can have it.
UINT_PTR FadeTimerId();

// How fade timers are started and stopped: the system's timers, or a stand-in.
class FadeTimerApi {
 public:
  virtual ~FadeTimerApi() = default;
  // Non-zero when the timer runs.
  virtual UINT_PTR Set(HWND window, UINT_PTR id, UINT intervalMs) = 0;
  virtual BOOL Kill(HWND window, UINT_PTR id) = 0;
};
// The one in use; `replacement` (kept by the caller) takes over until it is
// replaced again, null brings back the system's.
FadeTimerApi& FadeTimers();
void UseFadeTimers(FadeTimerApi* replacement);

// Windows skinned now, and whether the skin's images exist.
int SkinnedCount();
bool SkinImagesBuilt();
// The images the painters copy from; null while no window is skinned.
const SkinImages* CurrentSkinImages();
bool IsSkinned(HWND window);

// Whether focus marks show in `window`'s top-level window: once the keyboard
// moved the focus there (or the system cleared its hidden-focus state), as
// the system's own buttons do; after mouse clicks alone they stay hidden.
bool FocusCuesShown(HWND window);

}  // namespace quillane::skin
