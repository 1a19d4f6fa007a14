#include "capture/capture_pickers.h"

#include <string>

#include "util/numbers.h"

namespace quillane::capture {

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

// By index: the dark row, then the light row.
constexpr std::array<std::uint32_t, kSwatchCount> kPalette{
    Rgb(0, 0, 0),     Rgb(128, 128, 128), Rgb(192, 0, 0),   Rgb(192, 192, 0), Rgb(0, 128, 0),   Rgb(0, 0, 128),
    Rgb(128, 0, 128), Rgb(0, 128, 128),   Rgb(255, 255, 255), Rgb(192, 192, 192), Rgb(255, 0, 0), Rgb(255, 255, 0),
    Rgb(0, 255, 0),   Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255)};

// Twips inside `PicColor`: the current-colour box, then two rows of eight swatches.
constexpr int kCurrentBoxLeft = 20, kCurrentBoxSide = 420;
constexpr int kSwatchLeft = 480, kSwatchPitch = 240, kSwatchSide = 200, kSecondRowTop = 220;

// Twips inside `PicFont`.
constexpr int kFaceLeft = 270, kFaceTop = 30, kFaceWidth = 750, kFaceHeight = 330;
constexpr int kComboLeft = 320, kComboTop = 20, kComboWidth = 735, kComboHeight = 300;
constexpr int kIconSide = 16;  // pixels: a picture
// The face's drop button, in pixels from its right edge; the text sits left of it.
constexpr int kFaceButtonWidth = 15;

}  // namespace

std::uint32_t SwatchColour(int index) {
  return index >= 0 && index < kSwatchCount ? kPalette[static_cast<std::size_t>(index)] : kStartColour;
}

PaletteLayout LayOutPalette(Dpi dpi) {
  PaletteLayout layout;
  for (int i = 0; i < kSwatchCount; ++i)
    layout[static_cast<std::size_t>(i)] =
        TwipsBox(kSwatchLeft + kSwatchPitch * (i % 8), i < 8 ? 0 : kSecondRowTop, kSwatchSide, kSwatchSide, dpi);
  layout[kCurrentColourBox] = TwipsBox(kCurrentBoxLeft, 0, kCurrentBoxSide, kCurrentBoxSide, dpi);
  return layout;
}

int SwatchAt(const PaletteLayout& layout, std::int32_t x, std::int32_t y) {
  for (std::size_t i = 0; i < layout.size(); ++i)
    if (layout[i].Contains(x, y)) return static_cast<int>(i);
  return kNoSwatch;
}

FontPanelLayout LayOutFontPanel(Dpi dpi) {
  const PixelBox face = TwipsBox(kFaceLeft, kFaceTop, kFaceWidth, kFaceHeight, dpi);
  return {{0, 0, kIconSide, kIconSide},
          face,
          {2, 3, face.Width() - kFaceButtonWidth - 2, face.Height() - 3},
          TwipsBox(kComboLeft, kComboTop, kComboWidth, kComboHeight, dpi)};
}

std::optional<float> ParseFontSize(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  // Digits only, also as typed on a Chinese keyboard (full width).
  std::wstring number;
  bool digit = false;
  for (wchar_t c : text) {
    if (c >= L'\uFF10' && c <= L'\uFF19') c = static_cast<wchar_t>(L'0' + (c - L'\uFF10'));
    if (c < L'0' || c > L'9') return std::nullopt;
    digit = true;
    number += c;
  }
  if (!digit) return std::nullopt;
  const double value = ParseLeadingNumber(number);
  if (!(value >= kSmallestFontSize && value <= kLargestFontSize)) return std::nullopt;
  return static_cast<float>(value);
}

std::wstring SizeTextOf(float size) { return std::to_wstring(static_cast<long long>(size)); }

}  // namespace quillane::capture
