#pragma once
// Pictures to bytes and back, for the capture tool's undo and redo history.
// The bytes are a property bag holding one property, "pic": the picture's
// pixels, packed losslessly (see picture_bytes.h). The alpha byte of 32-bit
// bitmaps is not kept; pictures come back as 32-bit DIB sections.
#include <cstdint>
#include <span>
#include <vector>

#include "win32/picture.h"

namespace quillane::exporting {

class ExcelPropertyBag {
 public:
  // Overwrites `bytes` with the picture's serialised form. Throws
  // std::invalid_argument for a picture without a bitmap or of more pixels
  // than 8192 x 8192, and std::runtime_error when its pixels cannot be read.
  void WriteP(std::vector<std::uint8_t>& bytes, const win::Picture& picture) const;

  // A new picture with the size and pixels that were written. Throws
  // PictureBytesError for bytes that are not a serialised picture (not a
  // property bag, cut short, damaged, or without "pic") and
  // std::runtime_error when no bitmap of that size can be made.
  win::Picture ReadP(std::span<const std::uint8_t> bytes) const;
};

}  // namespace quillane::exporting
