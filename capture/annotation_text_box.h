#pragma once
// The text tool's box `TextEdit` on Win32: a borderless single-line edit
// control over the capture's picture. It shows its text in the chosen colour
// and font over the picture itself (its background is the picture under it),
// so what is typed looks exactly as it will be drawn. It lies inside the
// region, under the toolbar and the options panel, and takes no key that
// would carry its text past the region's right edge: what it shows is what
// is drawn and copied.
#include <windows.h>

#include <optional>
#include <string>

#include "capture/capture_session.h"
#include "win32/design_table.h"
#include "win32/gdi.h"

namespace quillane::capture {

class AnnotationTextBox {
 public:
  // Created hidden. Keys other than Esc stay in the box; Esc goes to `form`.
  bool Create(HWND form, win::DisplayDpi dpi);

  // The text's size in points now converts at that dpi.
  void SetDpi(win::DisplayDpi dpi);

  HWND Handle() const { return edit_; }
  // A left press on the window itself, at a screen point: a second press on
  // the box (which the first one opened under the pointer) in time and
  // close by makes the two a double-click of the window.
  void NoteFormPress(LONG time, POINT screen);
  // Shows, places, restyles or hides it as `box` says. `picture` holds what
  // the window shows under it (the backing image), `pictureWidth` its width.
  void Show(const TextBox& box, HDC picture, int pictureWidth);
  // The picture under a shown box changed (an undo or redo while it waits).
  void PictureChanged(HDC picture, int pictureWidth);
  // For EN_CHANGE: grows the box to its text; its text, or nothing while
  // the box itself changes it.
  std::optional<std::wstring> TextChanged();
  // For WM_CTLCOLOREDIT: its colours and background.
  HBRUSH Colours(HDC dc) const;
  // Draws its text into `dc` (the picture) in its font and that colour,
  // exactly where it shows it, over what lies there, never past `bounds`;
  // the area drawn.
  RECT DrawText(HDC dc, COLORREF colour, const PixelBox& bounds) const;

  static constexpr int kStartWidth = 25;

 private:
  // The picture under the box.
  void TakeBackground(HDC picture);
  POINT TextOrigin() const;
  std::wstring Text() const;

  static LRESULT CALLBACK BoxMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);

  HWND form_ = nullptr;
  LONG pressTime_ = 0;
  std::optional<POINT> pressAt_;
  HWND edit_ = nullptr;  // owned by the form
  win::DisplayDpi dpi_;
  bool restyle_ = false;  // the dpi changed since the font was made
  TextBox shown_;
  POINT at_{};
  SIZE size_{kStartWidth, 16};
  int height_ = 0;  // of a line in the font
  bool updating_ = false;
  win::Font font_;
  win::Brush background_;
};

}  // namespace quillane::capture
