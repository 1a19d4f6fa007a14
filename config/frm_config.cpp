#include "config/frm_config.h"

#include <commctrl.h>

#include <string>

#include "config/frm_config_design.h"
#include "config/saver_settings_store.h"
#include "win32/design_table.h"
#include "win32/version.h"

namespace quillane::win {

namespace design = frmConfigDesign;

namespace {

constexpr int kSliderLargeChange = 5;

std::wstring TitleWithVersion() {
  const ProgramVersion version = ReadProgramVersion();
  return std::wstring(design::kTitle) + L" (v" + std::to_wstring(version.Major) + L"." +
         std::to_wstring(version.Minor) + L")";
}

// The outer rectangle that gives the designed client area, centred on the work area.
RECT CentredFrame(DisplayDpi dpi) {
  const SIZE client = PixelSize(design::kClientWidthTwips, design::kClientHeightTwips, dpi);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, design::kStyle, FALSE, design::kExStyle);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

frmConfig::frmConfig(SettingsStore& store) : store_(store), defaultButton_(design::cmdOK) {}

bool frmConfig::Create(HWND owner) {
  if (Exists()) return true;
  const DisplayDpi dpi = ScreenDpi();
  font_ = CreateDesignFont(design::kFontFace, design::kFontPoints, FW_NORMAL, dpi);
  const RECT frame = CentredFrame(dpi);
  const ClassStyle cls{design::kClassName, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))};
  outcome_ = Outcome::Open;
  closing_ = false;
  defaultButton_ = design::cmdOK;
  lastFocus_ = nullptr;
  if (!CreateWindowOf(cls, design::kExStyle, design::kCaption, design::kStyle, frame.left, frame.top,
                      frame.right - frame.left, frame.bottom - frame.top, owner, nullptr))
    return false;
  if (!CreateDesignedControls(Handle(), design::Controls(), dpi, font_.Get())) {
    Destroy();
    return false;
  }
  Load();
  return true;
}

void frmConfig::Load() {
  SetWindowTextW(Control(design::Label2), TitleWithVersion().c_str());
  const SliderPositions stored = ReadDisplayedPositions(store_);
  for (std::size_t i = 0; i < kSaverSettingCount; ++i) {
    HWND slider = Control(design::Slider1(i));
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kSettingMin);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kSettingMax);
    SendMessageW(slider, TBM_SETTICFREQ, 1, 0);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, kSliderLargeChange);
    SendMessageW(slider, TBM_SETPOS, TRUE, stored[i]);
  }
}

void frmConfig::Show() {
  if (!Exists()) return;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // Activation focuses the first slider; also when the window manager does not activate it.
  if (!IsChild(Handle(), GetFocus())) SetFocus(GetNextDlgTabItem(Handle(), nullptr, FALSE));
}

SliderPositions frmConfig::SliderValues() const {
  SliderPositions positions{};
  for (std::size_t i = 0; i < kSaverSettingCount; ++i)
    positions[i] = static_cast<std::int32_t>(SendMessageW(Control(design::Slider1(i)), TBM_GETPOS, 0, 0));
  return positions;
}

void frmConfig::cmdOK_Click() {
  StoreSliderPositions(store_, SliderValues());
  outcome_ = Outcome::Confirmed;
  Destroy();
}

void frmConfig::cmdCancel_Click() {
  outcome_ = Outcome::Cancelled;
  Destroy();
}

void frmConfig::MakeDefaultButton(int id) {
  if (id == defaultButton_) return;
  defaultButton_ = id;
  for (const int button : {design::cmdOK, design::cmdCancel}) {
    HWND control = Control(button);
    const DWORD kept = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & 0xFFFF & ~BS_TYPEMASK;
    const DWORD type = button == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(control, BM_SETSTYLE, kept | type, TRUE);
  }
}

void frmConfig::OnCommand(int id, int code) {
  if (closing_) return;
  if (id != design::cmdOK && id != design::cmdCancel) return;
  switch (code) {
    case BN_CLICKED:
      if (id == design::cmdOK)
        cmdOK_Click();
      else
        cmdCancel_Click();
      break;
    // As in a dialog: a focused button is the one Enter presses; elsewhere cmdOK is.
    case BN_SETFOCUS:
      MakeDefaultButton(id);
      break;
    case BN_KILLFOCUS:
      MakeDefaultButton(design::cmdOK);
      break;
  }
}

void frmConfig::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (IsChild(Handle(), focus)) lastFocus_ = focus;
    return;
  }
  // As a dialog does: back to the control that had the focus, else the first tab stop.
  HWND target = IsChild(Handle(), lastFocus_) ? lastFocus_ : GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT frmConfig::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(defaultButton_, DC_HASDEFID);
    case DM_SETDEFID:
      MakeDefaultButton(static_cast<int>(wParam));
      return TRUE;
    case WM_DESTROY:
      // Closing the window ends like cmdCancel: nothing is stored.
      closing_ = true;
      if (outcome_ == Outcome::Open) outcome_ = Outcome::Cancelled;
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void frmConfig::OnDestroyed() {
  if (onClosed_) onClosed_();
}

}  // namespace quillane::win
