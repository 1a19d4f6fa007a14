#include "export/gdiplus_objects.h"

namespace quillane::exporting {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  ULONG_PTR token = 0;
  status_ = Gdiplus::GdiplusStartup(&token, &input, nullptr);
  if (status_ == Gdiplus::Ok) token_.Reset(token);
}

}  // namespace quillane::exporting
