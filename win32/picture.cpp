#include "win32/picture.h"

namespace quillane::win {

Picture::~Picture() {
  // The bitmap goes with the last reference, wherever that one was held.
  if (picture_ && picture_->Release() == 0) gdi_accounting::Released();
}

Picture Picture::FromBitmap(win::Bitmap bitmap, win::Palette palette) {
  Picture result;
  if (!bitmap) return result;
  PICTDESC pictureInfo{};
  pictureInfo.cbSizeofstruct = sizeof pictureInfo;
  pictureInfo.picType = PICTYPE_BITMAP;
  pictureInfo.bmp.hbitmap = bitmap.Get();
  pictureInfo.bmp.hpal = palette.Get();
  // IID_IDispatch, as pictures are handed around as dispatch objects.
  IDispatch* dispatch = nullptr;
  if (FAILED(OleCreatePictureIndirect(&pictureInfo, IID_IDispatch, TRUE, reinterpret_cast<void**>(&dispatch))) ||
      !dispatch)
    return result;  // the owners free both handles
  // From here the picture frees them.
  static_cast<void>(bitmap.Release());
  static_cast<void>(palette.Release());
  gdi_accounting::Acquired();
  if (FAILED(dispatch->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&result.picture_))))
    result.picture_ = nullptr;
  if (dispatch->Release() == 0 && !result.picture_) gdi_accounting::Released();
  return result;
}

HBITMAP Picture::Bitmap() const {
  OLE_HANDLE handle = 0;
  if (!picture_ || FAILED(picture_->get_Handle(&handle))) return nullptr;
  return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
}

HPALETTE Picture::PaletteHandle() const {
  OLE_HANDLE handle = 0;
  if (!picture_ || FAILED(picture_->get_hPal(&handle))) return nullptr;
  return reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(handle));
}

SIZE Picture::PixelSize() const {
  BITMAP info{};
  const HBITMAP bitmap = Bitmap();
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

}  // namespace quillane::win
