#pragma once
// The main window: its client area is the canvas the four growth timers draw on.
#include <windows.h>

#include <array>
#include <chrono>
#include <string>

#include "export/file_output.h"
#include "pattern/canvas_buffer.h"
#include "pattern/flower_engine.h"
#include "pattern/gdi_flower_canvas.h"
#include "pattern/mixer_panel.h"
#include "pattern/saver_host.h"
#include "win32/dialogs.h"
#include "win32/picture.h"
#include "win32/shell.h"
#include "win32/window.h"

namespace quillane {

enum class WindowPlacement {
  Normal,        // a framed window with the designed client size
  FullScreen,    // borderless and topmost over every monitor, as the system starts a saver
  PreviewChild,  // made a child of the preview box after loading
};

// Everything the main window asks of a person or the system.
struct MainWindowServices {
  SaverHost& Host;
  RandomSource& Random;
  win::Dialogs& Dialogs;
  win::Shell& Shell;
  exporting::FileOutput& Files = exporting::SystemFiles();
};

// The maker's web page, opened from the help menu.
inline constexpr const wchar_t* kMakersWebPage = L"https://quillane.example.org/";

class FrmScreenSaver : public win::Window {
 public:
  explicit FrmScreenSaver(const MainWindowServices& services);

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
  // The sliders' start values; takes effect when the window loads.
  void SetStartParams(const PatternParams& params) { startParams_ = params; }
  MixerPanel& Panel() { return panel_; }
  const MixerPanel& Panel() const { return panel_; }

  int DrawWidth() const { return drawWidth_; }
  void SetDrawWidth(int width) { drawWidth_ = width; }
  COLORREF BackColour() const { return backColour_; }
  // Sets the background and repaints the canvas in it, erasing the pattern.
  void SetBackColour(COLORREF colour);
  // Repaints the canvas in the background colour; live flowers go on.
  void ClearCanvas();

  // Menu commands (see main_menu.h), as a click on the menu runs them.
  void RunMenuCommand(UINT command);
  // "抓图(&capture)": the canvas as it is on screen now, kept in Picture1.
  void GrabCanvas();
  const win::Picture& GrabbedPicture() const { return picture1_; }
  // "保存(save)": asks for a file and writes the grabbed picture as BMP.
  void SaveGrabbedPicture();

  FlowerEngine& Engine() { return engine_; }
  // Puts on the window what the ticks drew since it last saw the canvas.
  void ShowCanvas();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static int Index(TimerKind kind) { return static_cast<int>(kind); }
  void OnLoad();
  void OnUnload();
  void EraseBackground(HDC dc);
  void ShowCanvasWhenDue();
  void ChooseBackColour();
  void SetGrowthTimers(bool on);
  // Alt, F10 and the bar's Alt+letter mnemonics open the menu of the framed window.
  bool IsMenuBarKey(UINT key) const;
  // True when the focus went back to the control that had it.
  bool OnActivate(bool active);

  MainWindowServices services_;
  FlowerEngine engine_;
  std::array<bool, 4> timerOn_{};
  int drawWidth_ = kDesignedPenWidth;
  COLORREF backColour_ = RGB(0, 0, 0);
  // What the colour dialog holds between uses; black before the first.
  COLORREF dialogColour_ = RGB(0, 0, 0);
  // One menu session: how many drop-downs opened, whether "保存(save)" was
  // chosen (its drop-down opened first), whether a command was chosen.
  int menuPopupsOpened_ = 0;
  bool saveMenuChosen_ = false;
  bool menuCommandChosen_ = false;
  HWND lastFocus_ = nullptr;
  win::Picture picture1_;
  CanvasBuffer canvas_;
  std::chrono::steady_clock::time_point lastShown_{};
  PatternParams startParams_{};
  win::Owned<MixerPanel> panel_;
};

}  // namespace quillane
