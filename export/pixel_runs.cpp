#include "export/pixel_runs.h"

#include <algorithm>
#include <cstring>

#include "export/picture_bytes_error.h"
#include "export/pixel_image.h"

namespace quillane::exporting {
namespace {

constexpr std::uint8_t kLiteral = 0;
constexpr std::uint8_t kRepeat = 1;
constexpr std::uint8_t kAbove = 2;
constexpr std::uint64_t kShortCountLimit = 63;  // counts 1..63 fit in the token byte
constexpr int kMaxCountBytes = 5;               // 35 bits: more than any picture has pixels

std::uint8_t* PutToken(std::uint8_t* out, std::uint8_t kind, std::size_t count) {
  if (count <= kShortCountLimit) {
    *out++ = static_cast<std::uint8_t>(kind << 6 | (count - 1));
    return out;
  }
  *out++ = static_cast<std::uint8_t>(kind << 6 | kShortCountLimit);
  std::size_t rest = count - (kShortCountLimit + 1);
  while (rest >= 0x80) {
    *out++ = static_cast<std::uint8_t>(rest | 0x80);
    rest >>= 7;
  }
  *out++ = static_cast<std::uint8_t>(rest);
  return out;
}

struct Token {
  std::uint8_t Kind;
  std::uint64_t Count;
};

// Reads one token header at `position`; false when the bytes end inside it.
bool ReadToken(std::span<const std::uint8_t> tokens, std::size_t& position, Token& token) {
  const std::uint8_t head = tokens[position++];
  token.Kind = head >> 6;
  token.Count = (head & kShortCountLimit) + 1u;
  if ((head & kShortCountLimit) != kShortCountLimit) return true;
  std::uint64_t rest = 0;
  for (int i = 0; i < kMaxCountBytes; ++i) {
    if (position >= tokens.size()) return false;
    const std::uint8_t byte = tokens[position++];
    rest |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
    if (!(byte & 0x80)) {
      token.Count = kShortCountLimit + 1 + rest;
      return true;
    }
  }
  throw PictureBytesError("picture bytes: a run length is too long");
}

}  // namespace

std::size_t PixelRunsBound(std::size_t pixelCount) {
  // Worst case: single literal pixels between single repeats, 4 bytes a pixel.
  return pixelCount * 4 + 16;
}

std::size_t EncodePixelRuns(std::span<const std::uint32_t> pixels, std::int32_t width, std::span<std::uint8_t> out) {
  const std::uint32_t* p = pixels.data();
  const std::size_t count = pixels.size();
  const std::size_t rowLength = static_cast<std::size_t>(width);
  std::uint8_t* const start = out.data();
  std::uint8_t* o = start;
  std::size_t literalStart = 0;

  const auto flushLiterals = [&](std::size_t end) {
    if (end == literalStart) return;
    o = PutToken(o, kLiteral, end - literalStart);
    for (std::size_t k = literalStart; k < end; ++k) {
      const std::uint32_t c = p[k];
      o[0] = static_cast<std::uint8_t>(c);
      o[1] = static_cast<std::uint8_t>(c >> 8);
      o[2] = static_cast<std::uint8_t>(c >> 16);
      o += 3;
    }
  };

  std::size_t i = 0;
  while (i < count) {
    const std::uint32_t colour = p[i] & kColourMask;
    std::size_t repeat = 0;
    std::size_t above = 0;
    if (i > 0 && colour == (p[i - 1] & kColourMask)) {
      std::size_t j = i + 1;
      while (j < count && (p[j] & kColourMask) == colour) ++j;
      repeat = j - i;
    }
    if (i >= rowLength && colour == (p[i - rowLength] & kColourMask)) {
      std::size_t j = i + 1;
      while (j < count && ((p[j] ^ p[j - rowLength]) & kColourMask) == 0) ++j;
      above = j - i;
    }
    if (repeat == 0 && above == 0) {
      ++i;
      continue;
    }
    flushLiterals(i);
    if (above > repeat) {
      o = PutToken(o, kAbove, above);
      i += above;
    } else {
      o = PutToken(o, kRepeat, repeat);
      i += repeat;
    }
    literalStart = i;
  }
  flushLiterals(count);
  return static_cast<std::size_t>(o - start);
}

void CheckPixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::size_t pixelCount) {
  const std::uint64_t rowLength = static_cast<std::uint64_t>(width);
  std::uint64_t done = 0;
  std::size_t position = 0;
  while (position < tokens.size()) {
    Token token{};
    if (!ReadToken(tokens, position, token)) throw PictureBytesError("picture bytes: the pixel data is cut short");
    if (token.Count > pixelCount - done) throw PictureBytesError("picture bytes: more pixels than the picture holds");
    switch (token.Kind) {
      case kLiteral:
        if (token.Count * 3 > tokens.size() - position)
          throw PictureBytesError("picture bytes: the pixel data is cut short");
        position += static_cast<std::size_t>(token.Count * 3);
        break;
      case kRepeat:
        if (done == 0) throw PictureBytesError("picture bytes: a repeat before the first pixel");
        break;
      case kAbove:
        if (done < rowLength) throw PictureBytesError("picture bytes: a copy from above the first row");
        break;
      default:
        throw PictureBytesError("picture bytes: an unknown kind of pixel run");
    }
    done += token.Count;
  }
  if (done != pixelCount) throw PictureBytesError("picture bytes: fewer pixels than the picture holds");
}

void DecodePixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::span<std::uint32_t> pixels) {
  const std::size_t rowLength = static_cast<std::size_t>(width);
  std::uint32_t* const out = pixels.data();
  std::size_t done = 0;
  std::size_t position = 0;
  while (position < tokens.size()) {
    Token token{};
    ReadToken(tokens, position, token);
    std::size_t count = static_cast<std::size_t>(token.Count);
    switch (token.Kind) {
      case kLiteral: {
        const std::uint8_t* in = tokens.data() + position;
        for (std::size_t k = 0; k < count; ++k, in += 3)
          out[done + k] = in[0] | static_cast<std::uint32_t>(in[1]) << 8 | static_cast<std::uint32_t>(in[2]) << 16;
        position += count * 3;
        done += count;
        break;
      }
      case kRepeat:
        std::fill_n(out + done, count, out[done - 1]);
        done += count;
        break;
      default:
        // Copied in pieces of at most one row, so that no piece overlaps its source.
        while (count > 0) {
          const std::size_t piece = std::min(count, rowLength);
          std::memcpy(out + done, out + done - rowLength, piece * sizeof(std::uint32_t));
          done += piece;
          count -= piece;
        }
        break;
    }
  }
}

}  // namespace quillane::exporting
