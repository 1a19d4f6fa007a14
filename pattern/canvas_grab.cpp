#include "pattern/canvas_grab.h"

#include <optional>
#include <utility>
#include <vector>

#include "win32/gdi.h"

namespace quillane {

namespace {

// On a 256-colour palette display the grab carries the system palette.
win::Palette SystemPaletteOf(HDC source) {
  if (!(GetDeviceCaps(source, RASTERCAPS) & RC_PALETTE) || GetDeviceCaps(source, SIZEPALETTE) != 256) return {};
  std::vector<unsigned char> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = 256;
  GetSystemPaletteEntries(source, 0, 256, palette->palPalEntry);
  return win::Palette(CreatePalette(palette));
}

}  // namespace

win::Picture CaptureClient(HWND form) {
  RECT client{};
  GetClientRect(form, &client);
  return CaptureWindow(form, true, 0, 0, client.right - client.left, client.bottom - client.top);
}

win::Picture CaptureWindow(HWND hWndSrc, bool client, int leftSrc, int topSrc, int widthSrc, int heightSrc) {
  win::Bitmap bitmap;
  win::Palette palette;
  {
    const win::WindowDc source(hWndSrc, client ? win::WindowDc::Area::Client : win::WindowDc::Area::Whole);
    const win::MemoryDc memory(source.Get());
    bitmap.Reset(CreateCompatibleBitmap(source.Get(), widthSrc, heightSrc));
    const win::SelectGuard selected(memory.Get(), bitmap.Get());
    palette = SystemPaletteOf(source.Get());
    std::optional<win::PaletteGuard> paletteSelected;
    if (palette) {
      paletteSelected.emplace(memory.Get(), palette.Get());
      RealizePalette(memory.Get());
    }
    BitBlt(memory.Get(), 0, 0, widthSrc, heightSrc, source.Get(), leftSrc, topSrc, SRCCOPY);
    // Leaving the scope selects the bitmap and palette out before the DCs go.
  }
  return CreateBitmapPicture(std::move(bitmap), std::move(palette));
}

win::Picture CreateBitmapPicture(win::Bitmap hBmp, win::Palette hpal) {
  return win::Picture::FromBitmap(std::move(hBmp), std::move(hpal));
}

}  // namespace quillane
