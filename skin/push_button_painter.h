#pragma once
// Push buttons in the skin's look: four state images drawn once per size and
// focus change, then shown by one blend each time the look changes.
#include <windows.h>

#include <optional>

#include "skin/skin_draw.h"

namespace quillane::skin {

class SkinnedWindow;

// A push or default push button without a picture of its own: the only
// buttons the skin paints. Check boxes, radio buttons, group boxes, user and
// owner-drawn buttons keep their own drawing.
bool IsSkinnablePushButton(LONG_PTR style);

// Draws the normal, hot, pressed and disabled images at the button's window
// size from the push-button frames of `buttonSkin` (null draws captions only);
// at a new size the button shows its current look whole.
// `focused`: whether the button counts as focused (null: ask the system, which
// while the focus moves may still name the button that loses it).
void RenderButtonStates(SkinnedWindow& button, const Surface* buttonSkin, std::optional<bool> focused = std::nullopt);

// Blends the image of `look` over what the button shows with a constant
// alpha (255 replaces it, 0 leaves it) and shows the result: into the paint
// context while the button paints, else into the window's device context.
void PaintButton(SkinnedWindow& button, int look, int alpha);
// Shows again what the button showed last.
void ShowCurrentLook(SkinnedWindow& button);

// The rounded outline that clips the images' square corners.
void SetRoundedRegion(HWND button);

}  // namespace quillane::skin
