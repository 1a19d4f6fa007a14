#pragma once
// What the skin keeps for one subclassed window. The subclass owns it; the
// window's properties only mirror it, under the names tools and tests know.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/control_kind.h"
#include "skin/push_button_fade.h"
#include "skin/skin_draw.h"

namespace quillane::skin {

class SkinnedWindow final : public ButtonSurface {
 public:
  SkinnedWindow(HWND window, ControlKind kind) : Handle(window), Kind(kind), Fade(IsWindowEnabled(window) != FALSE) {}
  SkinnedWindow(const SkinnedWindow&) = delete;
  SkinnedWindow& operator=(const SkinnedWindow&) = delete;

  const HWND Handle;
  const ControlKind Kind;

  // Push buttons: the style before skinning; only push and default push
  // buttons are painted by the skin (OwnerDrawn), the other button types
  // keep the system's look.
  LONG_PTR OldStyle = 0;
  bool OwnerDrawn = false;
  PushButtonFade Fade;
  std::array<std::unique_ptr<Surface>, 4> StateImages;  // normal, hot, pressed, disabled
  // What the button shows: every look is blended into it and then copied to
  // the window, so a repaint during a fade shows how far the fade has come.
  std::unique_ptr<Surface> Shown;
  UINT_PTR TimerId = 0;
  HDC PaintTarget = nullptr;  // the paint context while WM_PAINT runs

  // Combo boxes, drive lists, check boxes, option buttons and headers.
  bool MouseFlag = false;
  ControlState OldState = ControlState::Normal;
  int PressedItem = -1;  // headers
  int HotItem = -1;

  // Top-level windows: the keyboard has moved the focus here, so focus marks show.
  bool KeyboardCues = false;

  // Messages of this window being handled right now, and whether it was
  // unskinned meanwhile (then it is freed once the outermost one returns).
  int Depth = 0;
  bool Gone = false;

  void ReleaseImages() {
    Shown.reset();
    for (auto& image : StateImages) image.reset();
  }

  // Writes the named properties whose values changed.
  void MirrorProperties();
  void MirrorProperty(std::wstring_view name, INT_PTR value);
  void RemoveProperties();

  bool Enabled() const override { return IsWindowEnabled(Handle) != FALSE; }
  void Show(int look, int alpha) override;
  void StartFade() override;
  void StopFade() override;
  void TrackLeave() override;

 private:
  struct Mirrored {
    std::wstring Name;
    INT_PTR Value;
  };
  std::vector<Mirrored> mirrored_;
};

}  // namespace quillane::skin
