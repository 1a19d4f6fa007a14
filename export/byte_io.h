#pragma once
// Little-endian reading and writing of the serialised forms. The reader never
// reads past its bytes: running short throws PictureBytesError.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "export/picture_bytes_error.h"

namespace quillane::exporting {

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(std::uint8_t value) { out_.push_back(value); }
  void U16(std::uint16_t value) { Little(value, 2); }
  void U32(std::uint32_t value) { Little(value, 4); }
  void Bytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;
    const std::size_t at = out_.size();
    out_.resize(at + bytes.size());
    std::memcpy(out_.data() + at, bytes.data(), bytes.size());
  }

 private:
  void Little(std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  std::vector<std::uint8_t>& out_;
};

class ByteReader {
 public:
  // `what` names the form being read, for the error messages.
  ByteReader(std::span<const std::uint8_t> bytes, const char* what) : bytes_(bytes), what_(what) {}

  std::uint8_t U8() { return Take(1)[0]; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
  std::uint32_t U32() { return Little(4); }
  std::span<const std::uint8_t> Take(std::size_t length) {
    if (length > Remaining()) Fail("the bytes are cut short");
    const auto part = bytes_.subspan(position_, length);
    position_ += length;
    return part;
  }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }
  [[noreturn]] void Fail(const std::string& problem) const { throw PictureBytesError(what_ + ": " + problem); }

 private:
  std::uint32_t Little(int size) {
    const auto part = Take(static_cast<std::size_t>(size));
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(part[i]) << (8 * i);
    return value;
  }
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  std::string what_;
};

}  // namespace quillane::exporting
