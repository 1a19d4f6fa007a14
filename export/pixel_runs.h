#pragma once
// A fast first stage of lossless picture compression: screen pictures are
// mostly runs of one colour and rows that repeat the row above, which this
// stage turns into a few bytes, leaving deflate a much smaller input.
//
// The stream is a sequence of tokens over the pixels in row order. A token
// starts with one byte: two bits of kind and six bits of count. Counts 1..63
// are stored as count - 1; the value 63 means "64 plus a LEB128 number that
// follows". Kinds:
//   0 literal  - count pixels follow, three bytes each (blue, green, red);
//   1 repeat   - count copies of the pixel before (not at the first pixel);
//   2 above    - count pixels copied from one row up (not in the first row).
// The stream is written and read in pieces of whole tokens.
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillane::exporting {

// Writes the tokens for a picture a bounded piece at a time.
class PixelRunWriter {
 public:
  // The least room a piece may be given.
  static constexpr std::size_t kMinRoom = 64;

  // `pixels` holds rows `width` wide, top-down, and must outlive the writer.
  PixelRunWriter(std::span<const std::uint32_t> pixels, std::int32_t width);
  bool Finished() const { return position_ == pixels_.size() && literalStart_ == position_; }
  // Writes whole tokens for the next pixels into `out` (at least kMinRoom
  // bytes) and returns their length.
  std::size_t Next(std::span<std::uint8_t> out);

 private:
  std::uint8_t* FlushLiterals(std::uint8_t* out);

  std::span<const std::uint32_t> pixels_;
  std::size_t rowLength_;
  std::size_t position_ = 0;      // the next pixel to look at
  std::size_t literalStart_ = 0;  // pixels from here to position_ await a literal token
};

// Checks one piece of whole tokens of a picture with `pixelCount` pixels in
// rows `width` wide, starting at pixel `done`; returns the pixel after the
// piece. Throws PictureBytesError for tokens that reach outside the picture.
std::size_t CheckPixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::size_t pixelCount,
                           std::size_t done);

// Unpacks a piece that passed CheckPixelRuns into `pixels` (the whole picture,
// fourth byte 0), starting at pixel `done`; returns the pixel after the piece.
std::size_t DecodePixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::span<std::uint32_t> pixels,
                            std::size_t done);

}  // namespace quillane::exporting
