#include "skin/push_button_fade.h"

namespace quillane::skin {

void PushButtonFade::Show(ButtonSurface& surface) {
  if (!surface.Enabled()) look_ = kLookDisabled;
  surface.Show(look_, alpha_);
}

void PushButtonFade::PointerMoved(ButtonSurface& surface, bool pointerOverButton) {
  if (!inside_) {
    inside_ = true;
    surface.TrackLeave();
    look_ = kLookHot;
    alpha_ = 0;
    surface.StartFade();
  } else if (!pointerOverButton) {
    // Dragged off while pressed: the current look at once, no fade.
    surface.StopFade();
    alpha_ = kFullAlpha;
    Show(surface);
  }
}

void PushButtonFade::Pressed(ButtonSurface& surface) {
  surface.StopFade();
  look_ = kLookPressed;
  alpha_ = kFullAlpha;
  Show(surface);
  alpha_ = 0;
}

void PushButtonFade::MouseReleased(ButtonSurface& surface) {
  inside_ = false;
  look_ = kLookNormal;
  alpha_ = kReleaseFadeAlpha;
  surface.StartFade();
}

void PushButtonFade::SpaceReleased(ButtonSurface& surface) {
  inside_ = false;
  alpha_ = 0;
  look_ = kLookNormal;
  surface.StartFade();
}

void PushButtonFade::PointerLeft(ButtonSurface& surface) {
  inside_ = false;
  look_ = kLookHot;
  alpha_ = kLeaveBlendAlpha;
  Show(surface);
  look_ = kLookNormal;
  alpha_ = 0;
  surface.StartFade();
}

void PushButtonFade::EnabledChanged(ButtonSurface& surface, bool enabled) {
  look_ = enabled ? kLookNormal : kLookDisabled;
  surface.StopFade();
  alpha_ = kFullAlpha;
  Show(surface);
}

void PushButtonFade::FocusChanged(ButtonSurface& surface) {
  alpha_ = 0;
  surface.StartFade();
}

void PushButtonFade::Painted(ButtonSurface& surface) {
  surface.StopFade();
  alpha_ = kFullAlpha;
  Show(surface);
}

void PushButtonFade::FadeStep(ButtonSurface& surface) {
  Show(surface);
  alpha_ += kFadeAlphaStep;
  if (alpha_ > kFullAlpha) {
    surface.StopFade();
    alpha_ = 0;
  }
}

}  // namespace quillane::skin
