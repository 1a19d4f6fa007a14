#pragma once
// A picture: an OLE picture object that owns a GDI bitmap (and a palette on
// palette displays) and frees both when the last reference goes.
#include <windows.h>
#include <olectl.h>

#include <utility>

#include "win32/gdi.h"

namespace quillane::win {

class Picture {
 public:
  Picture() = default;
  Picture(const Picture& other) : picture_(other.picture_) {
    if (picture_) picture_->AddRef();
  }
  Picture(Picture&& other) noexcept : picture_(std::exchange(other.picture_, nullptr)) {}
  Picture& operator=(Picture other) noexcept {
    std::swap(picture_, other.picture_);
    return *this;
  }
  ~Picture();

  // Takes over both handles (the palette may be empty); on failure frees them
  // and returns an empty picture. A live picture counts as one GDI object.
  static Picture FromBitmap(win::Bitmap bitmap, win::Palette palette = {});

  explicit operator bool() const { return picture_ != nullptr; }
  IPicture* Get() const { return picture_; }
  HBITMAP Bitmap() const;
  HPALETTE PaletteHandle() const;
  SIZE PixelSize() const;

 private:
  IPicture* picture_ = nullptr;
};

}  // namespace quillane::win
