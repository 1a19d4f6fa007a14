#include "skin/nine_slice.h"

namespace quillane::skin {

std::vector<SlicePiece> NineSlicePieces(int targetWidth, int targetHeight, SliceRect source, SliceBorders b) {
  if (targetWidth <= 0 || targetHeight <= 0 || source.Width <= 0 || source.Height <= 0) return {};
  const bool noBorders = b.Left <= 0 && b.Top <= 0 && b.Right <= 0 && b.Bottom <= 0;
  const auto tooSmall = [&b](int width, int height) {
    return width < b.Left + b.Right || height < b.Top + b.Bottom;
  };
  // Corners on a target smaller than its borders would overlap and the
  // middle pieces get negative sizes, which the system draws mirrored.
  if (noBorders || tooSmall(targetWidth, targetHeight) || tooSmall(source.Width, source.Height))
    return {{source, {0, 0, targetWidth, targetHeight}}};

  const int l = b.Left > 0 ? b.Left : 0, t = b.Top > 0 ? b.Top : 0;
  const int r = b.Right > 0 ? b.Right : 0, bo = b.Bottom > 0 ? b.Bottom : 0;
  const int sx = source.X, sy = source.Y, sw = source.Width, sh = source.Height;
  const int dw = targetWidth, dh = targetHeight;
  const int midSw = sw - l - r, midSh = sh - t - bo, midDw = dw - l - r, midDh = dh - t - bo;

  std::vector<SlicePiece> pieces;
  const auto add = [&pieces](SliceRect from, SliceRect to) {
    if (from.Width > 0 && from.Height > 0 && to.Width > 0 && to.Height > 0) pieces.push_back({from, to});
  };
  add({sx, sy, l, t}, {0, 0, l, t});                                         // top left
  add({sx + sw - r, sy, r, t}, {dw - r, 0, r, t});                           // top right
  add({sx, sy + sh - bo, l, bo}, {0, dh - bo, l, bo});                       // bottom left
  add({sx + sw - r, sy + sh - bo, r, bo}, {dw - r, dh - bo, r, bo});         // bottom right
  add({sx, sy + t, l, midSh}, {0, t, l, midDh});                             // left edge
  add({sx + sw - r, sy + t, r, midSh}, {dw - r, t, r, midDh});               // right edge
  add({sx + l, sy, midSw, t}, {l, 0, midDw, t});                             // top edge
  add({sx + l, sy + sh - bo, midSw, bo}, {l, dh - bo, midDw, bo});           // bottom edge
  add({sx + l, sy + t, midSw, midSh}, {l, t, midDw, midDh});                 // centre
  return pieces;
}

}  // namespace quillane::skin
