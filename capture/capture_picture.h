#pragma once
// A picture box of the capture window (a handle, the toolbar strip): a child
// window of one colour with an optional border that hands its mouse events
// to the form, holds the mouse while a button is down (so a drag keeps
// reaching it wherever the pointer goes) and passes keys on to the form.
// Not a push button: the skin leaves it alone.
#include <windows.h>

#include <functional>
#include <optional>

#include "capture/capture_session.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace quillane::capture {

class CapturePicture : public win::Window {
 public:
  struct Events {
    std::function<void(MouseButton)> Press;
    std::function<void()> Move;
    std::function<void(MouseButton)> Release;
  };
  struct Look {
    COLORREF Fill;
    std::optional<COLORREF> Border;
  };

  // Created hidden.
  bool Create(HWND form, const RECT& place, Look look, Events events);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  Look look_{};
  Events events_;
  bool held_ = false;  // the mouse is held by a press on this picture
  win::Brush fill_;
  win::Brush border_;
};

// Button-down (double-clicks included) and button-up messages of the three buttons.
bool IsButtonPress(UINT message);
bool IsButtonRelease(UINT message);
// The mouse button of such a message.
MouseButton ButtonOf(UINT message);
// The buttons of a move's key state, as the forms' bits (1 left, 2 right, 4 middle).
unsigned ButtonBitsOf(WPARAM keyState);
bool AnyButtonDown(WPARAM keyState);

}  // namespace quillane::capture
