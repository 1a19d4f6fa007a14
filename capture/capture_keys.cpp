#include "capture/capture_keys.h"

#include <algorithm>

#include "capture/window_snap.h"

namespace quillane::capture {

CaptureKeyAction MapCaptureKey(int virtualKey, const CaptureKeyState& state) {
  if (virtualKey == kKeyEscape) return {CaptureCommand::Close};
  if (state.TextBoxOpen) {
    // Everything else is typing; Enter ends it as a click outside the box does.
    return virtualKey == kKeyEnter ? CaptureKeyAction{CaptureCommand::FinishText} : CaptureKeyAction{};
  }
  const std::int32_t step = state.Ctrl ? kCoarseStep : kFineStep;
  std::int32_t dx = 0, dy = 0;
  switch (virtualKey) {
    case kKeyLeft: dx = -step; break;
    case kKeyRight: dx = step; break;
    case kKeyUp: dy = -step; break;
    case kKeyDown: dy = step; break;
    default: break;
  }
  if (dx != 0 || dy != 0) {
    if (!state.RegionExists) return {CaptureCommand::MovePointer, dx, dy};
    return {state.Shift ? CaptureCommand::SizeRegion : CaptureCommand::MoveRegion, dx, dy};
  }
  if (virtualKey == kKeyA && state.Ctrl && !state.Shift) return {CaptureCommand::SelectAll};
  // The rest are the toolbar's buttons, which exist only with a region.
  if (!state.RegionExists) return {};
  if (virtualKey == kKeyEnter && !state.Ctrl && !state.Shift) return {CaptureCommand::Copy};
  if (!state.Ctrl) return {};
  switch (virtualKey) {
    case kKeyC: return state.Shift ? CaptureKeyAction{} : CaptureKeyAction{CaptureCommand::Copy};
    case kKeyS: return state.Shift ? CaptureKeyAction{} : CaptureKeyAction{CaptureCommand::Save};
    case kKeyZ: return {state.Shift ? CaptureCommand::Redo : CaptureCommand::Undo};
    case kKeyY: return state.Shift ? CaptureKeyAction{} : CaptureKeyAction{CaptureCommand::Redo};
    default: return {};
  }
}

PixelBox NudgeRegion(const PixelBox& region, std::int32_t dx, std::int32_t dy, const PixelBox& screen) {
  // Kept on the screen; one larger than the screen ends on its right or bottom edge.
  const auto place = [](std::int32_t start, std::int32_t size, std::int32_t delta, std::int32_t low,
                        std::int32_t high) { return std::max(std::min(start + delta, high - size), std::min(low, high - size)); };
  const std::int32_t left = place(region.Left, region.Width(), dx, screen.Left, screen.Right);
  const std::int32_t top = place(region.Top, region.Height(), dy, screen.Top, screen.Bottom);
  return {left, top, left + region.Width(), top + region.Height()};
}

PixelBox SizeRegion(const PixelBox& region, std::int32_t dx, std::int32_t dy, const PixelBox& screen) {
  const std::int32_t right = std::clamp(region.Right + dx, region.Left, std::max(region.Left, screen.Right));
  const std::int32_t bottom = std::clamp(region.Bottom + dy, region.Top, std::max(region.Top, screen.Bottom));
  return {region.Left, region.Top, right, bottom};
}

PixelSpot NudgePointer(PixelSpot pointer, std::int32_t dx, std::int32_t dy, const PixelBox& screen) {
  return {std::clamp(pointer.X + dx, screen.Left, std::max(screen.Left, screen.Right - 1)),
          std::clamp(pointer.Y + dy, screen.Top, std::max(screen.Top, screen.Bottom - 1))};
}

PixelBox SelectAllTarget(const std::optional<PixelBox>& region, PixelSpot pointer,
                         std::span<const PixelBox> monitors, const PixelBox& screen) {
  const std::optional<PixelBox> monitor = MonitorAt(monitors, pointer.X, pointer.Y);
  if (!monitor || region == monitor) return screen;
  return *monitor;
}

}  // namespace quillane::capture
