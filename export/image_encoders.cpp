#include "export/image_encoders.h"

#include <cstddef>
#include <stdexcept>

namespace quillane::exporting {
namespace {

// Gdiplus::EncoderParameterValueTypeLong: 32-bit unsigned values.
constexpr ULONG kValueTypeLong = 4;

GUID GuidFromText(const wchar_t* text) {
  GUID guid{};
  if (FAILED(CLSIDFromString(text, &guid))) throw std::logic_error("malformed GUID text");
  return guid;
}

}  // namespace

CLSID EncoderClassId(ImageFormat format) {
  switch (format) {
    case ImageFormat::Jpeg:
      return GuidFromText(L"{557CF401-1A04-11D3-9A73-0000F81EF32E}");
    case ImageFormat::Png:
      return GuidFromText(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}");
    case ImageFormat::Gif:
      return GuidFromText(L"{557CF402-1A04-11D3-9A73-0000F81EF32E}");
    case ImageFormat::Tiff:
      return GuidFromText(L"{557CF405-1A04-11D3-9A73-0000F81EF32E}");
    case ImageFormat::Bmp:
      break;
  }
  throw std::logic_error("no GDI+ encoder is used for this format");
}

EncoderParameterBlock::EncoderParameterBlock(ImageFormat format, std::int32_t quality, std::int32_t colorDepth,
                                             std::int32_t compression) {
  static_assert(offsetof(Layout, Parameter) == offsetof(Gdiplus::EncoderParameters, Parameter));
  if (format == ImageFormat::Jpeg) {
    Add(L"{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}", quality);
  } else if (format == ImageFormat::Tiff) {
    Add(L"{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}", compression);
    Add(L"{66087055-AD66-4C7C-9A18-38A2310B8337}", colorDepth);
  }
}

void EncoderParameterBlock::Add(const wchar_t* guidText, std::int32_t value) {
  const UINT index = layout_.Count++;
  values_[index] = static_cast<ULONG>(value);
  Gdiplus::EncoderParameter& parameter = layout_.Parameter[index];
  parameter.Guid = GuidFromText(guidText);
  parameter.NumberOfValues = 1;
  parameter.Type = kValueTypeLong;
  parameter.Value = &values_[index];
}

const Gdiplus::EncoderParameters* EncoderParameterBlock::Get() const {
  // Layout begins exactly as EncoderParameters, whose array is declared with one element.
  return reinterpret_cast<const Gdiplus::EncoderParameters*>(&layout_);
}

}  // namespace quillane::exporting
