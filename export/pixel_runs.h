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
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillane::exporting {

// The most bytes the tokens for `pixelCount` pixels can take.
std::size_t PixelRunsBound(std::size_t pixelCount);

// Writes the tokens for `pixels` (rows `width` wide, top-down) to `out`, which
// holds at least PixelRunsBound(pixels.size()) bytes; returns the length.
std::size_t EncodePixelRuns(std::span<const std::uint32_t> pixels, std::int32_t width, std::span<std::uint8_t> out);

// Checks that `tokens` describe exactly `pixelCount` pixels of rows `width`
// wide, touching nothing outside them. Throws PictureBytesError otherwise.
void CheckPixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::size_t pixelCount);

// Unpacks tokens that passed CheckPixelRuns into `pixels` (fourth byte 0).
void DecodePixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::span<std::uint32_t> pixels);

}  // namespace quillane::exporting
