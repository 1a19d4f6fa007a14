#pragma once
// One owner each for a GDI+ session and a GDI+ image.
#include <windows.h>
#include <gdiplus.h>

#include "win32/owner.h"

namespace quillane::exporting {

struct GdiplusShutdownTraits {
  using Handle = ULONG_PTR;
  static Handle Invalid() { return 0; }
  static void Close(Handle token) { Gdiplus::GdiplusShutdown(token); }
};

// GdiplusStartup (version 1, no start-up output) ... GdiplusShutdown.
class GdiplusSession {
 public:
  GdiplusSession();
  Gdiplus::Status Status() const { return status_; }

 private:
  Gdiplus::Status status_ = Gdiplus::GenericError;
  win::Owner<GdiplusShutdownTraits> token_;
};

// A bitmap released with GdipDisposeImage; declare it after the session it needs.
struct DisposeImageTraits {
  using Handle = Gdiplus::GpBitmap*;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle bitmap) { Gdiplus::DllExports::GdipDisposeImage(bitmap); }
};
using GdiplusBitmap = win::Owner<DisposeImageTraits>;

}  // namespace quillane::exporting
