// Times ExcelPropertyBag's WriteP and ReadP on whole screen pictures, bitmaps
// included (GetDIBits, CreateDIBSection), as the capture tool's undo store
// uses them. Prints the median and fastest of several runs and the sizes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

#include "export/excel_property_bag.h"
#include "export/picture_bytes.h"
#include "export/picture_pixels.h"
#include "export/test_pictures.h"
#include "win32/gdi.h"
#include "win32/picture.h"

namespace {

using quillane::exporting::ExcelPropertyBag;
using quillane::exporting::PixelImage;
namespace pictures = quillane::exporting::test_pictures;
namespace win = quillane::win;

// A picture as the capture tool has one: a bitmap compatible with the screen.
win::Picture ScreenPicture(const PixelImage& image) {
  const win::WindowDc screen(nullptr);
  win::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), image.Width, image.Height));
  const BITMAPINFO info = win::TopDown32BitInfo(image.Width, image.Height);
  SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
            DIB_RGB_COLORS);
  return win::Picture::FromBitmap(std::move(bitmap));
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
  double Median;
  double Fastest;
};

Timing Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.front()};
}

bool Measure(const char* kind, const PixelImage& image, int runs) {
  const ExcelPropertyBag bag;
  const win::Picture picture = ScreenPicture(image);
  std::vector<double> writes, reads, both;
  std::vector<std::uint8_t> bytes;
  for (int run = 0; run < runs + 1; ++run) {  // the first run warms caches and is not counted
    LARGE_INTEGER start, written, read;
    QueryPerformanceCounter(&start);
    bag.WriteP(bytes, picture);
    QueryPerformanceCounter(&written);
    const win::Picture back = bag.ReadP(bytes);
    QueryPerformanceCounter(&read);
    if (!back) return false;
    if (run == 0) continue;
    writes.push_back(Milliseconds(start, written));
    reads.push_back(Milliseconds(written, read));
    both.push_back(Milliseconds(start, read));
  }
  // Where the time goes: the bitmap work and the portable packing.
  std::vector<double> readPixels, pack, open, decode;
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER t0, t1, t2, t3, t4;
    QueryPerformanceCounter(&t0);
    const PixelImage pixels = quillane::exporting::ReadPicturePixels(picture);
    QueryPerformanceCounter(&t1);
    const auto packed = quillane::exporting::SerialisePicturePixels(pixels.Pixels, pixels.Width, pixels.Height);
    QueryPerformanceCounter(&t2);
    const auto decoder = quillane::exporting::OpenSerialisedPicture(packed);
    QueryPerformanceCounter(&t3);
    auto target = quillane::exporting::CreatePixelBitmap(decoder.Width(), decoder.Height());
    decoder.DecodeInto(target.Pixels);
    QueryPerformanceCounter(&t4);
    readPixels.push_back(Milliseconds(t0, t1));
    pack.push_back(Milliseconds(t1, t2));
    open.push_back(Milliseconds(t2, t3));
    decode.push_back(Milliseconds(t3, t4));
  }
  const double raw = static_cast<double>(image.Pixels.size()) * 4.0;
  const Timing w = Summarise(writes), r = Summarise(reads), b = Summarise(both);
  std::printf("%-12s %4dx%-4d %8.0f kB %6.2f%%   WriteP %6.1f (%6.1f)  ReadP %6.1f (%6.1f)  both %6.1f (%6.1f) ms\n",
              kind, image.Width, image.Height, static_cast<double>(bytes.size()) / 1000.0,
              100.0 * static_cast<double>(bytes.size()) / raw, w.Median, w.Fastest, r.Median, r.Fastest, b.Median,
              b.Fastest);
  std::printf("%-12s %-9s  GetDIBits %5.1f  pack %5.1f  unpack+check %5.1f  DIB section+pixels %5.1f ms (medians)\n", "",
              "", Summarise(readPixels).Median, Summarise(pack).Median, Summarise(open).Median,
              Summarise(decode).Median);
  return true;
}

}  // namespace

int main() {
  std::printf("ExcelPropertyBag WriteP / ReadP of screen bitmaps: median (fastest) of several runs\n");
  std::printf("raw size = 4 bytes a pixel\n\n");
  bool ok = true;
  for (const auto [width, height, runs] : {std::tuple{1920, 1080, 21}, std::tuple{3840, 2160, 9}}) {
    ok &= Measure("desktop-like", pictures::MakeDesktopLikePicture(width, height, 7), runs);
    ok &= Measure("noisy", pictures::MakeNoisyPicture(width, height, 7), runs);
  }
  return ok ? 0 : 1;
}
