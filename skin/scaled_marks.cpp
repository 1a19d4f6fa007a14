#include "skin/scaled_marks.h"

#include <algorithm>
#include <cmath>

namespace quillane::skin {

namespace {

constexpr int kSamples = 5;  // per pixel and axis, for the circles' edges

struct Colour {
  double R, G, B;
};
Colour Split(Rgb c) { return {double((c >> 16) & 0xFF), double((c >> 8) & 0xFF), double(c & 0xFF)}; }
Rgb Join(Colour c) {
  const auto channel = [](double v) { return static_cast<Rgb>(std::clamp(std::lround(v), 0L, 255L)); };
  return (channel(c.R) << 16) | (channel(c.G) << 8) | channel(c.B);
}
Colour Mix(Colour a, Colour b, double weightOfB) {
  return {a.R + (b.R - a.R) * weightOfB, a.G + (b.G - a.G) * weightOfB, a.B + (b.B - a.B) * weightOfB};
}

SkinImage Cut(const SkinImage& from, int x, int y, int width, int height) {
  SkinImage part{width, height, {}};
  part.Pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) part.Pixels.push_back(from.At(x + column, y + row));
  return part;
}

// How much of the pixel (x, y) lies within `radius` of (centre, centre).
double Coverage(int x, int y, double centre, double radius) {
  int inside = 0;
  for (int j = 0; j < kSamples; ++j)
    for (int i = 0; i < kSamples; ++i) {
      const double dx = x + (i + 0.5) / kSamples - centre, dy = y + (j + 0.5) / kSamples - centre;
      inside += dx * dx + dy * dy <= radius * radius;
    }
  return double(inside) / (kSamples * kSamples);
}

// A circle of diameter d: a ring in the colour of the original's widest
// point, the interior sampled from the original's, edges softened towards
// white as the original's are, and the key colour where the circle does not reach.
SkinImage DrawCircle(const SkinImage& original, int d) {
  const int n = original.Width;
  const Colour ring = Split(original.At(0, n / 2));
  const double centre = d / 2.0, radius = d / 2.0, thickness = std::max(1.0, d / double(n));
  SkinImage circle{d, d, std::vector<Rgb>(static_cast<std::size_t>(d) * d, kKeyColour)};
  for (int y = 0; y < d; ++y)
    for (int x = 0; x < d; ++x) {
      const double outer = Coverage(x, y, centre, radius);
      if (outer < 0.3) continue;
      const double inner = Coverage(x, y, centre, radius - thickness);
      // The interior from the same place of the original, kept off its ring.
      const int sx = std::clamp((2 * x + 1) * n / (2 * d), 2, n - 3);
      const int sy = std::clamp((2 * y + 1) * n / (2 * d), 2, n - 3);
      const Colour inside = Split(original.At(sx, sy));
      const Colour body = inner > 0 ? Mix(ring, inside, inner / outer) : ring;
      circle.Pixels[static_cast<std::size_t>(y) * d + x] = Join(Mix(Colour{255, 255, 255}, body, outer));
    }
  return circle;
}

// Nearest-neighbour: every pixel of the result takes the original's pixel
// at the same place, so the mark stays crisp and keeps its shape.
SkinImage Resample(const SkinImage& original, int width, int height) {
  SkinImage result{width, height, {}};
  result.Pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      result.Pixels.push_back(original.At((2 * x + 1) * original.Width / (2 * width),
                                          (2 * y + 1) * original.Height / (2 * height)));
  return result;
}

// A round dot of diameter k coloured from the original dot.
SkinImage DrawDot(const SkinImage& original, int k) {
  SkinImage dot = Resample(original, k, k);
  for (int y = 0; y < k; ++y)
    for (int x = 0; x < k; ++x)
      if (Coverage(x, y, k / 2.0, k / 2.0) < 0.5) dot.Pixels[static_cast<std::size_t>(y) * k + x] = kKeyColour;
  return dot;
}

// A downward triangle h rows high, 2h - 1 pixels wide at the top, in the
// original's colour.
SkinImage DrawArrow(const SkinImage& original, int h) {
  const int width = 2 * h - 1;
  const Rgb colour = original.At(original.Width / 2, 0);
  SkinImage arrow{width, h, std::vector<Rgb>(static_cast<std::size_t>(width) * h, kKeyColour)};
  for (int y = 0; y < h; ++y)
    for (int x = y; x < width - y; ++x) arrow.Pixels[static_cast<std::size_t>(y) * width + x] = colour;
  return arrow;
}

}  // namespace

int ScaledLength(int length, int dpi) {
  return static_cast<int>(std::nearbyint(length * dpi / 96.0));  // the default rounding mode halves to even
}

ScaledMarks BuildScaledMarks(const SkinPixels& images, int dpi) {
  ScaledMarks marks;
  marks.Diameter = ScaledLength(kBoxFrameSize, dpi);
  const bool original = marks.Diameter == kBoxFrameSize;
  for (int state = 0; state < 4; ++state) {
    const SkinImage frame = Cut(images.Box, 0, BoxFrameTop(state), kBoxFrameSize, kBoxFrameSize);
    marks.Circles[static_cast<std::size_t>(state)] = original ? frame : DrawCircle(frame, marks.Diameter);
  }
  for (int disabled = 0; disabled < 2; ++disabled) {
    const auto glyph = [&](Glyph g, int dy = 0) { return Cut(images.Mark, g.X + disabled * kMarkDisabledOffset, g.Y + dy, g.Width, g.Height); };
    const std::size_t i = static_cast<std::size_t>(disabled);
    const SkinImage check = glyph(kCheckMarkGlyph), square = glyph(kIndeterminateGlyph), dot = glyph(kOptionDotGlyph);
    const SkinImage arrow = Cut(images.Combo, kComboArrowGlyph.X, kComboArrowGlyph.Y + disabled * kComboArrowDisabledOffset,
                                kComboArrowGlyph.Width, kComboArrowGlyph.Height);
    if (original) {
      marks.Check[i] = check;
      marks.Square[i] = square;
      marks.Dot[i] = dot;
      marks.Arrow[i] = arrow;
      continue;
    }
    marks.Check[i] = Resample(check, ScaledLength(check.Width, dpi), ScaledLength(check.Height, dpi));
    marks.Square[i] = Resample(square, ScaledLength(square.Width, dpi), ScaledLength(square.Height, dpi));
    marks.Dot[i] = DrawDot(dot, ScaledLength(dot.Width, dpi));
    marks.Arrow[i] = DrawArrow(arrow, ScaledLength(arrow.Height, dpi));
  }
  return marks;
}

}  // namespace quillane::skin
