#pragma once
// A picture: an OLE picture object that owns a GDI bitmap (and a palette on
// palette displays) and frees both when the last reference goes.
#include <windows.h>
#include <olectl.h>

#include <utility>

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
  ~Picture() {
    if (picture_) picture_->Release();
  }

  // Takes over both handles (the palette may be null); on failure frees them
  // and returns an empty picture.
  static Picture FromBitmap(HBITMAP bitmap, HPALETTE palette);

  explicit operator bool() const { return picture_ != nullptr; }
  IPicture* Get() const { return picture_; }
  HBITMAP Bitmap() const;
  HPALETTE PaletteHandle() const;
  SIZE PixelSize() const;

 private:
  IPicture* picture_ = nullptr;
};

}  // namespace quillane::win
