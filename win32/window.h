#pragma once
// The base of every window of the program: a registered class whose window
// procedure forwards to the C++ object found through GWLP_USERDATA.
#include <windows.h>

#include <string>

namespace quillane::win {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Only reached with the window still alive when a derived part is already
  // gone: the object detaches first, so no message reaches a half-destroyed
  // object. Owned<T> destroys it earlier, while T's handlers still run.
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  bool Exists() const { return hwnd_ != nullptr; }
  void Destroy();

  // Shows the window modally: `owner` (may be null) is disabled until the
  // window is destroyed, and the thread's message loop runs meanwhile. The
  // owner is enabled again before the window goes, so it gets the activation.
  void RunModal(HWND owner);

 protected:
  struct ClassStyle {
    const wchar_t* Name;
    HBRUSH Background = nullptr;
    HCURSOR Cursor = nullptr;
    UINT Style = CS_DBLCLKS;
  };
  // Registers the class on first use and creates the window.
  bool CreateWindowOf(const ClassStyle& cls, DWORD exStyle, const wchar_t* caption, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU menu);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // After WM_NCDESTROY: the handle is gone and the object may be reused or freed.
  virtual void OnDestroyed() {}

 private:
  template <class T>
  friend class Owned;
  // Implemented by Owned<T> alone, so that no window object exists otherwise.
  virtual void MadeAsOwned() = 0;

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  HWND modalOwner_ = nullptr;
};

// How every window object is made: `Owned<FrmScreenSaver> window(services);`.
// Its destructor destroys the window while the most-derived handlers still
// exist, so their destroy handling runs without each class repeating it.
template <class T>
class Owned final : public T {
 public:
  using T::T;
  ~Owned() override { this->Destroy(); }

 private:
  void MadeAsOwned() override {}
};

HINSTANCE ModuleInstance();

// Registers `name` in this module as a copy of the system class `base`: its
// windows behave exactly as the base's, under a class name of their own (the
// skin tells controls apart by class name). True when it is registered, now
// or before, also when another thread got there first.
bool RegisterSuperclass(const wchar_t* base, const wchar_t* name);

}  // namespace quillane::win
