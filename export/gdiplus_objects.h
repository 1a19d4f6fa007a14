#pragma once
// One owner each for a GDI+ session and a GDI+ image.
#include <windows.h>
#include <gdiplus.h>

namespace quillane::exporting {

// GdiplusStartup (version 1, no start-up output) ... GdiplusShutdown.
class GdiplusSession {
 public:
  GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession();
  Gdiplus::Status Status() const { return status_; }

 private:
  ULONG_PTR token_ = 0;
  Gdiplus::Status status_ = Gdiplus::GenericError;
};

// A bitmap released with GdipDisposeImage; declare it after the session it needs.
class GdiplusBitmap {
 public:
  GdiplusBitmap() = default;
  GdiplusBitmap(const GdiplusBitmap&) = delete;
  GdiplusBitmap& operator=(const GdiplusBitmap&) = delete;
  ~GdiplusBitmap();
  Gdiplus::GpBitmap* Get() const { return bitmap_; }
  // For the creating call; the bitmap must still be empty.
  Gdiplus::GpBitmap** Receive() { return &bitmap_; }

 private:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

}  // namespace quillane::exporting
