#pragma once
// Cutting a small image into a 3 x 3 grid to cover any size: corners stay
// sharp, edges stretch along their length, the centre both ways.
#include <vector>

namespace quillane::skin {

struct SliceRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const SliceRect&, const SliceRect&) = default;
};

struct SliceBorders {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct SlicePiece {
  SliceRect Source;
  SliceRect Target;  // relative to the target's top-left corner
  friend bool operator==(const SlicePiece&, const SlicePiece&) = default;
};

// The copies that cover a targetWidth x targetHeight area from `source`:
// the four corners, the four edges and the centre, each only where its
// borders are set and it has an area. A target (or source) too small for its
// borders, or no borders at all, gets the whole source stretched over it.
// Nothing for an empty source or target.
std::vector<SlicePiece> NineSlicePieces(int targetWidth, int targetHeight, SliceRect source, SliceBorders borders);

}  // namespace quillane::skin
