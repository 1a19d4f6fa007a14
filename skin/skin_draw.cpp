#include "skin/skin_draw.h"

#include <algorithm>

namespace quillane::skin {

Surface::Surface(int width, int height)
    : width_(width),
      height_(height),
      bitmap_(width > 0 && height > 0 ? win::CreateDibSection(width, height) : win::DibSection{}),
      dc_(nullptr),
      selected_(dc_.Get(), bitmap_.Handle.Get()),
      pixels_(dc_ && bitmap_.Handle ? bitmap_.Pixels : nullptr) {}

std::unique_ptr<Surface> SurfaceFromPixels(const SkinImage& image) {
  auto surface = std::make_unique<Surface>(image.Width, image.Height);
  if (!*surface) return nullptr;
  GdiFlush();
  std::copy(image.Pixels.begin(), image.Pixels.end(), surface->Pixels());
  return surface;
}

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void FillSolid(HDC dc, int x, int y, int width, int height, Rgb colour) {
  const win::Brush brush(CreateSolidBrush(ToColorref(colour)));
  const RECT area{x, y, x + width, y + height};
  FillRect(dc, &area, brush.Get());
}

void FrameSolid(HDC dc, int x, int y, int width, int height, Rgb colour) {
  const win::Brush brush(CreateSolidBrush(ToColorref(colour)));
  const RECT area{x, y, x + width, y + height};
  FrameRect(dc, &area, brush.Get());
}

namespace {

void DrawPieces(HDC dst, int dx, int dy, HDC src, const std::vector<SlicePiece>& pieces) {
  for (const SlicePiece& p : pieces) {
    const SliceRect& s = p.Source;
    const SliceRect& t = p.Target;
    if (s.Width == t.Width && s.Height == t.Height)
      BitBlt(dst, dx + t.X, dy + t.Y, t.Width, t.Height, src, s.X, s.Y, SRCCOPY);
    else
      StretchBlt(dst, dx + t.X, dy + t.Y, t.Width, t.Height, src, s.X, s.Y, s.Width, s.Height, SRCCOPY);
  }
}

}  // namespace

bool BltNineSlice(HDC dst, int dx, int dy, int dw, int dh, HDC src, SliceRect source, SliceBorders borders,
                  std::optional<Rgb> keyColour) {
  const std::vector<SlicePiece> pieces = NineSlicePieces(dw, dh, source, borders);
  if (pieces.empty()) return false;
  // Shrinking drops whole rows and columns instead of mixing their colours.
  if (!keyColour) {
    const int previous = SetStretchBltMode(dst, COLORONCOLOR);
    DrawPieces(dst, dx, dy, src, pieces);
    SetStretchBltMode(dst, previous);
    return true;
  }
  // With a key the pieces are put together first, so the key is tested once
  // on the finished picture.
  const Surface work(dw, dh);
  if (!work) return false;
  SetStretchBltMode(work.Dc(), COLORONCOLOR);
  DrawPieces(work.Dc(), 0, 0, src, pieces);
  BltColorKey(dst, dx, dy, dw, dh, work.Dc(), 0, 0, *keyColour);
  return true;
}

void BltColorKey(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, Rgb keyColour) {
  if (w <= 0 || h <= 0) return;
  TransparentBlt(dst, dx, dy, w, h, src, sx, sy, w, h, ToColorref(keyColour));
}

}  // namespace quillane::skin
