#include "capture/capture_surface.h"

#include <cstring>
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
  GdiFlush();
  try {
    persistent_ = CopyToPicture(backingPixels_, width_, height_, persistentPixels_);
  } catch (const std::exception&) {
    return false;
  }
  drawn_ = false;
  return true;
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

SnapshotBytes CaptureSurface::SerialiseComposed() {
  SnapshotBytes bytes;
  if (!drawn_) {
    codec_.WriteP(bytes, persistent_);
    return bytes;
  }
  GdiFlush();
  pending_ = CopyToPicture(backingPixels_, width_, height_, pendingPixels_);
  codec_.WriteP(bytes, pending_);
  return bytes;
}

void CaptureSurface::KeepComposed() noexcept {
  if (pending_) {
    persistent_ = std::move(pending_);
    persistentPixels_ = pendingPixels_;
  }
  pending_ = {};
  pendingPixels_ = nullptr;
  drawn_ = false;
}

void CaptureSurface::KeepUnstored() noexcept {
  // The backing image keeps the drawing and stays marked as drawn, so the
  // next step serialises it from there.
  pending_ = {};
  pendingPixels_ = nullptr;
}

void CaptureSurface::Restore(std::span<const std::uint8_t> bytes) {
  const win::Picture picture = codec_.ReadP(bytes);
  const SIZE size = picture.PixelSize();
  if (size.cx != width_ || size.cy != height_) throw std::runtime_error("a snapshot of another size");
  {
    const win::MemoryDc source(dc_->Get());
    const win::SelectGuard selected(source.Get(), picture.Bitmap());
    if (!BitBlt(dc_->Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY))
      throw std::runtime_error("the snapshot cannot be copied");
  }
  GdiFlush();
  std::memcpy(persistentPixels_, backingPixels_, PixelCount() * 4);
  drawn_ = false;
  Changed();
}

}  // namespace quillane::capture
