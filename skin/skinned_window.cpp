#include "skin/skinned_window.h"

#include "skin/push_button_painter.h"
#include "skin/skinner.h"

namespace quillane::skin {

void SkinnedWindow::MirrorProperty(std::wstring_view name, INT_PTR value) {
  for (Mirrored& entry : mirrored_)
    if (entry.Name == name) {
      if (entry.Value != value && SetPropW(Handle, entry.Name.c_str(), reinterpret_cast<HANDLE>(value)))
        entry.Value = value;
      return;
    }
  mirrored_.push_back({std::wstring(name), value});
  SetPropW(Handle, mirrored_.back().Name.c_str(), reinterpret_cast<HANDLE>(value));
}

void SkinnedWindow::MirrorProperties() {
  if (Kind == ControlKind::PushButton) {
    MirrorProperty(L"OLDSTYLE", OldStyle);
    MirrorProperty(L"MOUSEFLAG", Fade.PointerInside() ? 1 : 0);
    MirrorProperty(L"TIMERID", static_cast<INT_PTR>(TimerId));
    MirrorProperty(L"OLDSTATE", Fade.Look());
    MirrorProperty(L"ALPHALEVEL", Fade.Alpha());
    static constexpr const wchar_t* kDcNames[4] = {L"0HDC", L"1HDC", L"2HDC", L"3HDC"};
    static constexpr const wchar_t* kBitmapNames[4] = {L"0BMP", L"1BMP", L"2BMP", L"3BMP"};
    for (int n = 0; n < 4; ++n) {
      const Surface* image = StateImages[n].get();
      MirrorProperty(kDcNames[n], reinterpret_cast<INT_PTR>(image ? image->Dc() : nullptr));
      MirrorProperty(kBitmapNames[n], reinterpret_cast<INT_PTR>(image ? image->Bitmap() : nullptr));
    }
  }
  switch (Kind) {
    case ControlKind::ComboBox:
    case ControlKind::DriveList:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      MirrorProperty(L"MOUSEFLAG", MouseFlag ? 1 : 0);
      MirrorProperty(L"OLDSTATE", Row(OldState));
      break;
    case ControlKind::Header:
      MirrorProperty(L"MOUSEFLAG", MouseFlag ? 1 : 0);
      MirrorProperty(L"HDINDEX", PressedItem);
      MirrorProperty(L"HMINDEX", HotItem);
      break;
    default: break;
  }
}

void SkinnedWindow::RemoveProperties() {
  for (const Mirrored& entry : mirrored_) RemovePropW(Handle, entry.Name.c_str());
  mirrored_.clear();
}

void SkinnedWindow::Show(int look, int alpha) { PaintButton(*this, look, alpha); }

void SkinnedWindow::StartFade() {
  if (TimerId) return;
  TimerId = FadeTimers().Set(Handle, FadeTimerId(), kFadeIntervalMs);
}

void SkinnedWindow::StopFade() {
  if (!TimerId) return;
  // By its own id: what SetTimer returns is only promised to be non-zero.
  FadeTimers().Kill(Handle, FadeTimerId());
  TimerId = 0;
}

void SkinnedWindow::TrackLeave() { skin::TrackLeave(Handle); }

}  // namespace quillane::skin
