#include "export/pixel_codec.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "export/byte_io.h"
#include "export/picture_bytes_error.h"
#include "export/pixel_runs.h"

namespace quillane::exporting {
namespace {

constexpr std::array<std::uint8_t, 4> kSignature{'Q', 'P', 'I', 'X'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderLength = 20;
constexpr std::uint8_t kStored = 0;
constexpr std::uint8_t kZlib = 1;
// Blocks small enough that noise is noticed early and costs deflate little,
// large enough for deflate's 32 kB window.
constexpr std::size_t kBlockLength = 64 * 1024;
constexpr std::size_t kMaxBlockLength = 1024 * 1024;
// Deflate cannot expand data by more than this (its longest match, 258 bytes,
// costs at least two bits); a token length above it cannot be genuine.
constexpr std::uint64_t kMaxInflateRatio = 1032;
// What screen pictures usually reach, for a first guess at the buffer size.
constexpr std::size_t kLikelyInflateRatio = 8;
// Zlib at its fastest: screen pictures gain little from harder work.
constexpr int kDeflateLevel = 1;
// After a block that does not shrink, this many times more blocks are stored
// before deflate is tried again (doubling up to the cap).
constexpr std::size_t kMaxBlocksSkipped = 8;
constexpr std::size_t kBlockHeaderLength = 9;
constexpr std::size_t kSampleLength = 8 * 1024;
constexpr std::size_t kSampleRoom = kSampleLength - kSampleLength / 16;

bool IsPoor(std::size_t packed, std::size_t raw) { return packed >= raw - raw / 16; }

class Deflater {
 public:
  Deflater() {
    if (deflateInit(&stream_, kDeflateLevel) != Z_OK) throw std::bad_alloc();
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  ~Deflater() { deflateEnd(&stream_); }

  // Packs `in` into `out`; returns the packed length, or 0 when it does not fit.
  std::size_t Pack(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    deflateReset(&stream_);
    stream_.next_in = const_cast<Bytef*>(in.data());
    stream_.avail_in = static_cast<uInt>(in.size());
    stream_.next_out = out.data();
    stream_.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) return 0;
    return out.size() - stream_.avail_out;
  }

 private:
  z_stream stream_{};
};

class Inflater {
 public:
  Inflater() {
    if (inflateInit(&stream_) != Z_OK) throw std::bad_alloc();
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  ~Inflater() { inflateEnd(&stream_); }

  // True when `in` is one complete zlib stream of exactly out.size() bytes.
  bool Unpack(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    inflateReset(&stream_);
    stream_.next_in = const_cast<Bytef*>(in.data());
    stream_.avail_in = static_cast<uInt>(in.size());
    stream_.next_out = out.data();
    stream_.avail_out = static_cast<uInt>(out.size());
    return inflate(&stream_, Z_FINISH) == Z_STREAM_END && stream_.avail_out == 0 && stream_.avail_in == 0;
  }

 private:
  z_stream stream_{};
};

void CheckSize(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPicturePixels)
    throw std::invalid_argument("picture size outside the supported range");
}

}  // namespace

std::vector<std::uint8_t> EncodePixels(std::span<const std::uint32_t> pixels, std::int32_t width,
                                       std::int32_t height) {
  CheckSize(width, height);
  const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (pixels.size() != pixelCount) throw std::invalid_argument("pixel count does not match the picture size");

  const std::size_t bound = PixelRunsBound(pixelCount);
  const auto tokens = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
  const std::size_t tokenLength = EncodePixelRuns(pixels, width, {tokens.get(), bound});

  std::vector<std::uint8_t> out;
  // Enough for every block stored: no reallocation while appending, and no
  // spare capacity left for pictures that do not compress.
  const std::size_t blocks = (tokenLength + kBlockLength - 1) / kBlockLength;
  out.reserve(kHeaderLength + tokenLength + blocks * kBlockHeaderLength);
  ByteWriter writer(out);
  writer.Bytes(kSignature);
  writer.U8(kVersion);
  writer.Bytes(std::array<std::uint8_t, 3>{});
  writer.U32(static_cast<std::uint32_t>(width));
  writer.U32(static_cast<std::uint32_t>(height));
  writer.U32(static_cast<std::uint32_t>(tokenLength));

  Deflater deflater;
  const auto scratch = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockLength);
  std::size_t block = 0;
  std::size_t nextTry = 0;
  std::size_t skip = 1;
  for (std::size_t offset = 0; offset < tokenLength; offset += kBlockLength, ++block) {
    const std::span<const std::uint8_t> raw{tokens.get() + offset, std::min(kBlockLength, tokenLength - offset)};
    std::size_t packed = 0;
    if (block >= nextTry) {
      // After a poor block, a small sample first tells whether the data changed.
      const bool afterPoorBlock = skip > 1;
      const bool promising = !afterPoorBlock || raw.size() <= kSampleLength ||
                             deflater.Pack(raw.first(kSampleLength), {scratch.get(), kSampleRoom}) != 0;
      // Room for a useful result only: a block that would not shrink enough
      // stops as soon as the room is full.
      if (promising) packed = deflater.Pack(raw, {scratch.get(), raw.size() - raw.size() / 16});
      if (packed == 0 || IsPoor(packed, raw.size())) {
        packed = 0;
        skip = std::min(skip * 2, kMaxBlocksSkipped);
        nextTry = block + skip;
      } else {
        skip = 1;
      }
    }
    writer.U8(packed ? kZlib : kStored);
    writer.U32(static_cast<std::uint32_t>(raw.size()));
    writer.U32(static_cast<std::uint32_t>(packed ? packed : raw.size()));
    writer.Bytes(packed ? std::span<const std::uint8_t>{scratch.get(), packed} : raw);
  }
  // A snapshot is kept for long: hold no spare capacity.
  if (out.capacity() > out.size()) out.shrink_to_fit();
  return out;
}

PixelDecoder::PixelDecoder(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes, "picture bytes");
  const auto signature = reader.Take(kSignature.size());
  if (!std::equal(signature.begin(), signature.end(), kSignature.begin())) reader.Fail("not a packed picture");
  if (reader.U8() != kVersion) reader.Fail("an unknown version");
  reader.Take(3);
  const std::uint32_t width = reader.U32();
  const std::uint32_t height = reader.U32();
  if (width < 1 || height < 1 || width > static_cast<std::uint32_t>(kMaxPictureSide) ||
      height > static_cast<std::uint32_t>(kMaxPictureSide) ||
      static_cast<std::uint64_t>(width) * height > kMaxPicturePixels)
    reader.Fail("a picture size outside the supported range");
  width_ = static_cast<std::int32_t>(width);
  height_ = static_cast<std::int32_t>(height);
  const std::size_t tokenLength = reader.U32();
  if (tokenLength > PixelRunsBound(PixelCount())) reader.Fail("more pixel data than the picture can need");
  if (tokenLength > reader.Remaining() * kMaxInflateRatio) reader.Fail("the pixel data is cut short");

  // Grown block by block, so that damaged bytes cost no more memory than the
  // blocks that unpacked before the damage was found.
  tokens_.reserve(std::min(tokenLength, reader.Remaining() * kLikelyInflateRatio));
  Inflater inflater;
  std::size_t filled = 0;
  while (!reader.AtEnd()) {
    const std::uint8_t method = reader.U8();
    const std::size_t rawLength = reader.U32();
    const std::size_t packedLength = reader.U32();
    if (rawLength == 0 || rawLength > kMaxBlockLength || rawLength > tokenLength - filled)
      reader.Fail("a block of pixel data has a wrong length");
    const auto packed = reader.Take(packedLength);
    tokens_.resize(filled + rawLength);
    const std::span<std::uint8_t> target{tokens_.data() + filled, rawLength};
    if (method == kStored) {
      if (packedLength != rawLength) reader.Fail("a stored block of pixel data has a wrong length");
      std::memcpy(target.data(), packed.data(), rawLength);
    } else if (method == kZlib) {
      if (!inflater.Unpack(packed, target)) reader.Fail("damaged compressed pixel data");
    } else {
      reader.Fail("an unknown block method");
    }
    filled += rawLength;
  }
  if (filled != tokenLength) reader.Fail("the pixel data is cut short");
  CheckPixelRuns(tokens_, width_, PixelCount());
}

PixelDecoder::PixelDecoder(PixelDecoder&&) noexcept = default;
PixelDecoder& PixelDecoder::operator=(PixelDecoder&&) noexcept = default;
PixelDecoder::~PixelDecoder() = default;

std::size_t PixelDecoder::PixelCount() const {
  return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
}

void PixelDecoder::DecodeInto(std::span<std::uint32_t> pixels) const {
  if (pixels.size() != PixelCount()) throw std::invalid_argument("pixel buffer does not match the picture size");
  DecodePixelRuns(tokens_, width_, pixels);
}

std::vector<std::uint8_t> EncodePixels(const PixelImage& image) {
  return EncodePixels(image.Pixels, image.Width, image.Height);
}

PixelImage DecodePixels(std::span<const std::uint8_t> bytes) {
  const PixelDecoder decoder(bytes);
  PixelImage image;
  image.Width = decoder.Width();
  image.Height = decoder.Height();
  image.Pixels.resize(decoder.PixelCount());
  decoder.DecodeInto(image.Pixels);
  return image;
}

}  // namespace quillane::exporting
