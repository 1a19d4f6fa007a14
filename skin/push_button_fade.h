#pragma once
// The look of a skinned push button over time: which of its four state images
// it shows and how strongly the next fade step blends that image over what
// the button shows now. The window side carries the steps out.
namespace quillane::skin {

enum ButtonLook : int { kLookNormal = 0, kLookHot = 1, kLookPressed = 2, kLookDisabled = 3 };

inline constexpr int kFadeIntervalMs = 15;
inline constexpr int kFadeAlphaStep = 3;
// A release fades from here, so the pressed look gives way quickly.
inline constexpr int kReleaseFadeAlpha = 60;
// Leaving first blends the hot look this strongly, then fades to normal.
inline constexpr int kLeaveBlendAlpha = 140;
inline constexpr int kFullAlpha = 255;

// Fades start at multiples of the step, so the last step paints at exactly
// 255 and leaves the target image in place.
constexpr int FadeStepCount(int startAlpha) { return (kFullAlpha - startAlpha) / kFadeAlphaStep + 1; }

// What the fade needs from the button's window.
class ButtonSurface {
 public:
  virtual ~ButtonSurface() = default;
  virtual bool Enabled() const = 0;
  // Blends the image of `look` over the button with a constant alpha.
  virtual void Show(int look, int alpha) = 0;
  // Both do nothing when the fade timer already runs, or does not run.
  virtual void StartFade() = 0;
  virtual void StopFade() = 0;
  // Asks for one notice when the pointer leaves the button.
  virtual void TrackLeave() = 0;
};

class PushButtonFade {
 public:
  explicit PushButtonFade(bool enabled) : look_(enabled ? kLookNormal : kLookDisabled) {}

  int Look() const { return look_; }
  int Alpha() const { return alpha_; }
  bool PointerInside() const { return inside_; }

  // `pointerOverButton`: the window under the pointer is this button.
  void PointerMoved(ButtonSurface& surface, bool pointerOverButton);
  // Mouse button or space bar down, or a double click.
  void Pressed(ButtonSurface& surface);
  void MouseReleased(ButtonSurface& surface);
  void SpaceReleased(ButtonSurface& surface);
  void PointerLeft(ButtonSurface& surface);
  // Shows the new look at once and at full strength.
  void EnabledChanged(ButtonSurface& surface, bool enabled);
  // The images were drawn again (the focus mark moved): fade them in.
  void FocusChanged(ButtonSurface& surface);
  // A paint shows the current look whole.
  void Painted(ButtonSurface& surface);
  // One tick of the fade timer.
  void FadeStep(ButtonSurface& surface);

 private:
  void Show(ButtonSurface& surface);

  int look_;
  int alpha_ = 0;
  bool inside_ = false;
};

}  // namespace quillane::skin
