#pragma once
// The pattern mixer `Frame1`: a framed panel on the canvas whose sliders and
// text field hold the pattern parameters the engine reads on every tick.
#include <windows.h>

#include <functional>
#include <string>

#include "pattern/pattern_params.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace quillane {

enum MixerControlId : int {
  kHScroll1 = 201,  // LineWidth
  kHScroll2,        // FlowerCount
  kHScroll3,        // Size
  kHScroll4,        // PetalWidth
  kHScroll5,        // PetalCount
  kHScroll6,        // Fork
  kHScroll7,        // Spin
  kOption1 = 211,   // "曲体 song"
  kOption2,         // "柱体column"
  kText1,           // ScaleFloor
  kCommand4,        // "多 色"
  kCommand5,        // "单 色"
  kCommand1,        // "关闭close"
  kLabel1First = 221,
};

class MixerPanel : public win::Window {
 public:
  struct Handlers {
    std::function<void(int)> LineWidthChanged;  // HScroll1 moved
    std::function<void()> ManyColours;          // "多 色"
    std::function<void()> OneColour;            // "单 色"
  };


  // Creates the hidden panel with its controls at their start values.
  bool Create(HWND canvas, const PatternParams& starts, Handlers handlers);

  void ShowPanel() { ShowWindow(Handle(), SW_SHOW); }
  void HidePanel() { ShowWindow(Handle(), SW_HIDE); }
  bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

  // What the controls hold, kept as they change: the growth timers read it
  // on every tick, and asking the controls each time costs the system far more.
  const PatternParams& Read() const { return params_; }
  // The control Tab (or Shift+Tab with `backwards`) moves to from `from`:
  // the sliders HScroll1 to HScroll7, whatever their stacking, then the
  // buttons. Null when `from` is none of the panel's controls.
  HWND NextTabStop(HWND from, bool backwards) const;
  HWND Control(int id) const { return GetDlgItem(Handle(), id); }

  static constexpr COLORREF kPanelColour = RGB(63, 103, 29);
  static constexpr COLORREF kCaptionColour = RGB(251, 158, 4);
  static constexpr COLORREF kOptionTextColour = RGB(128, 255, 255);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  void FitCaptions();
  void OnCommand(int id, int code);
  int SliderValue(int id) const;
  void TakeSlider(HWND control);
  void TakeScaleFloor();

  Handlers handlers_;
  PatternParams params_;
  win::Font boldFont_;    // caption, close button, labels: 宋体 10.5 pt bold
  win::Font plainFont_;   // the other controls
  win::Brush panelBrush_;
};

}  // namespace quillane
