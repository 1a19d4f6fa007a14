#include "export/pixel_codec.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <stdexcept>

#include "export/picture_bytes_error.h"
#include "export/pixel_runs.h"
#include "export/test_pictures.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using Bytes = std::vector<std::uint8_t>;

PixelImage RoundTrip(const PixelImage& image) { return DecodePixels(EncodePixels(image)); }

void ExpectSamePixels(const PixelImage& expected, const PixelImage& actual) {
  ASSERT_EQ(actual.Width, expected.Width);
  ASSERT_EQ(actual.Height, expected.Height);
  ASSERT_EQ(actual.Pixels.size(), expected.Pixels.size());
  for (std::size_t i = 0; i < expected.Pixels.size(); ++i)
    ASSERT_EQ(actual.Pixels[i], expected.Pixels[i] & kColourMask) << "pixel " << i;
}

void Put32(Bytes& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A packed-picture header as the codec writes it.
Bytes Header(std::uint32_t width, std::uint32_t height, std::uint32_t tokenLength) {
  Bytes bytes{'Q', 'P', 'I', 'X', 1, 0, 0, 0};
  Put32(bytes, width);
  Put32(bytes, height);
  Put32(bytes, tokenLength);
  return bytes;
}

void AddStoredBlock(Bytes& bytes, const Bytes& raw) {
  bytes.push_back(0);
  Put32(bytes, static_cast<std::uint32_t>(raw.size()));
  Put32(bytes, static_cast<std::uint32_t>(raw.size()));
  bytes.insert(bytes.end(), raw.begin(), raw.end());
}

// Packed bytes for a picture given as raw pixel runs in one stored block.
Bytes StoredPicture(std::uint32_t width, std::uint32_t height, const Bytes& tokens) {
  Bytes bytes = Header(width, height, static_cast<std::uint32_t>(tokens.size()));
  AddStoredBlock(bytes, tokens);
  return bytes;
}

TEST(ExportPixelCodec, RoundTripsPicturesOfEveryKind) {
  const std::vector<PixelImage> images{
      pictures::MakeDesktopLikePicture(800, 500, 1),
      pictures::MakeNoisyPicture(300, 200, 2),
      pictures::MakeGradientPicture(257, 129),
      pictures::MakeFewColourPicture(90, 70, 200, 3),
      pictures::BlankPicture(1, 1, 0x123456),
      pictures::MakeNoisyPicture(1, 500, 4),
      pictures::MakeNoisyPicture(500, 1, 5),
      pictures::BlankPicture(64, 64, 0xFFFFFF),
  };
  for (const auto& image : images) {
    SCOPED_TRACE(testing::Message() << image.Width << "x" << image.Height);
    ExpectSamePixels(image, RoundTrip(image));
  }
}

TEST(ExportPixelCodec, KeepsColourAndDropsTheUnusedFourthByte) {
  PixelImage image = pictures::MakeNoisyPicture(40, 30, 6);
  for (auto& pixel : image.Pixels) pixel |= 0xAB000000u;
  const PixelImage back = RoundTrip(image);
  ExpectSamePixels(image, back);
  for (const auto pixel : back.Pixels) ASSERT_EQ(pixel >> 24, 0u);
}

TEST(ExportPixelCodec, RowsThatRepeatAndLongRunsRoundTrip) {
  // Rows repeating the row above, runs crossing row ends, runs longer than a row.
  PixelImage image = pictures::BlankPicture(37, 50, 0x000080);
  for (int x = 0; x < 37; ++x) image.Pixels[x] = x % 3 ? 0x00FF00 : 0x0000FF;
  for (int y = 1; y < 20; ++y)
    std::copy_n(image.Pixels.begin(), 37, image.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * 37);
  image.Pixels[25 * 37 + 36] = 0x111111;
  image.Pixels[26 * 37] = 0x111111;
  ExpectSamePixels(image, RoundTrip(image));
}

TEST(ExportPixelCodec, DesktopLikePictureTakesAtMostATenthOfItsRawSize) {
  for (const auto [width, height] : {std::pair{1920, 1080}, std::pair{1280, 800}}) {
    const PixelImage image = pictures::MakeDesktopLikePicture(width, height, 11);
    const Bytes bytes = EncodePixels(image);
    EXPECT_LE(bytes.size() * 10, image.Pixels.size() * 4) << width << "x" << height;
    ExpectSamePixels(image, DecodePixels(bytes));
  }
}

TEST(ExportPixelCodec, NoiseIsStoredWithoutGrowing) {
  // Noise does not shrink: its blocks are stored, costing a few bytes each.
  const PixelImage image = pictures::MakeNoisyPicture(700, 500, 12);
  const Bytes bytes = EncodePixels(image);
  const std::size_t colourBytes = image.Pixels.size() * 3;
  EXPECT_LE(bytes.size(), colourBytes + colourBytes / 100);
  ExpectSamePixels(image, DecodePixels(bytes));
}

TEST(ExportPixelCodec, MixesStoredAndCompressedBlocks) {
  // Noise on top, flat colour below: both kinds of block in one picture.
  PixelImage image = pictures::MakeNoisyPicture(512, 1200, 13);
  std::fill(image.Pixels.begin() + 512 * 600, image.Pixels.end(), 0x336699u);
  const Bytes bytes = EncodePixels(image);
  EXPECT_LT(bytes.size(), 512u * 600u * 3u + 4096u);
  ExpectSamePixels(image, DecodePixels(bytes));
}

TEST(ExportPixelCodec, RefusesToPackSizesOutsideItsLimits) {
  const std::vector<std::uint32_t> one{0};
  EXPECT_THROW(EncodePixels(one, 0, 1), std::invalid_argument);
  EXPECT_THROW(EncodePixels(one, 1, 0), std::invalid_argument);
  EXPECT_THROW(EncodePixels(one, 1, 2), std::invalid_argument);
  EXPECT_THROW(EncodePixels(one, 1 << 14, 1 << 13), std::invalid_argument);
}

TEST(ExportPixelRuns, WritesTheDocumentedTokens) {
  // Row 0: A B B B; row 1 repeats row 0.
  const std::uint32_t a = 0x010203, b = 0x0A0B0C;
  const std::vector<std::uint32_t> pixels{a, b, b, b, a, b, b, b};
  Bytes out(PixelRunsBound(pixels.size()));
  out.resize(EncodePixelRuns(pixels, 4, out));
  const Bytes expected{0x01, 0x03, 0x02, 0x01, 0x0C, 0x0B, 0x0A,  // two literals
                       0x41,                                      // repeat 2
                       0x83};                                     // 4 from above
  EXPECT_EQ(out, expected);
}

TEST(ExportPixelRuns, LongCountsUseTheExtraNumber) {
  const std::vector<std::uint32_t> pixels(200, 0x445566);
  Bytes out(PixelRunsBound(pixels.size()));
  out.resize(EncodePixelRuns(pixels, 200, out));
  // One literal, then a repeat of 199 = 64 + 135 (LEB128 0x87 0x01).
  const Bytes expected{0x00, 0x66, 0x55, 0x44, 0x7F, 0x87, 0x01};
  EXPECT_EQ(out, expected);
}

TEST(ExportPixelRuns, RejectsRunsThatDoNotFitThePicture) {
  const auto rejects = [](const Bytes& tokens, std::int32_t width, std::size_t count) {
    EXPECT_THROW(CheckPixelRuns(tokens, width, count), PictureBytesError);
  };
  rejects({0x41}, 2, 2);                                // repeat before the first pixel
  rejects({0x00, 1, 2, 3, 0x80, 0x41}, 2, 4);           // copy from above in the first row
  rejects({0x00, 1, 2, 3, 0x41}, 2, 2);                 // one pixel too many
  rejects({0x00, 1, 2, 3}, 2, 2);                       // one pixel short
  rejects({0x01, 1, 2, 3, 4, 5}, 2, 2);                 // literal cut short
  rejects({0x00, 1, 2, 3, 0xC0}, 2, 2);                 // unknown kind
  rejects({0x00, 1, 2, 3, 0x7F, 0x80}, 2, 100);         // count cut short
  rejects({0x00, 1, 2, 3, 0x7F, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}, 2, 100);  // count too long
  rejects({0x00, 1, 2, 3, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, 2, 100);        // count past the picture
  EXPECT_NO_THROW(CheckPixelRuns(Bytes{0x00, 1, 2, 3, 0x40, 0x81}, 2, 4));
}

TEST(ExportPixelDecoder, ReadsAHandMadeStoredPicture) {
  const PixelImage image = DecodePixels(StoredPicture(2, 2, {0x00, 1, 2, 3, 0x40, 0x81}));
  EXPECT_EQ(image.Pixels, (std::vector<std::uint32_t>{0x030201, 0x030201, 0x030201, 0x030201}));
}

TEST(ExportPixelDecoder, RejectsMalformedHeaders) {
  const Bytes tokens{0x00, 1, 2, 3};
  Bytes wrongSignature = StoredPicture(1, 1, tokens);
  wrongSignature[0] = 'X';
  Bytes wrongVersion = StoredPicture(1, 1, tokens);
  wrongVersion[4] = 2;
  const std::vector<Bytes> cases{
      {},
      wrongSignature,
      wrongVersion,
      StoredPicture(0, 1, tokens),
      StoredPicture(1, 0, tokens),
      StoredPicture(1u << 25, 1, tokens),
      StoredPicture(1u << 14, 1u << 13, tokens),
      StoredPicture(0xFFFFFFFFu, 0xFFFFFFFFu, tokens),
  };
  for (const auto& bytes : cases) EXPECT_THROW(PixelDecoder{bytes}, PictureBytesError);
}

TEST(ExportPixelDecoder, RejectsBlocksThatDoNotAddUp) {
  const Bytes tokens{0x00, 1, 2, 3};
  // Declared more token bytes than a 1-pixel picture can need.
  Bytes tooLong = Header(1, 1, 1000);
  AddStoredBlock(tooLong, Bytes(1000, 0));
  // More block bytes than declared.
  Bytes extraBlock = StoredPicture(1, 1, tokens);
  AddStoredBlock(extraBlock, tokens);
  // Fewer block bytes than declared, though they describe the whole picture.
  Bytes missing = Header(1, 1, 8);
  AddStoredBlock(missing, tokens);
  // A stored block whose two lengths differ.
  Bytes mismatch = Header(1, 1, 4);
  mismatch.push_back(0);
  Put32(mismatch, 4);
  Put32(mismatch, 3);
  mismatch.insert(mismatch.end(), {0, 1, 2});
  // An empty block and an unknown method.
  Bytes empty = Header(1, 1, 4);
  AddStoredBlock(empty, {});
  AddStoredBlock(empty, tokens);
  Bytes unknownMethod = StoredPicture(1, 1, tokens);
  unknownMethod[20] = 7;
  // Compressed bytes that are not zlib.
  Bytes notZlib = StoredPicture(1, 1, tokens);
  notZlib[20] = 1;
  for (const auto& bytes : {tooLong, extraBlock, missing, mismatch, empty, unknownMethod, notZlib})
    EXPECT_THROW(PixelDecoder{bytes}, PictureBytesError);
}

Bytes Zlib(const Bytes& raw) {
  Bytes packed(compressBound(static_cast<uLong>(raw.size())));
  uLongf length = static_cast<uLongf>(packed.size());
  EXPECT_EQ(compress(packed.data(), &length, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
  packed.resize(length);
  return packed;
}

Bytes ZlibPicture(std::uint32_t width, std::uint32_t height, std::uint32_t rawLength, const Bytes& packed) {
  Bytes bytes = Header(width, height, rawLength);
  bytes.push_back(1);
  Put32(bytes, rawLength);
  Put32(bytes, static_cast<std::uint32_t>(packed.size()));
  bytes.insert(bytes.end(), packed.begin(), packed.end());
  return bytes;
}

TEST(ExportPixelDecoder, ReadsACompressedBlock) {
  const Bytes tokens{0x00, 1, 2, 3, 0x40};
  EXPECT_EQ(DecodePixels(ZlibPicture(2, 1, 5, Zlib(tokens))).Pixels, (std::vector<std::uint32_t>(2, 0x030201)));
}

TEST(ExportPixelDecoder, ACompressedBlockMustHoldExactlyItsLength) {
  // Unpacks to 4 bytes where 8 are declared: the rest would be zeros, which
  // read as one more literal pixel of a 2 x 1 picture.
  EXPECT_THROW(PixelDecoder(ZlibPicture(2, 1, 8, Zlib({0x00, 1, 2, 3}))), PictureBytesError);
  // Unpacks to more than declared.
  EXPECT_THROW(PixelDecoder(ZlibPicture(1, 1, 4, Zlib({0x00, 1, 2, 3, 0x40}))), PictureBytesError);
  // Bytes after the end of the zlib stream, inside the block.
  Bytes trailing = Zlib({0x00, 1, 2, 3});
  trailing.push_back(0);
  EXPECT_THROW(PixelDecoder(ZlibPicture(1, 1, 4, trailing)), PictureBytesError);
}

TEST(ExportPixelDecoder, RejectsEveryShortenedForm) {
  const Bytes bytes = EncodePixels(pictures::MakeDesktopLikePicture(120, 90, 14));
  ASSERT_NO_THROW(PixelDecoder{bytes});
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_THROW(PixelDecoder(std::span(bytes.data(), length)), PictureBytesError) << length;
}

TEST(ExportPixelDecoder, RejectsDamagedCompressedData) {
  Bytes bytes = EncodePixels(pictures::MakeDesktopLikePicture(200, 150, 15));
  ASSERT_EQ(bytes[20], 1) << "the first block is compressed";
  bytes[bytes.size() / 2] ^= 0x55;  // deflate data or its checksum no longer match
  EXPECT_THROW(PixelDecoder{bytes}, PictureBytesError);
}

TEST(ExportPixelDecoder, RefusesABufferOfTheWrongSize) {
  const PixelDecoder decoder(EncodePixels(pictures::BlankPicture(3, 2, 0)));
  std::vector<std::uint32_t> small(5);
  EXPECT_THROW(decoder.DecodeInto(small), std::invalid_argument);
}

}  // namespace
}  // namespace quillane::exporting
