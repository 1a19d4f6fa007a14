#pragma once
// The main window: its client area is the canvas the four growth timers draw on.
#include <windows.h>

#include <array>
#include <string>

#include "pattern/flower_engine.h"
#include "startup/saver_host.h"
#include "win32/window.h"

namespace quillane {

enum class WindowPlacement {
  Normal,        // a framed window with the designed client size
  FullScreen,    // borderless and topmost over every monitor, as the system starts a saver
  PreviewChild,  // made a child of the preview box after loading
};

class FrmScreenSaver : public win::Window {
 public:
  FrmScreenSaver(SaverHost& host, RandomSource& random);

  // Creates the window without showing it; its load handler starts the timers.
  bool Load(WindowPlacement placement);
  // Shows it and gives it the keyboard, so any key reaches the exit rules.
  void Show();
  // Makes the loaded window a child filling `parent`'s client area; false when
  // the system refuses (then the caller unloads it).
  bool AdoptAsPreviewOf(HWND parent);

  static constexpr const wchar_t* kCaption = L"QuillaneV7.1";
  static constexpr int kDesignedPenWidth = 90;

  bool TimerEnabled(TimerKind kind) const { return timerOn_[Index(kind)]; }
  void SetTimerEnabled(TimerKind kind, bool on);
  // What one tick of that timer does.
  void Tick(TimerKind kind);

  // The pattern parameters as the panel holds them now.
  PatternParams ReadPatternParams() const;
  void SetStartParams(const PatternParams& params) { startParams_ = params; }
  void SetScaleFloorText(std::wstring text) { scaleFloorText_ = std::move(text); }

  int DrawWidth() const { return drawWidth_; }
  void SetDrawWidth(int width) { drawWidth_ = width; }
  COLORREF BackColour() const { return backColour_; }

  FlowerEngine& Engine() { return engine_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static int Index(TimerKind kind) { return static_cast<int>(kind); }
  void OnLoad();
  void OnUnload();
  void EraseBackground(HDC dc);

  SaverHost& host_;
  FlowerEngine engine_;
  std::array<bool, 4> timerOn_{};
  int drawWidth_ = kDesignedPenWidth;
  COLORREF backColour_ = RGB(0, 0, 0);
  PatternParams startParams_{};
  std::wstring scaleFloorText_ = L"9.005";
};

}  // namespace quillane
