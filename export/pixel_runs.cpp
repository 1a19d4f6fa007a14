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
constexpr std::size_t kMaxTokenHead = 1 + kMaxCountBytes;
constexpr std::size_t kLiteralSize = 3;

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

// Reads one token head at `position`; false when the bytes end inside it.
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

PixelRunWriter::PixelRunWriter(std::span<const std::uint32_t> pixels, std::int32_t width)
    : pixels_(pixels), rowLength_(static_cast<std::size_t>(width)) {}

std::uint8_t* PixelRunWriter::FlushLiterals(std::uint8_t* out) {
  if (position_ == literalStart_) return out;
  out = PutToken(out, kLiteral, position_ - literalStart_);
  for (std::size_t k = literalStart_; k < position_; ++k) {
    const std::uint32_t c = pixels_[k];
    out[0] = static_cast<std::uint8_t>(c);
    out[1] = static_cast<std::uint8_t>(c >> 8);
    out[2] = static_cast<std::uint8_t>(c >> 16);
    out += kLiteralSize;
  }
  literalStart_ = position_;
  return out;
}

std::size_t PixelRunWriter::Next(std::span<std::uint8_t> out) {
  const std::uint32_t* const p = pixels_.data();
  const std::size_t count = pixels_.size();
  std::uint8_t* o = out.data();
  std::uint8_t* const end = o + out.size();
  while (position_ < count) {
    // Room for the waiting literals with this pixel among them, or for the
    // waiting literals and one run token: otherwise the piece ends here.
    const std::size_t waiting = position_ - literalStart_;
    if (static_cast<std::size_t>(end - o) < (waiting + 1) * kLiteralSize + 2 * kMaxTokenHead) break;
    const std::size_t i = position_;
    const std::uint32_t colour = p[i] & kColourMask;
    std::size_t repeat = 0;
    std::size_t above = 0;
    if (i > 0 && colour == (p[i - 1] & kColourMask)) {
      std::size_t j = i + 1;
      while (j < count && (p[j] & kColourMask) == colour) ++j;
      repeat = j - i;
    }
    if (i >= rowLength_ && colour == (p[i - rowLength_] & kColourMask)) {
      std::size_t j = i + 1;
      while (j < count && ((p[j] ^ p[j - rowLength_]) & kColourMask) == 0) ++j;
      above = j - i;
    }
    if (repeat == 0 && above == 0) {
      ++position_;
      continue;
    }
    o = FlushLiterals(o);
    const std::size_t run = std::max(above, repeat);
    o = PutToken(o, above > repeat ? kAbove : kRepeat, run);
    position_ += run;
    literalStart_ = position_;
  }
  o = FlushLiterals(o);
  return static_cast<std::size_t>(o - out.data());
}

std::size_t CheckPixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::size_t pixelCount,
                           std::size_t done) {
  const std::uint64_t rowLength = static_cast<std::uint64_t>(width);
  std::size_t position = 0;
  while (position < tokens.size()) {
    Token token{};
    if (!ReadToken(tokens, position, token)) throw PictureBytesError("picture bytes: a pixel run is cut short");
    if (token.Count > pixelCount - done) throw PictureBytesError("picture bytes: more pixels than the picture holds");
    switch (token.Kind) {
      case kLiteral:
        if (token.Count * kLiteralSize > tokens.size() - position)
          throw PictureBytesError("picture bytes: a pixel run is cut short");
        position += static_cast<std::size_t>(token.Count * kLiteralSize);
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
    done += static_cast<std::size_t>(token.Count);
  }
  return done;
}

std::size_t DecodePixelRuns(std::span<const std::uint8_t> tokens, std::int32_t width, std::span<std::uint32_t> pixels,
                            std::size_t done) {
  const std::size_t rowLength = static_cast<std::size_t>(width);
  std::uint32_t* const out = pixels.data();
  std::size_t position = 0;
  while (position < tokens.size()) {
    Token token{};
    ReadToken(tokens, position, token);
    std::size_t count = static_cast<std::size_t>(token.Count);
    switch (token.Kind) {
      case kLiteral: {
        const std::uint8_t* in = tokens.data() + position;
        for (std::size_t k = 0; k < count; ++k, in += kLiteralSize)
          out[done + k] = in[0] | static_cast<std::uint32_t>(in[1]) << 8 | static_cast<std::uint32_t>(in[2]) << 16;
        position += count * kLiteralSize;
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
  return done;
}

}  // namespace quillane::exporting
