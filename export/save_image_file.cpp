#include "export/save_image_file.h"

#include <gdiplus.h>
#include <objbase.h>

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "export/bmp_encoder.h"
#include "export/colour_quantizer.h"
#include "export/file_output.h"
#include "export/gdiplus_objects.h"
#include "export/image_encoders.h"
#include "export/image_format.h"
#include "export/save_error.h"

namespace quillane::exporting {
namespace {

namespace gdiplus = Gdiplus::DllExports;
using Result = std::optional<SaveError>;

SaveError GdiplusError(Gdiplus::Status status, std::wstring_view step) {
  return {static_cast<std::uint32_t>(status), std::wstring(step) + L": " + GdiplusStatusText(status)};
}

// The GDI+ bitmap's pixels, as 32-bit colours.
std::optional<PixelImage> ReadPixels(Gdiplus::GpBitmap* bitmap, Gdiplus::Status& status) {
  UINT width = 0, height = 0;
  status = gdiplus::GdipGetImageWidth(bitmap, &width);
  if (status == Gdiplus::Ok) status = gdiplus::GdipGetImageHeight(bitmap, &height);
  if (status != Gdiplus::Ok) return std::nullopt;
  PixelImage image;
  image.Width = static_cast<std::int32_t>(width);
  image.Height = static_cast<std::int32_t>(height);
  image.Pixels.resize(static_cast<std::size_t>(width) * height);
  // Locked straight into our memory: GDI+ converts to the asked format there.
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = static_cast<INT>(width * sizeof(std::uint32_t));
  data.PixelFormat = PixelFormat32bppRGB;
  data.Scan0 = image.Pixels.data();
  const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  status = gdiplus::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                       PixelFormat32bppRGB, &data);
  if (status != Gdiplus::Ok) return std::nullopt;
  status = gdiplus::GdipBitmapUnlockBits(bitmap, &data);
  if (status != Gdiplus::Ok) return std::nullopt;
  for (auto& pixel : image.Pixels) pixel &= kColourMask;
  return image;
}

// A COM stream, released once.
class StreamRef {
 public:
  StreamRef() = default;
  StreamRef(const StreamRef&) = delete;
  StreamRef& operator=(const StreamRef&) = delete;
  ~StreamRef() {
    if (stream_) stream_->Release();
  }
  IStream* Get() const { return stream_; }
  IStream** Receive() { return &stream_; }

 private:
  IStream* stream_ = nullptr;
};

SaveError NoMemory() { return {static_cast<std::uint32_t>(kGdiplusOutOfMemory), GdiplusStatusText(kGdiplusOutOfMemory)}; }

// The encoder writes into memory; only a whole file goes to the disk.
Result SaveThroughEncoder(Gdiplus::GpImage* image, const std::wstring& fileName, ImageFormat format,
                          std::int32_t quality, std::int32_t colorDepth, std::int32_t compression, FileOutput& files) {
  StreamRef stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive())) || !stream.Get()) return NoMemory();
  const CLSID encoder = EncoderClassId(format);
  const EncoderParameterBlock parameters(format, quality, colorDepth, compression);
  const Gdiplus::Status status = gdiplus::GdipSaveImageToStream(image, stream.Get(), &encoder, parameters.Get());
  if (status != Gdiplus::Ok) return GdiplusError(status, L"图像编码器无法编码图片");
  STATSTG about{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream.Get()->Stat(&about, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.Get(), &memory)))
    return NoMemory();
  const auto size = static_cast<std::size_t>(about.cbSize.QuadPart);
  if (size > GlobalSize(memory)) return NoMemory();
  const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
  if (!bytes) return NoMemory();
  const std::vector<std::uint8_t> encoded(bytes, bytes + size);
  GlobalUnlock(memory);
  return WriteWholeFile(files, fileName, encoded);
}

Result WriteBmp(Gdiplus::GpBitmap* bitmap, const std::wstring& fileName, FileOutput& files) {
  Gdiplus::Status status = Gdiplus::Ok;
  const auto pixels = ReadPixels(bitmap, status);
  if (!pixels) return GdiplusError(status, L"无法读取图片的像素");
  return WriteWholeFile(files, fileName, EncodeBmp(*pixels));
}

// GIF keeps at most 256 colours, and some encoders (Wine's) write no image at
// all from a 24-bit bitmap: hand the encoder an 8-bit indexed one.
Result WriteGif(Gdiplus::GpBitmap* bitmap, const std::wstring& fileName, FileOutput& files) {
  Gdiplus::Status status = Gdiplus::Ok;
  const auto pixels = ReadPixels(bitmap, status);
  if (!pixels) return GdiplusError(status, L"无法读取图片的像素");
  const IndexedImage indexed = ReduceToPalette(*pixels);

  const std::size_t stride = (static_cast<std::size_t>(indexed.Width) + 3) & ~std::size_t{3};
  std::vector<BYTE> rows(stride * static_cast<std::size_t>(indexed.Height));
  for (std::int32_t y = 0; y < indexed.Height; ++y)
    std::copy_n(indexed.Indices.begin() + static_cast<std::ptrdiff_t>(y) * indexed.Width, indexed.Width,
                rows.begin() + static_cast<std::ptrdiff_t>(y * stride));
  // Declared after `rows`, which it reads from until it is disposed.
  GdiplusBitmap indexedBitmap;
  status = gdiplus::GdipCreateBitmapFromScan0(indexed.Width, indexed.Height, static_cast<INT>(stride),
                                              PixelFormat8bppIndexed, rows.data(), indexedBitmap.Receive());
  if (status != Gdiplus::Ok) return GdiplusError(status, L"无法创建 256 色位图");

  std::vector<BYTE> paletteMemory(sizeof(Gdiplus::ColorPalette) + kMaxPaletteSize * sizeof(Gdiplus::ARGB));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(paletteMemory.data());
  palette->Flags = 0;
  palette->Count = static_cast<UINT>(indexed.Palette.size());
  for (std::size_t i = 0; i < indexed.Palette.size(); ++i) palette->Entries[i] = 0xFF000000u | indexed.Palette[i];
  status = gdiplus::GdipSetImagePalette(indexedBitmap.Get(), palette);
  if (status != Gdiplus::Ok) return GdiplusError(status, L"无法设置调色板");
  return SaveThroughEncoder(indexedBitmap.Get(), fileName, ImageFormat::Gif, 0, 0, 0, files);
}

Result WriteImageFile(const win::Picture& picture, const std::wstring& fileName, std::wstring_view extension,
                      std::int32_t quality, std::int32_t colorDepth, std::int32_t compression, FileOutput& files) {
  const GdiplusSession session;
  if (session.Status() != Gdiplus::Ok) return GdiplusError(session.Status(), L"无法启动图像库");
  GdiplusBitmap bitmap;
  const Gdiplus::Status status = gdiplus::GdipCreateBitmapFromHBITMAP(picture.Bitmap(), nullptr, bitmap.Receive());
  if (status != Gdiplus::Ok) return GdiplusError(status, L"无法从图片创建位图");

  const auto format = ImageFormatForExtension(extension);
  if (!format) {
    return SaveError{static_cast<std::uint32_t>(kGdiplusUnknownImageFormat),
                     L"不支持的文件扩展名 \"" + std::wstring(extension) + L"\", 可用的扩展名: " +
                         std::wstring(kKnownExtensions)};
  }
  switch (*format) {
    case ImageFormat::Bmp:
      return WriteBmp(bitmap.Get(), fileName, files);
    case ImageFormat::Gif:
      return WriteGif(bitmap.Get(), fileName, files);
    default:
      return SaveThroughEncoder(bitmap.Get(), fileName, *format, quality, colorDepth, compression, files);
  }
}

}  // namespace

bool SaveImageFile(const win::Picture& picture, const std::wstring& fileName, std::wstring_view extension,
                   std::int32_t quality, std::int32_t colorDepth, std::int32_t compression,
                   const SaveFeedback& feedback) {
  Result error;
  feedback.Cursor.ShowWait();
  try {
    error = WriteImageFile(picture, fileName, extension, quality, colorDepth, compression, feedback.Files);
  } catch (const std::exception& problem) {
    error = ErrorForException(problem);
  }
  feedback.Cursor.ShowDefault();
  if (!error) return true;
  feedback.Dialogs.ShowMessage(feedback.Owner, SaveErrorMessage(*error, fileName), kSaveErrorTitle,
                               MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace quillane::exporting
