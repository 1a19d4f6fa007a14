#include "win32/design_table.h"

#include <cwchar>

#include "util/numbers.h"
#include "win32/window.h"

namespace quillane::win {

DisplayDpi ScreenDpi() {
  const WindowDc screen(nullptr);
  if (!screen) return {};
  return {GetDeviceCaps(screen.Get(), LOGPIXELSX), GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

RECT PixelRect(const TwipsRect& place, DisplayDpi dpi) {
  const int left = TwipsToPixels(place.Left, dpi.X);
  const int top = TwipsToPixels(place.Top, dpi.Y);
  return {left, top, left + TwipsToPixels(place.Width, dpi.X), top + TwipsToPixels(place.Height, dpi.Y)};
}

SIZE PixelSize(int widthTwips, int heightTwips, DisplayDpi dpi) {
  return {TwipsToPixels(widthTwips, dpi.X), TwipsToPixels(heightTwips, dpi.Y)};
}

HWND CreateDesignedControl(HWND parent, const DesignRow& row, DisplayDpi dpi, HFONT font) {
  const RECT r = PixelRect(row.Place, dpi);
  HWND control = CreateWindowExW(row.ExStyle, row.ClassName, row.Caption, row.Style | WS_CHILD, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.Id)), ModuleInstance(), nullptr);
  if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

bool CreateDesignedControls(HWND parent, std::span<const DesignRow> rows, DisplayDpi dpi, HFONT font) {
  bool all = true;
  for (const DesignRow& row : rows) all = CreateDesignedControl(parent, row, dpi, font) != nullptr && all;
  return all;
}

Font CreateDesignFont(const wchar_t* face, double points, int weight, DisplayDpi dpi) {
  LOGFONTW font{};
  // Negative: the character height, not the cell height, as point sizes mean.
  font.lfHeight = -RoundHalfEven(points * dpi.Y / 72.0);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return Font(CreateFontIndirectW(&font));
}

}  // namespace quillane::win
