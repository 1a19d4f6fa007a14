#include "export/pixel_codec.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <optional>
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

// All tokens for a picture, written in pieces of at most `room` bytes.
std::vector<Bytes> TokenPieces(const std::vector<std::uint32_t>& pixels, std::int32_t width, std::size_t room) {
  PixelRunWriter writer(pixels, width);
  std::vector<Bytes> pieces;
  while (!writer.Finished()) {
    Bytes piece(room);
    piece.resize(writer.Next(piece));
    EXPECT_FALSE(piece.empty()) << "every piece makes progress";
    if (piece.empty()) break;
    pieces.push_back(piece);
  }
  return pieces;
}

Bytes AllTokens(const std::vector<std::uint32_t>& pixels, std::int32_t width) {
  Bytes all;
  for (const auto& piece : TokenPieces(pixels, width, 1 << 20)) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

TEST(ExportPixelRuns, WritesTheDocumentedTokens) {
  // Row 0: A B B B; row 1 repeats row 0.
  const std::uint32_t a = 0x010203, b = 0x0A0B0C;
  const Bytes expected{0x01, 0x03, 0x02, 0x01, 0x0C, 0x0B, 0x0A,  // two literals
                       0x41,                                      // repeat 2
                       0x83};                                     // 4 from above
  EXPECT_EQ(AllTokens({a, b, b, b, a, b, b, b}, 4), expected);
}

TEST(ExportPixelRuns, LongCountsUseTheExtraNumber) {
  // One literal, then a repeat of 199 = 64 + 135 (LEB128 0x87 0x01).
  const Bytes expected{0x00, 0x66, 0x55, 0x44, 0x7F, 0x87, 0x01};
  EXPECT_EQ(AllTokens(std::vector<std::uint32_t>(200, 0x445566), 200), expected);
}

TEST(ExportPixelRuns, PiecesHoldWholeTokensWithinTheirRoom) {
  PixelImage image = pictures::MakeNoisyPicture(61, 9, 16);
  std::fill(image.Pixels.begin() + 61 * 4, image.Pixels.begin() + 61 * 6, 0x777777u);
  const auto pieces = TokenPieces(image.Pixels, image.Width, PixelRunWriter::kMinRoom);
  EXPECT_GT(pieces.size(), 20u);
  PixelImage back = pictures::BlankPicture(61, 9, 0);
  std::size_t checked = 0, decoded = 0;
  for (const auto& piece : pieces) {
    ASSERT_LE(piece.size(), PixelRunWriter::kMinRoom);
    checked = CheckPixelRuns(piece, image.Width, image.Pixels.size(), checked);
    decoded = DecodePixelRuns(piece, image.Width, back.Pixels, decoded);
    ASSERT_EQ(checked, decoded);
  }
  EXPECT_EQ(checked, image.Pixels.size());
  EXPECT_EQ(back.Pixels, image.Pixels);
}

// Where checking a piece of tokens ends: the pixel after it, or nothing when it throws.
std::optional<std::size_t> CheckedEnd(const Bytes& tokens, std::int32_t width, std::size_t count) {
  try {
    return CheckPixelRuns(tokens, width, count, 0);
  } catch (const PictureBytesError&) {
    return std::nullopt;
  }
}

TEST(ExportPixelRuns, RejectsRunsThatDoNotFitThePicture) {
  EXPECT_EQ(CheckedEnd({0x41}, 2, 2), std::nullopt) << "repeat before the first pixel";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x80, 0x41}, 2, 4), std::nullopt) << "copy from above the first row";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x41}, 2, 2), std::nullopt) << "one pixel too many";
  EXPECT_EQ(CheckedEnd({0x01, 1, 2, 3, 4, 5}, 2, 2), std::nullopt) << "literal cut short";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0xC0}, 2, 2), std::nullopt) << "unknown kind";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x7F, 0x80}, 2, 100), std::nullopt) << "count cut short";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x7F, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01}, 2, 100), std::nullopt)
      << "count too long";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, 2, 100), std::nullopt)
      << "count past the picture";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3}, 2, 2), 1u) << "a piece may end before the picture does";
  EXPECT_EQ(CheckedEnd({0x00, 1, 2, 3, 0x40, 0x81}, 2, 4), 4u);
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
  // Whole tokens that describe fewer pixels than the picture has.
  const Bytes fewPixels = StoredPicture(2, 1, tokens);
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
  for (const auto& bytes : {tooLong, extraBlock, missing, fewPixels, mismatch, empty, unknownMethod, notZlib})
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

TEST(ExportPixelDecoder, BlocksHoldWholeTokensOfAtMost64kB) {
  // A literal token split between two blocks.
  Bytes split = Header(2, 1, 7);
  AddStoredBlock(split, {0x01, 1, 2, 3});
  AddStoredBlock(split, {4, 5, 6});
  EXPECT_THROW(PixelDecoder{split}, PictureBytesError);
  // The same tokens in one block are fine.
  EXPECT_NO_THROW(PixelDecoder(StoredPicture(2, 1, {0x01, 1, 2, 3, 4, 5, 6})));
  // A block over 64 kB, though its tokens would fit the picture.
  Bytes big{0x3F, 0xC1, 0xAA, 0x01};  // a literal of 64 + 21825 = 21889 pixels: 65671 bytes with them
  big.resize(4 + 21889 * 3, 0x11);
  EXPECT_THROW(PixelDecoder(StoredPicture(21889, 1, big)), PictureBytesError);
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
  const Bytes bytes = EncodePixels(pictures::BlankPicture(3, 2, 0));
  const PixelDecoder decoder(bytes);
  std::vector<std::uint32_t> small(5);
  EXPECT_THROW(decoder.DecodeInto(small), std::invalid_argument);
}

}  // namespace
}  // namespace quillane::exporting
