#include "export/colour_quantizer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <stdexcept>

namespace quillane::exporting {
namespace {

int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

// An open-addressing set of colours that gives up past 256 of them.
class SmallColourTable {
 public:
  // The colour's slot number, adding it; nothing once the table is full.
  std::optional<std::uint8_t> Index(std::uint32_t colour) {
    std::size_t slot = (colour * 2654435761u) >> (32 - kBits);
    while (true) {
      if (keys_[slot] == colour) return values_[slot];
      if (keys_[slot] == kEmpty) {
        if (colours_.size() == kMaxPaletteSize) return std::nullopt;
        keys_[slot] = colour;
        values_[slot] = static_cast<std::uint8_t>(colours_.size());
        colours_.push_back(colour);
        return values_[slot];
      }
      slot = (slot + 1) & (kSlots - 1);
    }
  }
  std::vector<std::uint32_t> TakeColours() { return std::move(colours_); }

 private:
  static constexpr int kBits = 10;  // 1024 slots for at most 256 colours
  static constexpr std::size_t kSlots = std::size_t{1} << kBits;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // never a masked colour
  std::array<std::uint32_t, kSlots> keys_ = [] {
    std::array<std::uint32_t, kSlots> keys{};
    keys.fill(kEmpty);
    return keys;
  }();
  std::array<std::uint8_t, kSlots> values_{};
  std::vector<std::uint32_t> colours_;
};

std::optional<IndexedImage> ExactPalette(const PixelImage& image) {
  SmallColourTable table;
  IndexedImage result;
  result.Width = image.Width;
  result.Height = image.Height;
  result.Indices.resize(image.Pixels.size());
  std::uint32_t lastColour = 0xFFFFFFFFu;
  std::uint8_t lastIndex = 0;
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
    const std::uint32_t colour = image.Pixels[i] & kColourMask;
    if (colour != lastColour) {
      const auto index = table.Index(colour);
      if (!index) return std::nullopt;
      lastColour = colour;
      lastIndex = *index;
    }
    result.Indices[i] = lastIndex;
  }
  result.Palette = table.TakeColours();
  return result;
}

// Median cut over a histogram of 5 bits a channel.
constexpr int kLevels = 32;
constexpr int kCells = kLevels * kLevels * kLevels;

int CellOf(std::uint32_t c) { return (Red(c) >> 3) << 10 | (Green(c) >> 3) << 5 | (Blue(c) >> 3); }

struct Cell {
  std::uint64_t Count = 0;
  std::uint64_t Red = 0, Green = 0, Blue = 0;  // sums of the full-precision channels
};

struct Box {
  std::array<int, 3> Low{0, 0, 0};
  std::array<int, 3> High{kLevels - 1, kLevels - 1, kLevels - 1};  // inclusive
  std::uint64_t Count = 0;
};

int CellIndex(const std::array<int, 3>& at) { return at[0] << 10 | at[1] << 5 | at[2]; }

template <class Visit>
void ForEachCell(const Box& box, Visit visit) {
  std::array<int, 3> at{};
  for (at[0] = box.Low[0]; at[0] <= box.High[0]; ++at[0])
    for (at[1] = box.Low[1]; at[1] <= box.High[1]; ++at[1])
      for (at[2] = box.Low[2]; at[2] <= box.High[2]; ++at[2]) visit(at);
}

// Shrinks the box to the cells that hold pixels and counts them.
void Fit(Box& box, const std::vector<Cell>& cells) {
  std::array<int, 3> low{kLevels, kLevels, kLevels}, high{-1, -1, -1};
  std::uint64_t count = 0;
  ForEachCell(box, [&](const std::array<int, 3>& at) {
    const Cell& cell = cells[CellIndex(at)];
    if (!cell.Count) return;
    count += cell.Count;
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], at[k]);
      high[k] = std::max(high[k], at[k]);
    }
  });
  box.Low = low;
  box.High = high;
  box.Count = count;
}

// Splits at the pixel median of the box's longest side; false if it is one cell.
bool Split(Box& box, Box& other, const std::vector<Cell>& cells) {
  int axis = 0;
  for (int k = 1; k < 3; ++k)
    if (box.High[k] - box.Low[k] > box.High[axis] - box.Low[axis]) axis = k;
  if (box.High[axis] == box.Low[axis]) return false;
  std::array<std::uint64_t, kLevels> perLevel{};
  ForEachCell(box, [&](const std::array<int, 3>& at) { perLevel[at[axis]] += cells[CellIndex(at)].Count; });
  std::uint64_t below = 0;
  int cut = box.Low[axis];
  for (; cut < box.High[axis] - 1; ++cut) {
    below += perLevel[cut];
    if (below * 2 >= box.Count) break;
  }
  other = box;
  box.High[axis] = cut;
  other.Low[axis] = cut + 1;
  Fit(box, cells);
  Fit(other, cells);
  return true;
}

IndexedImage MedianCut(const PixelImage& image) {
  std::vector<Cell> cells(kCells);
  for (const std::uint32_t pixel : image.Pixels) {
    Cell& cell = cells[CellOf(pixel)];
    ++cell.Count;
    cell.Red += Red(pixel);
    cell.Green += Green(pixel);
    cell.Blue += Blue(pixel);
  }
  std::vector<Box> boxes(1);
  Fit(boxes[0], cells);
  while (boxes.size() < kMaxPaletteSize) {
    // The box whose pixels spread the most, weighing its size by its pixels.
    std::size_t worst = boxes.size();
    std::uint64_t worstScore = 0;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      const Box& box = boxes[b];
      const int spread = std::max({box.High[0] - box.Low[0], box.High[1] - box.Low[1], box.High[2] - box.Low[2]});
      const std::uint64_t score = box.Count * static_cast<std::uint64_t>(spread);
      if (spread > 0 && score >= worstScore) {
        worst = b;
        worstScore = score;
      }
    }
    if (worst == boxes.size()) break;
    Box other;
    if (!Split(boxes[worst], other, cells)) break;
    boxes.push_back(other);
  }

  IndexedImage result;
  result.Width = image.Width;
  result.Height = image.Height;
  for (const Box& box : boxes) {
    Cell sum;
    ForEachCell(box, [&](const std::array<int, 3>& at) {
      const Cell& cell = cells[CellIndex(at)];
      sum.Count += cell.Count;
      sum.Red += cell.Red;
      sum.Green += cell.Green;
      sum.Blue += cell.Blue;
    });
    const auto mean = [&](std::uint64_t total) { return static_cast<std::uint32_t>((total + sum.Count / 2) / sum.Count); };
    result.Palette.push_back(mean(sum.Red) << 16 | mean(sum.Green) << 8 | mean(sum.Blue));
  }

  // Each used cell maps to the palette entry nearest its mean colour.
  std::vector<std::uint8_t> nearest(kCells, 0);
  for (int c = 0; c < kCells; ++c) {
    const Cell& cell = cells[c];
    if (!cell.Count) continue;
    const int r = static_cast<int>(cell.Red / cell.Count), g = static_cast<int>(cell.Green / cell.Count),
              b = static_cast<int>(cell.Blue / cell.Count);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t p = 0; p < result.Palette.size(); ++p) {
      const std::uint32_t entry = result.Palette[p];
      const int dr = r - Red(entry), dg = g - Green(entry), db = b - Blue(entry);
      const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;  // eyes weigh green most
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(p);
      }
    }
    nearest[c] = static_cast<std::uint8_t>(best);
  }
  result.Indices.resize(image.Pixels.size());
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) result.Indices[i] = nearest[CellOf(image.Pixels[i])];
  return result;
}

}  // namespace

IndexedImage ReduceToPalette(const PixelImage& image) {
  if (image.Width < 1 || image.Height < 1 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
    throw std::invalid_argument("the picture is empty or its pixels do not match its size");
  if (auto exact = ExactPalette(image)) return std::move(*exact);
  return MedianCut(image);
}

}  // namespace quillane::exporting
