#include "win32/picture.h"

namespace quillane::win {

Picture Picture::FromBitmap(HBITMAP bitmap, HPALETTE palette) {
  PICTDESC pictureInfo{};
  pictureInfo.cbSizeofstruct = sizeof pictureInfo;
  pictureInfo.picType = PICTYPE_BITMAP;
  pictureInfo.bmp.hbitmap = bitmap;
  pictureInfo.bmp.hpal = palette;
  Picture result;
  // IID_IDispatch, as pictures are handed around as dispatch objects.
  IDispatch* dispatch = nullptr;
  if (FAILED(OleCreatePictureIndirect(&pictureInfo, IID_IDispatch, TRUE, reinterpret_cast<void**>(&dispatch))) ||
      !dispatch) {
    if (bitmap) DeleteObject(bitmap);
    if (palette) DeleteObject(palette);
    return result;
  }
  dispatch->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&result.picture_));
  dispatch->Release();
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
