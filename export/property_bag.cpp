#include "export/property_bag.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#include "export/byte_io.h"
#include "export/picture_bytes_error.h"

namespace quillane::exporting {
namespace {

constexpr std::array<std::uint8_t, 4> kSignature{'Q', 'B', 'A', 'G'};
constexpr std::uint8_t kVersion = 1;

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

void PropertyBag::Write(std::string_view name, std::vector<std::uint8_t> value) {
  if (name.empty() || name.size() > std::numeric_limits<std::uint16_t>::max())
    throw std::invalid_argument("property name must have 1 to 65535 bytes");
  if (value.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::invalid_argument("property value is larger than 4 GB");
  for (auto& property : properties_) {
    if (SameName(property.first, name)) {
      property.second = std::move(value);
      return;
    }
  }
  if (properties_.size() == std::numeric_limits<std::uint16_t>::max())
    throw std::invalid_argument("too many properties");
  properties_.emplace_back(std::string(name), std::move(value));
}

const std::pair<std::string, std::vector<std::uint8_t>>* PropertyBag::Find(std::string_view name) const {
  for (const auto& property : properties_)
    if (SameName(property.first, name)) return &property;
  return nullptr;
}

bool PropertyBag::Contains(std::string_view name) const { return Find(name) != nullptr; }

const std::vector<std::uint8_t>& PropertyBag::Read(std::string_view name) const {
  const auto* property = Find(name);
  if (!property) throw PictureBytesError("property bag: no property named \"" + std::string(name) + "\"");
  return property->second;
}

std::vector<std::uint8_t> PropertyBag::Contents() const {
  std::size_t size = kSignature.size() + 4;
  for (const auto& [name, value] : properties_) size += 2 + name.size() + 4 + value.size();
  std::vector<std::uint8_t> out;
  out.reserve(size);
  ByteWriter writer(out);
  writer.Bytes(kSignature);
  writer.U8(kVersion);
  writer.U8(0);
  writer.U16(static_cast<std::uint16_t>(properties_.size()));
  for (const auto& [name, value] : properties_) {
    writer.U16(static_cast<std::uint16_t>(name.size()));
    writer.Bytes({reinterpret_cast<const std::uint8_t*>(name.data()), name.size()});
    writer.U32(static_cast<std::uint32_t>(value.size()));
    writer.Bytes(value);
  }
  return out;
}

PropertyBag::View PropertyBag::Parse(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes, "property bag");
  const auto signature = reader.Take(kSignature.size());
  if (!std::equal(signature.begin(), signature.end(), kSignature.begin())) reader.Fail("not a property bag");
  if (reader.U8() != kVersion) reader.Fail("an unknown version");
  reader.U8();
  const std::uint16_t count = reader.U16();
  View properties;
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto name = reader.Take(reader.U16());
    const std::string_view nameText{reinterpret_cast<const char*>(name.data()), name.size()};
    if (nameText.empty()) reader.Fail("a property without a name");
    for (const auto& property : properties)
      if (SameName(property.first, nameText)) reader.Fail("two properties of one name");
    properties.emplace_back(nameText, reader.Take(reader.U32()));
  }
  if (!reader.AtEnd()) reader.Fail("bytes after the last property");
  return properties;
}

PropertyBag PropertyBag::FromContents(std::span<const std::uint8_t> bytes) {
  PropertyBag bag;
  for (const auto& [name, value] : Parse(bytes))
    bag.properties_.emplace_back(std::string(name), std::vector<std::uint8_t>(value.begin(), value.end()));
  return bag;
}

std::span<const std::uint8_t> PropertyBag::ValueIn(std::span<const std::uint8_t> bytes, std::string_view name) {
  for (const auto& [propertyName, value] : Parse(bytes))
    if (SameName(propertyName, name)) return value;
  throw PictureBytesError("property bag: no property named \"" + std::string(name) + "\"");
}

}  // namespace quillane::exporting
