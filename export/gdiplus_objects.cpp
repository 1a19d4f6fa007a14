#include "export/gdiplus_objects.h"

namespace quillane::exporting {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
  if (status_ == Gdiplus::Ok) Gdiplus::GdiplusShutdown(token_);
}

GdiplusBitmap::~GdiplusBitmap() {
  if (bitmap_) Gdiplus::DllExports::GdipDisposeImage(bitmap_);
}

}  // namespace quillane::exporting
