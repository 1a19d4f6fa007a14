// The serialised picture as a whole: round trips, and the reader against
// malformed, shortened and randomly damaged bytes (run under the sanitizers,
// so an overrun or leak fails the test as surely as a wrong result).
#include "export/picture_bytes.h"

#include <gtest/gtest.h>

#include "export/picture_bytes_error.h"
#include "export/property_bag.h"
#include "export/test_pictures.h"

namespace quillane::exporting {
namespace {

namespace pictures = test_pictures;
using Bytes = std::vector<std::uint8_t>;

Bytes Serialise(const PixelImage& image) { return SerialisePicturePixels(image.Pixels, image.Width, image.Height); }

PixelImage Open(const Bytes& bytes) {
  const PixelDecoder decoder = OpenSerialisedPicture(bytes);
  PixelImage image;
  image.Width = decoder.Width();
  image.Height = decoder.Height();
  image.Pixels.resize(decoder.PixelCount());
  decoder.DecodeInto(image.Pixels);
  return image;
}

TEST(ExportPictureBytes, ReadsBackTheSamePicture) {
  const PixelImage image = pictures::MakeDesktopLikePicture(640, 480, 21);
  const PixelImage back = Open(Serialise(image));
  EXPECT_EQ(back.Width, 640);
  EXPECT_EQ(back.Height, 480);
  EXPECT_EQ(back.Pixels, image.Pixels);
}

TEST(ExportPictureBytes, TheSamePictureTwiceGivesTwoGoodByteStrings) {
  const PixelImage image = pictures::MakeNoisyPicture(50, 40, 22);
  const Bytes first = Serialise(image);
  const Bytes second = Serialise(image);
  EXPECT_EQ(Open(first).Pixels, image.Pixels);
  EXPECT_EQ(Open(second).Pixels, image.Pixels);
}

TEST(ExportPictureBytes, IsABagWithOnePropertyNamedPic) {
  const Bytes bytes = Serialise(pictures::BlankPicture(4, 4, 0x102030));
  const PropertyBag bag = PropertyBag::FromContents(bytes);
  EXPECT_TRUE(bag.Contains("pic"));
  EXPECT_EQ(bag.Contents(), bytes) << "nothing but the one property";
}

TEST(ExportPictureBytes, ABagWithoutPicIsAnError) {
  PropertyBag bag;
  bag.Write("picture", Serialise(pictures::BlankPicture(2, 2, 0)));
  EXPECT_THROW(OpenSerialisedPicture(bag.Contents()), PictureBytesError);
}

TEST(ExportPictureBytes, APicThatIsNotAPictureIsAnError) {
  PropertyBag bag;
  bag.Write("pic", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_THROW(OpenSerialisedPicture(bag.Contents()), PictureBytesError);
}

TEST(ExportPictureBytes, EveryShortenedFormIsAnError) {
  const Bytes bytes = Serialise(pictures::MakeDesktopLikePicture(300, 200, 23));
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_THROW(OpenSerialisedPicture(std::span(bytes.data(), length)), PictureBytesError) << length;
}

// The reader's only answers: a picture whose pixels can be unpacked, or PictureBytesError.
enum class Outcome { Read, Rejected };

Outcome TryRead(const Bytes& bytes) {
  try {
    const PixelDecoder decoder = OpenSerialisedPicture(bytes);
    // Checked bytes describe exactly width * height pixels; unpack all of them
    // when that is small enough for a test (damage cannot make it large: the
    // runs would no longer add up).
    EXPECT_LE(decoder.PixelCount(), std::size_t{1} << 22);
    if (decoder.PixelCount() <= (std::size_t{1} << 22)) {
      std::vector<std::uint32_t> pixels(decoder.PixelCount());
      decoder.DecodeInto(pixels);
    }
    return Outcome::Read;
  } catch (const PictureBytesError&) {
    return Outcome::Rejected;
  }
}

class Mutator {
 public:
  explicit Mutator(std::uint64_t seed) : random_(seed) {}

  Bytes Mutate(Bytes bytes) {
    const int changes = random_.Between(1, 4);
    for (int i = 0; i < changes; ++i) {
      if (bytes.empty()) bytes.push_back(0);
      const std::size_t at = random_.Next() % bytes.size();
      switch (random_.Between(0, 6)) {
        case 0:  // flip a bit
          bytes[at] ^= static_cast<std::uint8_t>(1u << random_.Between(0, 7));
          break;
        case 1:  // a random byte
          bytes[at] = static_cast<std::uint8_t>(random_.Next());
          break;
        case 2:  // an extreme byte, as lengths and counts meet
          bytes[at] = random_.Between(0, 1) ? 0xFF : 0x00;
          break;
        case 3:  // cut short
          bytes.resize(at);
          break;
        case 4:  // a byte inserted
          bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(random_.Next()));
          break;
        case 5:  // a byte removed
          bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
          break;
        default: {  // a piece repeated
          const std::size_t length = std::min<std::size_t>(bytes.size() - at, random_.Between(1, 16));
          const Bytes piece(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
          bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
          break;
        }
      }
    }
    return bytes;
  }

  Bytes RandomBytes(std::size_t maxLength) {
    Bytes bytes(random_.Next() % (maxLength + 1));
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random_.Next());
    return bytes;
  }

 private:
  pictures::PictureRandom random_;
};

TEST(ExportPictureBytesFuzz, RandomBytesAreRejectedCleanly) {
  Mutator mutator(0xF0221);
  // Random bytes, and random bytes behind the right signatures so that the
  // reader gets past its first check.
  const Bytes bagStart{'Q', 'B', 'A', 'G', 1, 0, 1, 0, 3, 0, 'p', 'i', 'c'};
  for (int i = 0; i < 3000; ++i) {
    Bytes bytes = mutator.RandomBytes(200);
    if (i % 3 == 1) bytes.insert(bytes.begin(), bagStart.begin(), bagStart.end());
    if (i % 3 == 2) {
      Bytes start = bagStart;
      const std::uint32_t length = static_cast<std::uint32_t>(bytes.size() + 4);
      for (int k = 0; k < 4; ++k) start.push_back(static_cast<std::uint8_t>(length >> (8 * k)));
      start.insert(start.end(), {'Q', 'P', 'I', 'X'});
      bytes.insert(bytes.begin(), start.begin(), start.end());
    }
    EXPECT_EQ(TryRead(bytes), Outcome::Rejected) << "case " << i;
  }
}

TEST(ExportPictureBytesFuzz, DamagedSerialisedPicturesAreReadOrRejectedCleanly) {
  // Compressed blocks (desktop-like), stored blocks (noise) and long runs (flat).
  const std::vector<Bytes> originals{
      Serialise(pictures::MakeDesktopLikePicture(160, 120, 31)),
      Serialise(pictures::MakeNoisyPicture(48, 32, 32)),
      Serialise(pictures::BlankPicture(300, 200, 0x808080)),
      Serialise(pictures::MakeFewColourPicture(64, 48, 12, 33)),
  };
  Mutator mutator(0xDA3A6E);
  int rejected = 0;
  int read = 0;
  for (const auto& original : originals) {
    ASSERT_EQ(TryRead(original), Outcome::Read);
    for (int i = 0; i < 2500; ++i) (TryRead(mutator.Mutate(original)) == Outcome::Rejected ? rejected : read)++;
  }
  // Damage to headers, lengths and compressed data is caught; damage to stored
  // pixel bytes can still be a valid (different) picture.
  EXPECT_GT(rejected, 8000);
  RecordProperty("read", read);
  RecordProperty("rejected", rejected);
}

}  // namespace
}  // namespace quillane::exporting
