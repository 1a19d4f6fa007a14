#pragma once
// The text tool's box `TextEdit` on Win32: a borderless single-line edit
// control over the capture's picture. It shows its text in the chosen colour
// and font over the picture itself (its background is the picture under it),
// so what is typed looks exactly as it will be drawn; it grows with its text
// and scrolls once it reaches the screen's right edge, so typing never stops.
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

  HWND Handle() const { return edit_; }
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
  // exactly where it shows it, over what lies there; the area drawn.
  RECT DrawText(HDC dc, COLORREF colour) const;

  // Text starts this wide and the box never shrinks.
  static constexpr int kStartWidth = 25;

 private:
  // The picture under the box, from its left edge to the screen's right edge.
  void TakeBackground(HDC picture, int pictureWidth);
  POINT TextOrigin() const;
  SIZE Measure(const std::wstring& text) const;
  void Grow(const std::wstring& text);
  void ScrollToStart();
  std::wstring Text() const;

  HWND form_ = nullptr;
  HWND edit_ = nullptr;  // owned by the form
  win::DisplayDpi dpi_;
  TextBox shown_;
  POINT at_{};
  int width_ = kStartWidth;
  int maxWidth_ = kStartWidth;
  int height_ = 0;
  bool updating_ = false;
  win::Font font_;
  win::Brush background_;
};

}  // namespace quillane::capture
