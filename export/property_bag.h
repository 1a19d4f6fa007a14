#pragma once
// A named-property container that saves to and loads from bytes.
//
// Layout, little-endian: "QBAG", version 1, one zero byte, the number of
// properties (u16); then each property: name length (u16), name (UTF-8),
// value length (u32), value. Nothing may follow the last property.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillane::exporting {

class PropertyBag {
 public:
  // Stores `value` under `name`, replacing a property of the same name.
  // Names compare without regard to ASCII case.
  void Write(std::string_view name, std::vector<std::uint8_t> value);
  bool Contains(std::string_view name) const;
  // Throws PictureBytesError when there is no such property.
  const std::vector<std::uint8_t>& Read(std::string_view name) const;

  // The bag's complete contents, to be loaded again with FromContents.
  std::vector<std::uint8_t> Contents() const;
  // Throws PictureBytesError for bytes that are not a saved bag.
  static PropertyBag FromContents(std::span<const std::uint8_t> bytes);
  // One property's value in a saved bag, without copying it: a part of
  // `bytes`. Checks the whole bag as FromContents does, and throws
  // PictureBytesError when there is no such property.
  static std::span<const std::uint8_t> ValueIn(std::span<const std::uint8_t> bytes, std::string_view name);

 private:
  using View = std::vector<std::pair<std::string_view, std::span<const std::uint8_t>>>;
  static View Parse(std::span<const std::uint8_t> bytes);
  const std::pair<std::string, std::vector<std::uint8_t>>* Find(std::string_view name) const;
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> properties_;
};

}  // namespace quillane::exporting
