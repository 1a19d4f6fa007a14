#include "skin/control_geometry.h"

#include <algorithm>

#include "skin/skin_colours.h"
#include "util/numbers.h"

namespace quillane::skin {

namespace {

int Times(float fraction, int length) { return RoundHalfEven(static_cast<double>(fraction * static_cast<float>(length))); }

void AddFill(std::vector<Fill>& fills, SliceRect area, Rgb colour) {
  if (area.Width > 0 && area.Height > 0) fills.push_back({area, colour});
}

}  // namespace

int Half(int value) { return RoundHalfEven(value / 2.0); }

Point CentredIn(int boxWidth, int boxHeight, int glyphWidth, int glyphHeight) {
  return {Half(boxWidth - glyphWidth), Half(boxHeight - glyphHeight)};
}

int BoxTop(int windowHeight, int boxHeight) { return Half(windowHeight - boxHeight); }

DropButton DropButtonOf(int width, int height, int scrollWidth, int arrowWidth, int arrowHeight) {
  const int buttonWidth = scrollWidth + 1, buttonHeight = height - 2;
  const int free = buttonWidth - arrowWidth;
  return {{width - buttonWidth - 1, 1, buttonWidth, buttonHeight}, {free - Half(free), Half(height - arrowHeight - 2)}};
}

bool OnDropButton(int x, int y, int width, int height, int scrollWidth) {
  return !(x < width - scrollWidth - 2 || x > width - 2 || y < 2 || y > height - 2);
}

ControlState DropButtonLook(bool editable, bool onButton, bool leftButtonDown) {
  if (editable && !onButton) return ControlState::Normal;
  return leftButtonDown ? ControlState::Pressed : ControlState::Hot;
}

int HeaderHit(std::span<const ItemSpan> items, int x) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].Left <= x && x <= items[i].Right) return static_cast<int>(i);
  return -1;
}

int ExistingItem(int index, int itemCount) { return index >= 0 && index < itemCount ? index : -1; }

ControlState HeaderItemLook(int item, int pressedItem, int hotItem) {
  if (item == pressedItem) return ControlState::Pressed;
  return item == hotItem ? ControlState::Hot : ControlState::Normal;
}

float ProgressFraction(int position) {
  return std::clamp(static_cast<float>(position) / static_cast<float>(kProgressScale), 0.0f, 1.0f);
}

std::vector<Fill> ProgressClientFills(int clientWidth, int clientHeight, float fraction, bool vertical) {
  std::vector<Fill> fills;
  AddFill(fills, {0, 0, clientWidth, clientHeight}, kWhite);
  if (fraction == 0) return fills;
  if (vertical) {
    const int filled = Times(fraction, clientHeight);
    AddFill(fills, {0, clientHeight - filled, clientWidth, filled}, kBarColour);
  } else {
    AddFill(fills, {0, 0, Times(fraction, clientWidth), clientHeight}, kBarColour);
  }
  return fills;
}

std::vector<Fill> ProgressFrameFills(const ProgressFrameLayout& l, float fraction) {
  std::vector<Fill> fills;
  AddFill(fills, {0, 0, l.Width, l.Height}, kSkinBlue);
  AddFill(fills, {1, 1, l.Width - 2, l.Height - 2}, kWhite);
  if (fraction == 0) return fills;
  if (l.Vertical) {
    if (l.Smooth) AddFill(fills, {l.BorderX, l.BorderY, l.ClientWidth, l.ClientHeight}, kBarColour);
    AddFill(fills, {l.BorderX, l.BorderY, l.ClientWidth, l.ClientHeight - Times(fraction, l.ClientHeight)}, kWhite);
  } else {
    AddFill(fills, {l.BorderX, l.BorderY, Times(fraction, l.ClientWidth), l.ClientHeight}, kBarColour);
  }
  return fills;
}

Point NcBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight, int scrollWidth,
               int scrollHeight) {
  return {Half(windowWidth - clientWidth - scrollWidth), Half(windowHeight - clientHeight - scrollHeight)};
}

std::vector<SliceRect> FlatBorderRings(int width, int height, int borderWidth) {
  std::vector<SliceRect> rings{{0, 0, width, height}};
  for (int d = 1; d < borderWidth && 2 * d < width && 2 * d < height; ++d)
    rings.push_back({d, d, width - 2 * d, height - 2 * d});
  return rings;
}

}  // namespace quillane::skin
