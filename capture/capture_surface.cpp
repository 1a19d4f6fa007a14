#include "capture/capture_surface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "export/excel_property_bag.h"
#include "win32/dpi_awareness.h"

namespace quillane::capture {

namespace {

class ExcelPropertyBagCodec final : public PictureCodec {
 public:
  void WriteP(std::vector<std::uint8_t>& bytes, const win::Picture& picture) override {
    bag_.WriteP(bytes, picture);
  }
  win::Picture ReadP(std::span<const std::uint8_t> bytes) override { return bag_.ReadP(bytes); }

 private:
  exporting::ExcelPropertyBag bag_;
};

// A picture of a new 32-bit DIB section holding a copy of `pixels`.
win::Picture CopyToPicture(const std::uint32_t* pixels, int width, int height, std::uint32_t*& copyPixels) {
  win::DibSection section = win::CreateDibSection(width, height);
  if (!section.Handle) throw std::runtime_error("no bitmap for the picture");
  std::memcpy(section.Pixels, pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  win::Picture picture = win::Picture::FromBitmap(std::move(section.Handle));
  if (!picture) throw std::runtime_error("no picture object");
  copyPixels = section.Pixels;
  return picture;
}

}  // namespace

PictureCodec& PropertyBagCodec() {
  static ExcelPropertyBagCodec codec;
  return codec;
}

ScreenArea VirtualScreen() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<Monitor> SystemMonitors() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT area, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
            {{area->left, area->top, area->right, area->bottom}, win::MonitorDpi(monitor)});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

bool CaptureSurface::Freeze(const ScreenArea& area) {
  if (area.Width < 1 || area.Height < 1) return false;
  win::DibSection backing = win::CreateDibSection(area.Width, area.Height);
  if (!backing.Handle) return false;
  win::MemoryDc dc(nullptr);
  if (!dc) return false;
  selected_.Reset();
  dc_ = std::move(dc);
  backing_ = std::move(backing.Handle);
  backingPixels_ = backing.Pixels;
  selected_ = win::SelectGuard(dc_->Get(), backing_.Get());
  width_ = area.Width;
  height_ = area.Height;
  {
    // The monitors' own pixels, unscaled, whichever thread freezes them.
    const win::ThreadDpiAwareness perMonitor = win::ThreadDpiAwareness::PerMonitor();
    const win::WindowDc screen(nullptr);
    BitBlt(dc_->Get(), 0, 0, width_, height_, screen.Get(), area.Left, area.Top, SRCCOPY);
  }
  // The pixels are read from other threads than this one.
  GdiFlush();
  persistent_ = {};
  persistentPixels_ = nullptr;
  drawn_ = {};
  return true;
}

bool CaptureSurface::KeepFrozen() const {
  if (persistent_ || !backingPixels_) return static_cast<bool>(persistent_);
  GdiFlush();
  try {
    persistent_ = CopyToPicture(backingPixels_, width_, height_, persistentPixels_);
  } catch (const std::exception&) {
    persistentPixels_ = nullptr;
    return false;
  }
  return true;
}

void CaptureSurface::NoteDrawn() { drawn_ = {0, 0, width_, height_}; }

void CaptureSurface::NoteDrawn(const RECT& area) {
  RECT clipped{};
  const RECT picture{0, 0, width_, height_};
  if (!IntersectRect(&clipped, &area, &picture)) return;
  if (IsRectEmpty(&drawn_))
    drawn_ = clipped;
  else
    UnionRect(&drawn_, &drawn_, &clipped);
}

void CaptureSurface::Paint(HDC target, const RECT& area) const {
  if (!dc_) return;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_->Get(), area.left, area.top,
         SRCCOPY);
}

win::Bitmap CaptureSurface::CopyArea(const PixelBox& area) const {
  if (!dc_ || area.Width() <= 0 || area.Height() <= 0) return {};
  const win::WindowDc screen(nullptr);
  win::Bitmap copy(CreateCompatibleBitmap(screen.Get(), area.Width(), area.Height()));
  const win::MemoryDc target(screen.Get());
  if (!copy || !target) return {};
  {
    const win::SelectGuard selected(target.Get(), copy.Get());
    if (!BitBlt(target.Get(), 0, 0, area.Width(), area.Height(), dc_->Get(), area.Left, area.Top, SRCCOPY)) return {};
  }
  return copy;
}

std::uint32_t CaptureSurface::PixelAt(std::int32_t x, std::int32_t y) const {
  if (!dc_) return kNoPixel;
  return GetPixel(dc_->Get(), x, y);
}

void CaptureSurface::CopyRows(const std::uint32_t* from, std::uint32_t* to, const RECT& area) const noexcept {
  const auto width = static_cast<std::size_t>(width_);
  const auto count = static_cast<std::size_t>(area.right - area.left) * 4;
  for (auto y = static_cast<std::size_t>(area.top); y < static_cast<std::size_t>(area.bottom); ++y) {
    const std::size_t at = y * width + static_cast<std::size_t>(area.left);
    std::memcpy(to + at, from + at, count);
  }
}

namespace {

constexpr std::size_t kStepTrailer = 16;

void PutInt(std::uint8_t* at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

std::int32_t GetInt(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

}  // namespace

SnapshotBytes CaptureSurface::SerialiseStep() {
  SnapshotBytes bytes;
  const RECT area = drawn_;
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w > 0 && h > 0) {
    if (!KeepFrozen()) throw std::bad_alloc();
    GdiFlush();
    // Before over after, one picture for the codec.
    win::DibSection both = win::CreateDibSection(w, 2 * h);
    if (!both.Handle) throw std::runtime_error("no bitmap for the step");
    const auto rowBytes = static_cast<std::size_t>(w) * 4;
    for (int y = 0; y < h; ++y) {
      const std::size_t at = static_cast<std::size_t>(area.top + y) * static_cast<std::size_t>(width_) +
                             static_cast<std::size_t>(area.left);
      std::memcpy(both.Pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(w), persistentPixels_ + at,
                  rowBytes);
      std::memcpy(both.Pixels + static_cast<std::size_t>(h + y) * static_cast<std::size_t>(w), backingPixels_ + at,
                  rowBytes);
    }
    const win::Picture picture = win::Picture::FromBitmap(std::move(both.Handle));
    if (!picture) throw std::runtime_error("no picture object");
    codec_.WriteP(bytes, picture);
  }
  const std::size_t size = bytes.size();
  bytes.resize(size + kStepTrailer);
  PutInt(&bytes[size], w > 0 && h > 0 ? area.left : 0);
  PutInt(&bytes[size + 4], w > 0 && h > 0 ? area.top : 0);
  PutInt(&bytes[size + 8], std::max(w, 0));
  PutInt(&bytes[size + 12], std::max(h, 0));
  return bytes;
}

void CaptureSurface::KeepComposed() noexcept {
  if (persistentPixels_ && !IsRectEmpty(&drawn_)) {
    GdiFlush();
    CopyRows(backingPixels_, persistentPixels_, drawn_);
  }
  drawn_ = {};
}

void CaptureSurface::KeepUnstored() noexcept {
  // The backing image keeps the drawing and its area stays noted, so the
  // next step stores it from there.
}

void CaptureSurface::Restore(std::span<const std::uint8_t> step, Side side) {
  if (step.size() < kStepTrailer) throw std::runtime_error("not a step");
  const std::uint8_t* trailer = step.data() + step.size() - kStepTrailer;
  const std::int32_t left = GetInt(trailer), top = GetInt(trailer + 4), w = GetInt(trailer + 8),
                     h = GetInt(trailer + 12);
  if (w == 0 && h == 0 && step.size() == kStepTrailer) return;  // a step that changed nothing
  if (left < 0 || top < 0 || w <= 0 || h <= 0 || w > width_ - left || h > height_ - top)
    throw std::runtime_error("a step off the picture");
  const win::Picture picture = codec_.ReadP(step.first(step.size() - kStepTrailer));
  const SIZE size = picture.PixelSize();
  if (size.cx != w || size.cy != 2 * h) throw std::runtime_error("a step of another size");
  if (!KeepFrozen()) throw std::bad_alloc();
  {
    const win::MemoryDc source(dc_->Get());
    const win::SelectGuard selected(source.Get(), picture.Bitmap());
    if (!BitBlt(dc_->Get(), left, top, w, h, source.Get(), 0, side == Side::Before ? 0 : h, SRCCOPY))
      throw std::runtime_error("the step cannot be copied");
  }
  GdiFlush();
  const RECT changed{left, top, left + w, top + h};
  CopyRows(backingPixels_, persistentPixels_, changed);
  drawn_ = {};
  if (changed_) changed_(changed);
}

}  // namespace quillane::capture
