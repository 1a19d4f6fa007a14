#pragma once
// The skin's flat colours, 0xRRGGBB.
#include "skin/skin_pixels.h"

namespace quillane::skin {

inline constexpr Rgb kSkinBlue = 0x54A5D5;          // frames of lists, combo boxes, check boxes
inline constexpr Rgb kSkinBluePressed = 0x3986C4;   // a pressed check box's frame
inline constexpr Rgb kSkinBlueDisabled = 0xA4CFE9;  // those frames when disabled
inline constexpr Rgb kBarColour = 0x4CD6F6;         // a progress bar's filled part
inline constexpr Rgb kDisabledText = 0x798A96;      // a disabled push button's caption
inline constexpr Rgb kCaptionText = 0x000000;       // push-button captions otherwise
inline constexpr Rgb kDefaultRing = 0x3986C4;       // inside the default push button's frame
inline constexpr Rgb kWhite = 0xFFFFFF;             // backgrounds and inner frame lines

}  // namespace quillane::skin
