#pragma once
#include <stdexcept>
#include <string>

namespace quillane::exporting {

// Bytes that do not hold a serialised picture: not a property bag, cut short,
// damaged, or without the picture property.
class PictureBytesError : public std::runtime_error {
 public:
  explicit PictureBytesError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace quillane::exporting
