#pragma once
// Helpers for the export tests: pictures as the capture tool has them, files
// decoded by GDI+, and collaborators that record what the user would see.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "export/app_cursor.h"
#include "export/pixel_image.h"
#include "win32/dialogs.h"
#include "win32/gdi.h"
#include "win32/picture.h"

namespace quillane::exporting::wine_tests {

// A picture as the capture tool has one: a bitmap compatible with the screen.
inline win::Picture ScreenPicture(const PixelImage& image) {
  const win::WindowDc screen(nullptr);
  win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), image.Width, image.Height));
  EXPECT_TRUE(bitmap);
  const BITMAPINFO info = win::TopDown32BitInfo(image.Width, image.Height);
  EXPECT_EQ(SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
                      DIB_RGB_COLORS),
            image.Height);
  return win::Picture::FromBitmap(std::move(bitmap));
}

// The pixels of any bitmap, read with GetDIBits (independent of the code under test).
inline PixelImage BitmapPixels(HBITMAP bitmap) {
  BITMAP description{};
  GetObjectW(bitmap, sizeof description, &description);
  PixelImage image;
  image.Width = description.bmWidth;
  image.Height = std::abs(description.bmHeight);
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
  BITMAPINFO info = win::TopDown32BitInfo(image.Width, image.Height);
  const win::WindowDc screen(nullptr);
  EXPECT_EQ(GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
                      DIB_RGB_COLORS),
            image.Height);
  for (auto& pixel : image.Pixels) pixel &= kColourMask;
  return image;
}

inline PixelImage Masked(PixelImage image) {
  for (auto& pixel : image.Pixels) pixel &= kColourMask;
  return image;
}

struct DecodedFile {
  GUID RawFormat{};
  PixelImage Image;
};

// The file read back by GDI+'s decoders, pixel by pixel. GDI+ must be running.
inline std::optional<DecodedFile> DecodeWithGdiplus(const std::wstring& path) {
  namespace gdiplus = Gdiplus::DllExports;
  Gdiplus::GpImage* image = nullptr;
  if (gdiplus::GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok || !image) return std::nullopt;
  DecodedFile decoded;
  UINT width = 0, height = 0;
  gdiplus::GdipGetImageRawFormat(image, &decoded.RawFormat);
  gdiplus::GdipGetImageWidth(image, &width);
  gdiplus::GdipGetImageHeight(image, &height);
  decoded.Image.Width = static_cast<std::int32_t>(width);
  decoded.Image.Height = static_cast<std::int32_t>(height);
  decoded.Image.Pixels.resize(static_cast<std::size_t>(width) * height);
  bool ok = true;
  for (UINT y = 0; y < height && ok; ++y) {
    for (UINT x = 0; x < width && ok; ++x) {
      Gdiplus::ARGB colour = 0;
      ok = gdiplus::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image), static_cast<INT>(x),
                                       static_cast<INT>(y), &colour) == Gdiplus::Ok;
      decoded.Image.Pixels[static_cast<std::size_t>(y) * width + x] = colour & kColourMask;
    }
  }
  gdiplus::GdipDisposeImage(image);
  if (!ok) return std::nullopt;
  return decoded;
}

inline std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct PixelError {
  double Mean = 0;  // over pixels and channels
  int Max = 0;
};

inline PixelError Compare(const PixelImage& expected, const PixelImage& actual) {
  PixelError error;
  long long total = 0;
  for (std::size_t i = 0; i < expected.Pixels.size() && i < actual.Pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(static_cast<int>((expected.Pixels[i] >> shift) & 0xFF) -
                             static_cast<int>((actual.Pixels[i] >> shift) & 0xFF));
      total += d;
      error.Max = std::max(error.Max, d);
    }
  }
  error.Mean = expected.Pixels.empty() ? 0 : static_cast<double>(total) / (3.0 * expected.Pixels.size());
  return error;
}

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A fresh folder for one test's files, removed afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH + 1]{};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"quillane_export_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(counter++);
    std::filesystem::create_directories(std::filesystem::path(path_));
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
  }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// The names of the files in a folder.
inline std::set<std::wstring> FileNames(const std::wstring& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder)))
    names.insert(entry.path().filename().wstring());
  return names;
}

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Records the pointer changes; `onChange` sees each as it happens.
class RecordingCursor final : public AppCursor {
 public:
  void ShowWait() override { Change(L"wait"); }
  void ShowDefault() override { Change(L"default"); }
  const std::vector<std::wstring>& Events() const { return events_; }
  const std::wstring& Current() const { return current_; }
  std::function<void(const std::wstring&)> onChange;

 private:
  void Change(const std::wstring& shape) {
    events_.push_back(shape);
    current_ = shape;
    if (onChange) onChange(shape);
  }
  std::vector<std::wstring> events_;
  std::wstring current_ = L"default";
};

// Records message boxes, with the pointer shape showing when each appeared.
class RecordingDialogs final : public win::Dialogs {
 public:
  struct Message {
    HWND Owner;
    std::wstring Text;
    std::wstring Title;
    UINT Style;
    std::wstring CursorWhenShown;
  };
  explicit RecordingDialogs(const RecordingCursor& cursor) : cursor_(cursor) {}
  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override {
    messages.push_back({owner, std::wstring(text), std::wstring(title), style, cursor_.Current()});
    return IDOK;
  }
  COLORREF ChooseColour(HWND, COLORREF current, bool* confirmed) override {
    if (confirmed) *confirmed = false;
    return current;
  }
  win::SaveFileAnswer ChooseSaveFile(HWND, const win::SaveFileRequest&) override { return std::nullopt; }
  std::vector<Message> messages;

 private:
  const RecordingCursor& cursor_;
};

// Splits on "\r\n".
inline std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return lines;
    start = end + 2;
  }
}

}  // namespace quillane::exporting::wine_tests
