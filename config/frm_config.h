#pragma once
// frmConfig: the screen saver's settings dialog. Six sliders 0..10 show the
// stored settings when it opens; cmdOK stores them, cmdCancel and closing
// store nothing. A plain window whose dialog keys the program's message loop
// routes (it is a control parent).
#include <windows.h>

#include <functional>

#include "config/saver_settings.h"
#include "config/settings_store.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace quillane::win {

class frmConfig : public Window {
 public:
  enum class Outcome { Open, Confirmed, Cancelled };

  // The store must outlive the dialog.
  explicit frmConfig(SettingsStore& store);

  // Builds the window and its controls hidden, centred on the work area, with
  // the version in the title line and the sliders at the stored values.
  bool Create(HWND owner = nullptr);
  // Shows and activates it; the keyboard focus goes to the first slider.
  void Show();

  Outcome Result() const { return outcome_; }
  // Runs once the window is gone, however it ended.
  void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  bool BuildControls();
  void Load();
  void cmdOK_Click();
  void cmdCancel_Click();
  void OnCommand(int id, int code);
  void OnActivate(bool active);
  // Moves the default-button look (and the Enter key) to the button `id`.
  void MakeDefaultButton(int id);
  SliderPositions SliderValues() const;
  HWND Control(int id) const { return GetDlgItem(Handle(), id); }

  SettingsStore& store_;
  Font font_;
  Outcome outcome_ = Outcome::Open;
  bool closing_ = false;
  int defaultButton_;
  HWND lastFocus_ = nullptr;
  std::function<void()> onClosed_;
};

}  // namespace quillane::win
