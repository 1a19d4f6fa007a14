#pragma once
// A picture box of the capture window (a handle, the toolbar strip, the
// options panels): a child window of one colour with an optional border and
// contents drawn by its owner, that hands its mouse events (at client
// points) to the form, holds the mouse while a button is down (so a drag
// keeps reaching it wherever the pointer goes) and passes keys on to its
// parent. Not a push button: the skin leaves its look alone.
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
    std::function<void(MouseButton, POINT)> Press;
    std::function<void(POINT)> Move;
    // Also when the mouse is taken away mid-press, at a point off the picture.
    std::function<void(MouseButton, POINT)> Release;
    std::function<void()> Leave;  // the pointer left the picture
  };
  // Draws over the fill and the border.
  using Contents = std::function<void(HDC dc, const RECT& client)>;
  struct Look {
    COLORREF Fill;
    std::optional<COLORREF> Border;
  };

  // Created hidden, as a child of `parent`.
  bool Create(HWND parent, const RECT& place, Look look, Events events, Contents contents = {});

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();

  Look look_{};
  Events events_;
  Contents contents_;
  bool held_ = false;      // the mouse is held by a press on this picture
  bool tracking_ = false;  // a leave has been asked for
  win::Brush fill_;
  win::Brush border_;
};

// Esc in a control of the system's (an edit, a combo box) ends the capture
// as it does anywhere else: its character goes to `form`. True when set up.
bool ForwardEscape(HWND control, HWND form);

// Button-down (double-clicks included) and button-up messages of the three buttons.
bool IsButtonPress(UINT message);
bool IsButtonRelease(UINT message);
// The mouse button of such a message.
MouseButton ButtonOf(UINT message);
// The buttons of a move's key state, as the forms' bits (1 left, 2 right, 4 middle).
unsigned ButtonBitsOf(WPARAM keyState);
bool AnyButtonDown(WPARAM keyState);

}  // namespace quillane::capture
