#pragma once
// Pictures for the export tests and benchmarks, the same for the same seed.
// Header-only and outside the program's sources: only tests include it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "export/pixel_image.h"

namespace quillane::exporting::test_pictures {

// splitmix64: small, fast and good enough for test pictures.
class PictureRandom {
 public:
  explicit PictureRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // In [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  std::uint32_t Colour() { return static_cast<std::uint32_t>(Next()) & kColourMask; }

 private:
  std::uint64_t state_;
};

inline std::uint32_t Rgb(int r, int g, int b) {
  return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

inline PixelImage BlankPicture(int width, int height, std::uint32_t colour) {
  PixelImage image;
  image.Width = width;
  image.Height = height;
  image.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
  return image;
}

// Every pixel independent and random: nothing to compress.
inline PixelImage MakeNoisyPicture(int width, int height, std::uint64_t seed) {
  PictureRandom random(seed);
  PixelImage image = BlankPicture(width, height, 0);
  for (auto& pixel : image.Pixels) pixel = random.Colour();
  return image;
}

// Exactly `colours` distinct colours (at most 2^24) in small random blocks.
inline PixelImage MakeFewColourPicture(int width, int height, int colours, std::uint64_t seed) {
  PictureRandom random(seed);
  std::vector<std::uint32_t> palette;
  while (static_cast<int>(palette.size()) < colours) {
    const std::uint32_t colour = random.Colour();
    if (std::find(palette.begin(), palette.end(), colour) == palette.end()) palette.push_back(colour);
  }
  PixelImage image = BlankPicture(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Blocks of 3 x 2 pixels; every colour appears when the picture is large enough.
      const std::size_t block = static_cast<std::size_t>((y / 2) * ((width + 2) / 3) + x / 3);
      image.Pixels[static_cast<std::size_t>(y) * width + x] =
          block < palette.size() ? palette[block] : palette[random.Next() % palette.size()];
    }
  }
  return image;
}

// A smooth picture of many colours (more than 256).
inline PixelImage MakeGradientPicture(int width, int height) {
  PixelImage image = BlankPicture(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int r = x * 255 / std::max(1, width - 1);
      const int g = y * 255 / std::max(1, height - 1);
      const int b = 255 - (r + g) / 2;
      image.Pixels[static_cast<std::size_t>(y) * width + x] = Rgb(r, g, b);
    }
  }
  return image;
}

namespace detail {

inline int Channel(std::uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// A painter over a picture, clipped to it.
class Canvas {
 public:
  explicit Canvas(PixelImage& image) : image_(image) {}

  void Fill(int left, int top, int width, int height, std::uint32_t colour) {
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = std::min(image_.Width, left + width), y1 = std::min(image_.Height, top + height);
    for (int y = y0; y < y1; ++y)
      std::fill_n(&image_.Pixels[static_cast<std::size_t>(y) * image_.Width + x0], std::max(0, x1 - x0), colour);
  }

  void Frame(int left, int top, int width, int height, std::uint32_t colour) {
    Fill(left, top, width, 1, colour);
    Fill(left, top + height - 1, width, 1, colour);
    Fill(left, top, 1, height, colour);
    Fill(left + width - 1, top, 1, height, colour);
  }

  // Blends `colour` over the pixel with a coverage of 0..255 for each of R, G, B.
  void Blend(int x, int y, std::uint32_t colour, int coverR, int coverG, int coverB) {
    if (x < 0 || y < 0 || x >= image_.Width || y >= image_.Height) return;
    std::uint32_t& pixel = image_.Pixels[static_cast<std::size_t>(y) * image_.Width + x];
    const auto mix = [&](int shift, int cover) {
      const int under = Channel(pixel, shift), over = Channel(colour, shift);
      return under + (over - under) * cover / 255;
    };
    pixel = Rgb(mix(16, coverR), mix(8, coverG), mix(0, coverB));
  }

  void Set(int x, int y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= image_.Width || y >= image_.Height) return;
    image_.Pixels[static_cast<std::size_t>(y) * image_.Width + x] = colour;
  }

 private:
  PixelImage& image_;
};

// A made-up proportional-looking font: each glyph a few anti-aliased strokes
// with sub-pixel colour fringes, as screen text has.
class GlyphSet {
 public:
  static constexpr int kWidth = 7;
  static constexpr int kHeight = 13;
  static constexpr int kCount = 64;

  explicit GlyphSet(std::uint64_t seed) {
    PictureRandom random(seed);
    for (auto& glyph : glyphs_) {
      struct Stroke {
        double x0, y0, x1, y1;
      };
      std::array<Stroke, 4> strokes{};
      const int strokeCount = random.Between(2, 4);
      for (int s = 0; s < strokeCount; ++s) {
        strokes[s] = {random.Between(0, 50) / 10.0 + 0.5, random.Between(20, 110) / 10.0,
                      random.Between(0, 50) / 10.0 + 0.5, random.Between(20, 110) / 10.0};
      }
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          for (int sub = 0; sub < 3; ++sub) {
            const double px = x + (sub + 0.5) / 3.0, py = y + 0.5;
            double best = 0;
            for (int s = 0; s < strokeCount; ++s) {
              const Stroke& k = strokes[s];
              const double dx = k.x1 - k.x0, dy = k.y1 - k.y0;
              const double length2 = std::max(1e-9, dx * dx + dy * dy);
              const double t = std::clamp(((px - k.x0) * dx + (py - k.y0) * dy) / length2, 0.0, 1.0);
              const double ex = k.x0 + t * dx - px, ey = k.y0 + t * dy - py;
              best = std::max(best, std::clamp(1.2 - std::sqrt(ex * ex + ey * ey), 0.0, 1.0));
            }
            glyph[y][x][sub] = static_cast<std::uint8_t>(best * 255.0 + 0.5);
          }
        }
      }
      advance_[&glyph - glyphs_.data()] = random.Between(5, 8);
    }
  }

  // Draws `length` glyphs chosen by the random source; returns the end x.
  int DrawWord(Canvas& canvas, int x, int y, int length, std::uint32_t colour, PictureRandom& random) const {
    for (int i = 0; i < length; ++i) {
      const int which = random.Between(0, kCount - 1);
      const auto& glyph = glyphs_[which];
      for (int gy = 0; gy < kHeight; ++gy)
        for (int gx = 0; gx < kWidth; ++gx)
          if (glyph[gy][gx][0] | glyph[gy][gx][1] | glyph[gy][gx][2])
            canvas.Blend(x + gx, y + gy, colour, glyph[gy][gx][0], glyph[gy][gx][1], glyph[gy][gx][2]);
      x += advance_[which];
    }
    return x;
  }

  // Words up to `right`, as a line of text.
  void DrawLine(Canvas& canvas, int x, int y, int right, std::uint32_t colour, PictureRandom& random) const {
    while (true) {
      const int length = random.Between(2, 9);
      if (x + length * 8 > right) break;
      x = DrawWord(canvas, x, y, length, colour, random) + random.Between(4, 6);
    }
  }

 private:
  std::array<std::array<std::array<std::array<std::uint8_t, 3>, kWidth>, kHeight>, kCount> glyphs_{};
  std::array<int, kCount> advance_{};
};

// A small many-coloured icon.
inline void DrawIcon(Canvas& canvas, int left, int top, int size, PictureRandom& random) {
  const std::uint32_t base = random.Colour();
  const std::uint32_t accent = random.Colour();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int dx = 2 * x - size + 1, dy = 2 * y - size + 1;
      if (dx * dx + dy * dy > size * size) continue;
      const int shade = (x + y) * 96 / (2 * size);
      const std::uint32_t colour = ((x / 3 + y / 3) % 4 == 0) ? accent : base;
      canvas.Set(left + x, top + y,
                 Rgb(std::max(0, Channel(colour, 16) - shade), std::max(0, Channel(colour, 8) - shade),
                     std::max(0, Channel(colour, 0) - shade)));
    }
  }
}

// A photo-like panel: smooth shading with a little grain.
inline void DrawPhoto(Canvas& canvas, int left, int top, int width, int height, PictureRandom& random) {
  const int phase = random.Between(0, 255);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int grain = random.Between(-6, 6);
      const int r = std::clamp(90 + 80 * x / std::max(1, width) + grain, 0, 255);
      const int g = std::clamp(120 + 60 * y / std::max(1, height) + (phase & 15) + grain, 0, 255);
      const int b = std::clamp(200 - 90 * (x + y) / std::max(1, width + height) + grain, 0, 255);
      canvas.Set(left + x, top + y, Rgb(r, g, b));
    }
  }
}

// A window of one of three kinds: 0 a document, 1 a list, 2 a picture viewer.
inline void DrawWindow(Canvas& canvas, const GlyphSet& font, int kind, int left, int top, int width, int height,
                       PictureRandom& random) {
  const std::uint32_t border = Rgb(0x70, 0x70, 0x70);
  const std::uint32_t title = random.Between(0, 1) ? Rgb(0xFF, 0xFF, 0xFF) : Rgb(0x00, 0x5A, 0x9E);
  const std::uint32_t titleText = title == Rgb(0xFF, 0xFF, 0xFF) ? Rgb(0, 0, 0) : Rgb(0xFF, 0xFF, 0xFF);
  // A soft shadow, as modern window managers draw.
  for (int i = 1; i <= 6; ++i) {
    const std::uint32_t shade = Rgb(0x20 + 12 * i, 0x30 + 12 * i, 0x40 + 10 * i);
    canvas.Fill(left + i, top + height + i - 1, width, 1, shade);
    canvas.Fill(left + width + i - 1, top + i, 1, height, shade);
  }
  canvas.Fill(left, top, width, height, Rgb(0xFF, 0xFF, 0xFF));
  canvas.Fill(left, top, width, 30, title);
  DrawIcon(canvas, left + 8, top + 7, 16, random);
  font.DrawWord(canvas, left + 32, top + 9, random.Between(5, 14), titleText, random);
  for (int b = 0; b < 3; ++b) {
    const int cx = left + width - 46 * (b + 1) + 18;
    canvas.Fill(cx, top + 14, 10, 1, titleText);
  }
  // Menu bar and toolbar.
  canvas.Fill(left, top + 30, width, 24, Rgb(0xF3, 0xF3, 0xF3));
  for (int x = left + 8; x + 60 < left + width; x += 60)
    font.DrawWord(canvas, x, top + 35, random.Between(2, 5), Rgb(0x1E, 0x1E, 0x1E), random);
  canvas.Fill(left, top + 54, width, 34, Rgb(0xEA, 0xEA, 0xEA));
  for (int x = left + 8; x + 24 < left + width && x < left + 400; x += 28)
    DrawIcon(canvas, x, top + 59, 22, random);
  canvas.Fill(left, top + 88, width, 1, Rgb(0xD0, 0xD0, 0xD0));

  const int contentTop = top + 96;
  const int contentBottom = top + height - 24;
  if (kind == 0) {  // a document
    for (int y = contentTop; y + 16 < contentBottom; y += 18)
      if (random.Between(0, 9) > 0) font.DrawLine(canvas, left + 16, y, left + width - 20, Rgb(0, 0, 0), random);
  } else if (kind == 1) {  // a list with a side bar
    const int side = std::min(220, width / 4);
    canvas.Fill(left, contentTop - 7, side, contentBottom - contentTop + 7, Rgb(0xF7, 0xF9, 0xFC));
    for (int y = contentTop; y + 20 < contentBottom; y += 24) {
      DrawIcon(canvas, left + 10, y, 16, random);
      font.DrawWord(canvas, left + 32, y + 2, random.Between(3, 10), Rgb(0x20, 0x20, 0x20), random);
    }
    bool shaded = false;
    for (int y = contentTop; y + 22 < contentBottom; y += 22, shaded = !shaded) {
      if (shaded) canvas.Fill(left + side, y, width - side, 22, Rgb(0xF5, 0xF5, 0xF5));
      DrawIcon(canvas, left + side + 8, y + 3, 16, random);
      for (int column = 0; column < 4; ++column) {
        const int x = left + side + 32 + column * (width - side) / 4;
        if (x + 80 < left + width) font.DrawWord(canvas, x, y + 4, random.Between(3, 9), Rgb(0x33, 0x33, 0x33), random);
      }
    }
  } else {  // a picture viewer
    canvas.Fill(left, contentTop - 7, width, contentBottom - contentTop + 7, Rgb(0x2B, 0x2B, 0x2B));
    const int photoWidth = std::max(1, std::min(width - 40, 480));
    const int photoHeight = std::max(1, std::min(contentBottom - contentTop - 20, 270));
    DrawPhoto(canvas, left + (width - photoWidth) / 2, contentTop + 10, photoWidth, photoHeight, random);
  }
  // Status bar and border.
  canvas.Fill(left, top + height - 24, width, 24, Rgb(0xF0, 0xF0, 0xF0));
  font.DrawWord(canvas, left + 8, top + height - 19, random.Between(4, 12), Rgb(0x40, 0x40, 0x40), random);
  canvas.Frame(left, top, width, height, border);
}

}  // namespace detail

// A desktop: flat background with icons, overlapping windows of text, lists,
// toolbars and a photo, and a task bar with a clock.
inline PixelImage MakeDesktopLikePicture(int width, int height, std::uint64_t seed) {
  PictureRandom random(seed);
  PixelImage image = BlankPicture(width, height, Rgb(0x1D, 0x4E, 0x89));
  detail::Canvas canvas(image);
  const detail::GlyphSet font(seed ^ 0x5EEDull);

  for (int y = 16; y + 90 < height - 48; y += 96) {
    detail::DrawIcon(canvas, 28, y, 48, random);
    font.DrawWord(canvas, 20, y + 56, random.Between(4, 8), Rgb(0xFF, 0xFF, 0xFF), random);
  }
  const int windows = 3 + (width * height) / (1920 * 1080) * 2;
  for (int i = 0; i < windows; ++i) {
    const int w = random.Between(width * 3 / 10, width * 6 / 10);
    const int h = random.Between(height * 3 / 10, height * 6 / 10);
    const int x = random.Between(120, std::max(120, width - w - 10));
    const int y = random.Between(10, std::max(10, height - 48 - h - 10));
    detail::DrawWindow(canvas, font, 2 - (windows - 1 - i) % 3, x, y, w, h, random);  // the viewer on top
  }
  canvas.Fill(0, height - 48, width, 48, Rgb(0x20, 0x20, 0x28));
  for (int x = 12; x + 40 < width - 200 && x < 12 + 40 * 14; x += 44) detail::DrawIcon(canvas, x, height - 40, 32, random);
  font.DrawWord(canvas, width - 90, height - 38, 5, Rgb(0xFF, 0xFF, 0xFF), random);
  font.DrawWord(canvas, width - 100, height - 22, 7, Rgb(0xFF, 0xFF, 0xFF), random);
  return image;
}

}  // namespace quillane::exporting::test_pictures
