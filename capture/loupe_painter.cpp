#include "capture/loupe_painter.h"

#include <algorithm>
#include <span>

namespace quillane::capture {
namespace {

constexpr std::uint32_t kCaptionBackground = 0x202020;  // 0x00RRGGBB
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr const wchar_t* kCaptionFace = L"宋体";

// The program's interface face, sized in the loupe's own pixels.
win::Font LoupeCaptionFont(int height) {
  return win::Font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kCaptionFace));
}

}  // namespace

LoupePainter::LoupePainter()
    : bits_(win::CreateDibSection(kLoupeWidth, kLoupeHeight)),
      dc_(nullptr),
      font_(LoupeCaptionFont(kLoupeCaptionFontHeight)) {
  // A bitmap stays selected until the next one replaces it; the DC goes first.
  if (bits_.Pixels && dc_) SelectObject(dc_.Get(), bits_.Handle.Get());
}

bool LoupePainter::UseDpi(std::int32_t dpi) {
  if (dpi <= 0) dpi = 96;
  if (dpi == dpi_) return true;
  const LoupeMetrics metrics = LoupeMetricsAt(dpi);
  win::DibSection bits = win::CreateDibSection(metrics.Width(), metrics.Height());
  if (!bits.Pixels || !dc_) return false;
  GdiFlush();
  // The new bitmap goes in before the old one is deleted.
  SelectObject(dc_.Get(), bits.Handle.Get());
  bits_ = std::move(bits);
  font_ = LoupeCaptionFont(metrics.CaptionFontHeight);
  lens_.UseMetrics(metrics);
  captionDrawn_ = false;
  dpi_ = dpi;
  return true;
}

PixelBox LoupePainter::Update(const PixelSource& source, std::int32_t x, std::int32_t y, std::int32_t shownX,
                              std::int32_t shownY, std::int32_t dpi) {
  if (!*this || !UseDpi(dpi)) return {};
  const LoupeMetrics& m = lens_.Metrics();
  const int width = m.Width(), height = m.Height(), lensSide = m.LensSide();
  // GDI may still be writing the caption into the bits.
  GdiFlush();
  const std::span<std::uint32_t> pixels(bits_.Pixels, static_cast<std::size_t>(width) * height);
  PixelBox changed = lens_.Render(pixels, width, source, x, y);
  std::wstring caption = LoupeCaption(shownX, shownY, lens_.PointerPixel());
  if (captionDrawn_ && caption == caption_) return changed;
  caption_ = std::move(caption);
  captionDrawn_ = true;
  std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(lensSide) * width, pixels.end(),
            kCaptionBackground);
  HDC dc = dc_.Get();
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = SetTextColor(dc, kCaptionText);
  const HGDIOBJ font = SelectObject(dc, font_ ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  RECT line{1, lensSide, width - 1, height};
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &line,
            DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
  const PixelBox captionBox{0, lensSide, width, height};
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
