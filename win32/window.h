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
  // Destroys the window if it still exists.
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  bool Exists() const { return hwnd_ != nullptr; }
  void Destroy();

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
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

HINSTANCE ModuleInstance();

}  // namespace quillane::win
