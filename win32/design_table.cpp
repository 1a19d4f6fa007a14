#include "win32/design_table.h"

#include <algorithm>
#include <cwchar>
#include <string>

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

SIZE GrowToFitCaption(HWND control, int reserved, bool wraps) {
  RECT place{};
  GetWindowRect(control, &place);
  SIZE size{place.right - place.left, place.bottom - place.top};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  const WindowDc dc(control);
  if (text.empty() || !dc) return size;
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  const SelectGuard selected(dc.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  const auto extent = [&](std::wstring_view part) {
    SIZE e{};
    GetTextExtentPoint32W(dc.Get(), part.data(), static_cast<int>(part.size()), &e);
    return e;
  };
  int width = extent(text).cx, height = extent(text).cy;
  if (wraps) {
    width = 0;
    // Lines may break at spaces and beside Chinese characters.
    const auto ideograph = [](wchar_t c) { return c >= 0x2E80; };
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      const bool end = i == text.size() || text[i] == L' ' ||
                       (i > start && (ideograph(text[i]) || ideograph(text[i - 1])));
      if (!end) continue;
      width = std::max<int>(width, extent(std::wstring_view(text).substr(start, i - start)).cx);
      start = i < text.size() && text[i] == L' ' ? i + 1 : i;
    }
    RECT lines{0, 0, std::max<int>(width, size.cx - reserved), 0};
    DrawTextW(dc.Get(), text.c_str(), -1, &lines, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    width = lines.right;
    height = lines.bottom;
  }
  const SIZE grown{std::max<int>(size.cx, width + reserved), std::max<int>(size.cy, height)};
  if (grown.cx != size.cx || grown.cy != size.cy)
    SetWindowPos(control, nullptr, 0, 0, grown.cx, grown.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return grown;
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
