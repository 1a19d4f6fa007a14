#pragma once
// Copies a window area into a picture through a memory device context.
#include <windows.h>

#include "win32/gdi.h"
#include "win32/picture.h"

namespace quillane {

// The client area of `form`, in pixels.
win::Picture CaptureClient(HWND form);

// That rectangle of the window's client area (`client`) or whole window.
win::Picture CaptureWindow(HWND hWndSrc, bool client, int leftSrc, int topSrc, int widthSrc, int heightSrc);

// A picture that takes over both handles (the palette may be null).
win::Picture CreateBitmapPicture(win::Bitmap hBmp, win::Palette hpal);

}  // namespace quillane
