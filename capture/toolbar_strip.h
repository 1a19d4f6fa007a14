#pragma once
// The capture's toolbar strip `Picture1` on Win32: one picture box showing
// the nine button pictures `Image2`, the hover frame `Shape3` of the button
// under the pointer, and a tooltip for each button. It reports the button
// under the pointer and clicks (a left press and release on the same button).
#include <windows.h>

#include <functional>

#include "capture/capture_picture.h"
#include "capture/capture_toolbar.h"
#include "win32/gdi.h"

namespace quillane::capture {

class ToolbarStrip {
 public:
  struct Events {
    std::function<void(int button)> Hover;  // kNoButton: the strip between buttons
    std::function<void()> Leave;
    std::function<void(int button)> Click;
  };

  // Created hidden above the form's top edge. `font` shows the tooltips and
  // must outlive the strip.
  bool Create(HWND form, Dpi dpi, HFONT font, Events events);

  // Lays the buttons and their tooltips out at another dpi; the form sizes
  // the strip. `font` as for Create.
  void LayOut(Dpi dpi, HFONT font);

  HWND Handle() const { return picture_.Handle(); }
  HWND Tooltip() const { return tooltip_; }
  const ToolbarLayout& Layout() const { return layout_; }
  int HoverButton() const { return hover_; }
  // Shows the hover frame of that button alone (kNoButton: none).
  void ShowHover(int button);
  // The chosen tool's button keeps a frame of its own (kNoButton: none).
  void ShowChosen(int button);
  int ChosenButton() const { return chosen_; }

  static constexpr COLORREF kFill = RGB(222, 238, 255);
  static constexpr COLORREF kFrame = RGB(0, 122, 236);
  static constexpr COLORREF kHoverFill = RGB(255, 255, 255);

 private:
  bool MakeIcons();
  void Paint(HDC dc) const;
  void InvalidateFrame(int button);

  Events events_;
  ToolbarLayout layout_;
  int hover_ = kNoButton;
  int chosen_ = kNoButton;
  int pressed_ = kNoButton;
  HWND tooltip_ = nullptr;  // owned by the form
  // The nine pictures side by side, over the strip's colour and over the hover fill.
  win::Bitmap icons_;
  win::Bitmap hotIcons_;
  win::Brush hoverFill_;
  win::Brush frame_;
  win::Owned<CapturePicture> picture_;
};

}  // namespace quillane::capture
