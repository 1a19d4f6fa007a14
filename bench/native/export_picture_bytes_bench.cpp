// Packing and unpacking of undo snapshots' pixels: time and size, for screen
// sizes and picture kinds the capture tool meets.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <tuple>

#include "export/pixel_codec.h"
#include "export/test_pictures.h"

namespace {

using quillane::exporting::PixelImage;
namespace pictures = quillane::exporting::test_pictures;

enum Kind { kDesktopLike = 0, kNoisy = 1 };

const PixelImage& Picture(int kind, int width, int height) {
  static std::map<std::tuple<int, int, int>, PixelImage> cache;
  auto& image = cache[{kind, width, height}];
  if (image.Pixels.empty())
    image = kind == kDesktopLike ? pictures::MakeDesktopLikePicture(width, height, 7)
                                 : pictures::MakeNoisyPicture(width, height, 7);
  return image;
}

void Report(benchmark::State& state, const PixelImage& image, std::size_t packedSize) {
  const double raw = static_cast<double>(image.Pixels.size() * 4);
  state.counters["packed_kB"] = static_cast<double>(packedSize) / 1000.0;
  state.counters["percent_of_raw"] = 100.0 * static_cast<double>(packedSize) / raw;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(raw));
}

void BM_Pack(benchmark::State& state, int kind, int width, int height) {
  const auto& image = Picture(kind, width, height);
  std::size_t size = 0;
  for (auto _ : state) {
    auto bytes = quillane::exporting::EncodePixels(image);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  Report(state, image, size);
}

void BM_Unpack(benchmark::State& state, int kind, int width, int height) {
  const auto& image = Picture(kind, width, height);
  const auto bytes = quillane::exporting::EncodePixels(image);
  std::vector<std::uint32_t> pixels(image.Pixels.size());
  for (auto _ : state) {
    const quillane::exporting::PixelDecoder decoder(bytes);
    decoder.DecodeInto(pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  if (pixels != image.Pixels) state.SkipWithError("unpacked pixels differ");
  Report(state, image, bytes.size());
}

void BM_PackThenUnpack(benchmark::State& state, int kind, int width, int height) {
  const auto& image = Picture(kind, width, height);
  std::vector<std::uint32_t> pixels(image.Pixels.size());
  std::size_t size = 0;
  for (auto _ : state) {
    const auto bytes = quillane::exporting::EncodePixels(image);
    const quillane::exporting::PixelDecoder decoder(bytes);
    decoder.DecodeInto(pixels);
    size = bytes.size();
    benchmark::DoNotOptimize(pixels.data());
  }
  Report(state, image, size);
}

// Named by kind and size, e.g. "Pack/desktop-like/1920x1080".
const bool kRegistered = [] {
  using Function = void (*)(benchmark::State&, int, int, int);
  const std::pair<const char*, Function> operations[]{
      {"Pack", BM_Pack}, {"Unpack", BM_Unpack}, {"PackThenUnpack", BM_PackThenUnpack}};
  for (const auto& [operation, function] : operations)
    for (int kind : {kDesktopLike, kNoisy})
      for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const std::string name = std::string(operation) + (kind == kDesktopLike ? "/desktop-like/" : "/noisy/") +
                                 std::to_string(w) + "x" + std::to_string(h);
        benchmark::RegisterBenchmark(name.c_str(), function, kind, w, h)->Unit(benchmark::kMillisecond);
      }
  return true;
}();

}  // namespace
