#pragma once
// The capture's keys: which command a key press gives, and what the
// keyboard's nudges do to the region and the pointer. Boxes and points are
// in the capture window's pixels. Nothing here touches a window.
#include <cstdint>
#include <optional>
#include <span>

#include "capture/capture_geometry.h"

namespace quillane::capture {

// The system's virtual-key codes the capture answers.
enum VirtualKey : int {
  kKeyEnter = 0x0D,
  kKeyEscape = 0x1B,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyA = 'A',
  kKeyC = 'C',
  kKeyS = 'S',
  kKeyY = 'Y',
  kKeyZ = 'Z',
};

enum class CaptureCommand {
  None,          // the key is not the capture's (with a text box open: the text's)
  Close,         // as Esc always did
  MoveRegion,    // by (Dx, Dy)
  SizeRegion,    // the right edge by Dx, the bottom edge by Dy
  MovePointer,   // by (Dx, Dy), to start a region to the pixel
  Copy,          // as "复制退出"
  Save,          // as "保存"
  Undo,
  Redo,
  SelectAll,     // the monitor under the pointer, then the whole screen
  FinishText,    // draw the text box's text and close the box
};

struct CaptureKeyAction {
  CaptureCommand Command = CaptureCommand::None;
  std::int32_t Dx = 0;
  std::int32_t Dy = 0;
  bool operator==(const CaptureKeyAction&) const = default;
};

struct CaptureKeyState {
  bool Ctrl = false;
  bool Shift = false;
  bool TextBoxOpen = false;
  bool RegionExists = false;
};

// Arrows step 1 pixel, with Ctrl 10.
inline constexpr std::int32_t kFineStep = 1;
inline constexpr std::int32_t kCoarseStep = 10;

CaptureKeyAction MapCaptureKey(int virtualKey, const CaptureKeyState& state);

// The region moved by (dx, dy), kept on `screen` as a dragged region is.
PixelBox NudgeRegion(const PixelBox& region, std::int32_t dx, std::int32_t dy, const PixelBox& screen);
// The region with its right edge moved by dx and its bottom edge by dy: never
// past `screen`'s edges and never less than 0 wide or high.
PixelBox SizeRegion(const PixelBox& region, std::int32_t dx, std::int32_t dy, const PixelBox& screen);
// The pointer moved by (dx, dy), kept on a pixel of `screen`.
struct PixelSpot {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  bool operator==(const PixelSpot&) const = default;
};
PixelSpot NudgePointer(PixelSpot pointer, std::int32_t dx, std::int32_t dy, const PixelBox& screen);

// What Ctrl+A selects: the monitor under the pointer, or, when the region is
// that monitor already, the whole screen.
PixelBox SelectAllTarget(const std::optional<PixelBox>& region, PixelSpot pointer,
                         std::span<const PixelBox> monitors, const PixelBox& screen);

}  // namespace quillane::capture
