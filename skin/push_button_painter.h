#pragma once
// Push buttons in the skin's look: four state images drawn once per size and
// focus change, then shown by one blend each time the look changes.
#include <windows.h>

#include "skin/skin_draw.h"

namespace quillane::skin {

class SkinnedWindow;

// A push or default push button without a picture of its own: the only
// buttons the skin paints. Check boxes, radio buttons, group boxes, user and
// owner-drawn buttons keep their own drawing.
bool IsSkinnablePushButton(LONG_PTR style);

// Draws the normal, hot, pressed and disabled images at the button's window
// size from the push-button frames of `buttonSkin` (null draws captions only).
void RenderButtonStates(SkinnedWindow& button, const Surface* buttonSkin);

// Blends the image of `look` over the whole button with a constant alpha:
// 255 replaces what it shows, 0 leaves it. Into the paint context while the
// button paints, else into the window's own device context.
void PaintButton(SkinnedWindow& button, int look, int alpha);

// The rounded outline that clips the images' square corners.
void SetRoundedRegion(HWND button);

}  // namespace quillane::skin
