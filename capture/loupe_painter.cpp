#include "capture/loupe_painter.h"

#include <algorithm>
#include <span>

namespace quillane::capture {
namespace {

constexpr std::uint32_t kCaptionBackground = 0x202020;  // 0x00RRGGBB
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr const wchar_t* kCaptionFace = L"宋体";

}  // namespace

LoupePainter::LoupePainter()
    : bits_(win::CreateDibSection(kLoupeWidth, kLoupeHeight)),
      dc_(nullptr),
      // The program's interface face, sized in the loupe's own pixels.
      font_(CreateFontW(-kLoupeCaptionFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        kCaptionFace)) {
  // The bitmap stays selected for the painter's life; the DC goes first.
  if (bits_.Pixels && dc_) SelectObject(dc_.Get(), bits_.Handle.Get());
}

PixelBox LoupePainter::Update(const PixelSource& source, std::int32_t x, std::int32_t y, std::int32_t shownX,
                              std::int32_t shownY) {
  if (!*this) return {};
  // GDI may still be writing the caption into the bits.
  GdiFlush();
  const std::span<std::uint32_t> pixels(bits_.Pixels, static_cast<std::size_t>(kLoupeWidth) * kLoupeHeight);
  PixelBox changed = lens_.Render(pixels, kLoupeWidth, source, x, y);
  std::wstring caption = LoupeCaption(shownX, shownY, lens_.PointerPixel());
  if (captionDrawn_ && caption == caption_) return changed;
  caption_ = std::move(caption);
  captionDrawn_ = true;
  std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(kLoupeLensSide) * kLoupeWidth, pixels.end(),
            kCaptionBackground);
  HDC dc = dc_.Get();
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = SetTextColor(dc, kCaptionText);
  const HGDIOBJ font = SelectObject(dc, font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  RECT line{1, kLoupeLensSide, kLoupeWidth - 1, kLoupeHeight};
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &line,
            DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
  const PixelBox captionBox{0, kLoupeLensSide, kLoupeWidth, kLoupeHeight};
  if (changed.Width() <= 0 || changed.Height() <= 0) return captionBox;
  return {std::min(changed.Left, captionBox.Left), std::min(changed.Top, captionBox.Top),
          std::max(changed.Right, captionBox.Right), std::max(changed.Bottom, captionBox.Bottom)};
}

void LoupePainter::Paint(HDC target, std::int32_t left, std::int32_t top, const PixelBox& part) const {
  if (!*this || part.Width() <= 0 || part.Height() <= 0) return;
  GdiFlush();
  BitBlt(target, left + part.Left, top + part.Top, part.Width(), part.Height(), dc_.Get(), part.Left, part.Top,
         SRCCOPY);
}

}  // namespace quillane::capture
