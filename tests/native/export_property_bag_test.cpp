#include "export/property_bag.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "export/picture_bytes_error.h"

namespace quillane::exporting {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ExportPropertyBag, ReadsWhatWasWrittenUnderAName) {
  PropertyBag bag;
  bag.Write("pic", {1, 2, 3});
  bag.Write("other", {});
  EXPECT_TRUE(bag.Contains("pic"));
  EXPECT_EQ(bag.Read("pic"), (Bytes{1, 2, 3}));
  EXPECT_EQ(bag.Read("other"), Bytes{});
}

TEST(ExportPropertyBag, NamesIgnoreCaseAndWritingAgainReplaces) {
  PropertyBag bag;
  bag.Write("Pic", {1});
  bag.Write("PIC", {2, 2});
  EXPECT_EQ(bag.Read("pic"), (Bytes{2, 2}));
  EXPECT_EQ(PropertyBag::FromContents(bag.Contents()).Read("pIc"), (Bytes{2, 2}));
}

TEST(ExportPropertyBag, AMissingPropertyIsAnErrorNamingIt) {
  PropertyBag bag;
  bag.Write("something", {1});
  try {
    bag.Read("pic");
    FAIL() << "no error";
  } catch (const PictureBytesError& error) {
    EXPECT_NE(std::string(error.what()).find("\"pic\""), std::string::npos) << error.what();
  }
}

TEST(ExportPropertyBag, SavesInTheDocumentedLayout) {
  PropertyBag bag;
  bag.Write("pic", {9, 8});
  const Bytes expected{'Q', 'B', 'A', 'G', 1, 0, 1, 0,  // signature, version, reserved, one property
                       3, 0, 'p', 'i', 'c',             // name
                       2, 0, 0, 0, 9, 8};               // value
  EXPECT_EQ(bag.Contents(), expected);
}

TEST(ExportPropertyBag, LoadsWhatItSaved) {
  PropertyBag bag;
  bag.Write("a", Bytes(70000, 7));
  bag.Write("b", {});
  bag.Write("c", {1, 2, 3});
  const PropertyBag loaded = PropertyBag::FromContents(bag.Contents());
  EXPECT_EQ(loaded.Read("a"), Bytes(70000, 7));
  EXPECT_EQ(loaded.Read("b"), Bytes{});
  EXPECT_EQ(loaded.Read("c"), (Bytes{1, 2, 3}));
  EXPECT_EQ(loaded.Contents(), bag.Contents());
}

TEST(ExportPropertyBag, RejectsBytesThatAreNotASavedBag) {
  PropertyBag bag;
  bag.Write("pic", {1, 2, 3});
  const Bytes good = bag.Contents();
  Bytes signature = good;
  signature[1] = 'X';
  Bytes version = good;
  version[4] = 2;
  Bytes trailing = good;
  trailing.push_back(0);
  Bytes emptyName{'Q', 'B', 'A', 'G', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  Bytes twice{'Q', 'B', 'A', 'G', 1, 0, 2, 0, 1, 0, 'a', 0, 0, 0, 0, 1, 0, 'A', 0, 0, 0, 0};
  Bytes text{'h', 'e', 'l', 'l', 'o'};
  for (const auto& bytes : {Bytes{}, signature, version, trailing, emptyName, twice, text})
    EXPECT_THROW(PropertyBag::FromContents(bytes), PictureBytesError);
  for (std::size_t length = 0; length < good.size(); ++length)
    EXPECT_THROW(PropertyBag::FromContents(std::span(good.data(), length)), PictureBytesError) << length;
}

TEST(ExportPropertyBag, FindsAValueInSavedBytesWithoutCopying) {
  PropertyBag bag;
  bag.Write("a", {1, 2});
  bag.Write("pic", {7, 8, 9});
  const Bytes contents = bag.Contents();
  const auto value = PropertyBag::ValueIn(contents, "PIC");
  EXPECT_EQ(Bytes(value.begin(), value.end()), (Bytes{7, 8, 9}));
  EXPECT_GE(value.data(), contents.data());
  EXPECT_LE(value.data() + value.size(), contents.data() + contents.size());
  EXPECT_THROW(PropertyBag::ValueIn(contents, "b"), PictureBytesError);
  Bytes trailing = contents;
  trailing.push_back(0);
  EXPECT_THROW(PropertyBag::ValueIn(trailing, "pic"), PictureBytesError) << "the whole bag is checked";
}

TEST(ExportPropertyBag, RefusesAnEmptyName) {
  PropertyBag bag;
  EXPECT_THROW(bag.Write("", {1}), std::invalid_argument);
}

}  // namespace
}  // namespace quillane::exporting
