#include "export/pixel_codec.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "export/byte_io.h"
#include "export/picture_bytes_error.h"
#include "export/pixel_runs.h"

namespace quillane::exporting {
namespace {

constexpr std::array<std::uint8_t, 4> kSignature{'Q', 'P', 'I', 'X'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderLength = 20;
constexpr std::size_t kTokenLengthOffset = 16;
constexpr std::uint8_t kStored = 0;
constexpr std::uint8_t kZlib = 1;
constexpr std::size_t kBlockHeaderLength = 9;
// Blocks small enough that noise is noticed early and costs deflate little,
// large enough for deflate's 32 kB window.
constexpr std::size_t kBlockLength = 64 * 1024;
// Zlib at its fastest: screen pictures gain little from harder work.
constexpr int kDeflateLevel = 1;
// After a block that does not shrink, this many times more blocks are stored
// before deflate is tried again (doubling up to the cap), and a retry first
// deflates a small sample to see whether the data has changed.
constexpr std::size_t kMaxBlocksSkipped = 8;
constexpr std::size_t kSampleLength = 8 * 1024;
// Deflate cannot expand data by more than this (its longest match, 258 bytes,
// costs at least two bits); a token length above it cannot be genuine.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// Room for a result worth keeping: at least a sixteenth smaller.
std::size_t UsefulRoom(std::size_t raw) { return raw - raw / 16; }

class Deflater {
 public:
  Deflater() {
    if (deflateInit(&stream_, kDeflateLevel) != Z_OK) throw std::bad_alloc();
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  ~Deflater() { deflateEnd(&stream_); }

  // Packs `in` into `out`; returns the packed length, or 0 when it does not
  // fit (deflate stops as soon as the room is full).
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

// Chooses per block whether deflate is worth its time.
class BlockPacker {
 public:
  // The packed length in `scratch`, or 0 to store the block as it is.
  std::size_t Pack(std::span<const std::uint8_t> raw, std::span<std::uint8_t> scratch) {
    const std::size_t block = block_++;
    if (block < nextTry_) return 0;
    const bool afterPoorBlock = skip_ > 1;
    const bool promising = !afterPoorBlock || raw.size() <= kSampleLength ||
                           deflater_.Pack(raw.first(kSampleLength), scratch.first(UsefulRoom(kSampleLength))) != 0;
    const std::size_t packed = promising ? deflater_.Pack(raw, scratch.first(UsefulRoom(raw.size()))) : 0;
    if (packed == 0) {
      skip_ = std::min(skip_ * 2, kMaxBlocksSkipped);
      nextTry_ = block + skip_;
    } else {
      skip_ = 1;
    }
    return packed;
  }

 private:
  Deflater deflater_;
  std::size_t block_ = 0;
  std::size_t nextTry_ = 0;
  std::size_t skip_ = 1;
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

  std::vector<std::uint8_t> out;
  // Enough for a picture of noise stored whole, so that appending seldom
  // reallocates; the spare capacity is given back at the end.
  out.reserve(kHeaderLength + pixelCount * 3 + (pixelCount * 3 / kBlockLength + 1) * (kBlockHeaderLength + 8));
  ByteWriter writer(out);
  writer.Bytes(kSignature);
  writer.U8(kVersion);
  writer.Bytes(std::array<std::uint8_t, 3>{});
  writer.U32(static_cast<std::uint32_t>(width));
  writer.U32(static_cast<std::uint32_t>(height));
  writer.U32(0);  // the token length, once known

  PixelRunWriter runs(pixels, width);
  BlockPacker packer;
  const auto tokens = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockLength);
  const auto scratch = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockLength);
  std::size_t tokenLength = 0;
  while (!runs.Finished()) {
    const std::span<const std::uint8_t> raw{tokens.get(), runs.Next({tokens.get(), kBlockLength})};
    const std::size_t packed = packer.Pack(raw, {scratch.get(), kBlockLength});
    writer.U8(packed ? kZlib : kStored);
    writer.U32(static_cast<std::uint32_t>(raw.size()));
    writer.U32(static_cast<std::uint32_t>(packed ? packed : raw.size()));
    writer.Bytes(packed ? std::span<const std::uint8_t>{scratch.get(), packed} : raw);
    tokenLength += raw.size();
  }
  for (std::size_t i = 0; i < 4; ++i) out[kTokenLengthOffset + i] = static_cast<std::uint8_t>(tokenLength >> (8 * i));
  // A snapshot is kept for long: give back spare capacity worth a copy.
  if (out.capacity() - out.size() > out.size() / 64) out.shrink_to_fit();
  return out;
}

PixelDecoder::PixelDecoder(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
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
  if (tokenLength > reader.Remaining() * kMaxInflateRatio) reader.Fail("the pixel data is cut short");

  Inflater inflater;
  std::size_t filled = 0;
  std::size_t done = 0;
  while (!reader.AtEnd()) {
    const std::uint8_t method = reader.U8();
    const std::size_t rawLength = reader.U32();
    const std::size_t packedLength = reader.U32();
    if (rawLength == 0 || rawLength > kBlockLength || rawLength > tokenLength - filled)
      reader.Fail("a block of pixel data has a wrong length");
    const std::size_t offset = bytes.size() - reader.Remaining();
    const auto packed = reader.Take(packedLength);
    Block block{};
    if (method == kStored) {
      if (packedLength != rawLength) reader.Fail("a stored block of pixel data has a wrong length");
      block = {false, offset, rawLength};
    } else if (method == kZlib) {
      // Grown block by block, so that damaged bytes cost no more memory than
      // the blocks that unpacked before the damage was found.
      block = {true, unpacked_.size(), rawLength};
      unpacked_.resize(unpacked_.size() + rawLength);
      if (!inflater.Unpack(packed, {unpacked_.data() + block.Offset, rawLength}))
        reader.Fail("damaged compressed pixel data");
    } else {
      reader.Fail("an unknown block method");
    }
    done = CheckPixelRuns(Tokens(block), width_, PixelCount(), done);
    blocks_.push_back(block);
    filled += rawLength;
  }
  if (filled != tokenLength) reader.Fail("the pixel data is cut short");
  if (done != PixelCount()) reader.Fail("fewer pixels than the picture holds");
}

std::span<const std::uint8_t> PixelDecoder::Tokens(const Block& block) const {
  return (block.Unpacked ? std::span<const std::uint8_t>(unpacked_) : bytes_).subspan(block.Offset, block.Length);
}

std::size_t PixelDecoder::PixelCount() const {
  return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
}

void PixelDecoder::DecodeInto(std::span<std::uint32_t> pixels) const {
  if (pixels.size() != PixelCount()) throw std::invalid_argument("pixel buffer does not match the picture size");
  std::size_t done = 0;
  for (const Block& block : blocks_) done = DecodePixelRuns(Tokens(block), width_, pixels, done);
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
