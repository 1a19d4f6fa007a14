#pragma once
// The options panel's two pickers: the palette of sixteen swatches `Pcolor`
// with the current-colour box `Pcolor`(16), and the font-size box (the face
// `PicCombox` with `Text1`, opening the list of `Combo1`). Their design in
// twips laid out at a display's dpi, the swatch under a point, and the size
// text read as a font size. Nothing here touches a window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "capture/capture_geometry.h"
#include "capture/capture_toolbar.h"

namespace quillane::capture {

inline constexpr int kSwatchCount = 16;
inline constexpr int kCurrentColourBox = 16;  // `Pcolor`(16)
inline constexpr int kNoSwatch = -1;

// A swatch's colour (0x00BBGGRR); the current-colour box starts red.
std::uint32_t SwatchColour(int index);
inline constexpr std::uint32_t kStartColour = 0x0000FF;

// `Pcolor`(0..16) inside the palette panel `PicColor`, in its pixels.
using PaletteLayout = std::array<PixelBox, kSwatchCount + 1>;
PaletteLayout LayOutPalette(Dpi dpi);
// The swatch or box (0..16) under the point, or kNoSwatch.
int SwatchAt(const PaletteLayout& layout, std::int32_t x, std::int32_t y);

// The font-size panel `PicFont`: the letter icon `Image3`, the face
// `PicCombox` with the size text `Text1` on it (in the face's pixels), and
// `Combo1` under the face, in `PicFont`'s pixels.
struct FontPanelLayout {
  PixelBox Icon;
  PixelBox Face;
  PixelBox Text;
  PixelBox Combo;
};
FontPanelLayout LayOutFontPanel(Dpi dpi);

// The face's three pictures.
enum class FaceLook { Normal, Hover, Pressed };

// `Combo1`'s entries.
inline constexpr std::array<std::wstring_view, 16> kFontSizeEntries{
    L"8", L"9", L"10", L"11", L"12", L"14", L"16", L"18", L"20", L"22", L"24", L"26", L"28", L"36", L"48", L"72"};
inline constexpr std::wstring_view kStartSizeText = L"11";
inline constexpr float kStartFontSize = 11;
inline constexpr float kSmallestFontSize = 1;
inline constexpr float kLargestFontSize = 500;

// The size in points a size text gives: a whole number (blanks around it
// allowed) from 1 to 500; nothing for any other text.
std::optional<float> ParseFontSize(std::wstring_view text);
// The size text that shows a size.
std::wstring SizeTextOf(float size);

}  // namespace quillane::capture
