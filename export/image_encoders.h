#pragma once
// The GDI+ encoders and their parameters for each file format.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "export/image_format.h"

namespace quillane::exporting {

// The class identifier GDI+ publishes for the format's encoder (not for Bmp,
// which this module writes itself).
CLSID EncoderClassId(ImageFormat format);

// The parameter block handed to GdipSaveImageToFile: JPEG one quality value,
// TIFF compression then colour depth, PNG and GIF none. Built from the
// platform's own structures, so its layout is right for 32- and 64-bit builds.
// The values live in the block: it is neither copied nor moved.
class EncoderParameterBlock {
 public:
  EncoderParameterBlock(ImageFormat format, std::int32_t quality, std::int32_t colorDepth, std::int32_t compression);
  EncoderParameterBlock(const EncoderParameterBlock&) = delete;
  EncoderParameterBlock& operator=(const EncoderParameterBlock&) = delete;

  const Gdiplus::EncoderParameters* Get() const;

 private:
  static constexpr int kMaxParameters = 2;
  // EncoderParameters with room for two parameters.
  struct Layout {
    UINT Count;
    Gdiplus::EncoderParameter Parameter[kMaxParameters];
  };
  void Add(const wchar_t* guidText, std::int32_t value);

  Layout layout_{};
  ULONG values_[kMaxParameters]{};
};

}  // namespace quillane::exporting
