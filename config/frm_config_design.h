#pragma once
// The design of frmConfig: its frame, client area and controls in twips.
#include <windows.h>

#include <array>
#include <span>

#include "config/saver_settings.h"
#include "win32/design_table.h"
#include "win32/window_classes.h"

namespace quillane::win::frmConfigDesign {

inline constexpr const wchar_t* kClassName = kConfigDialogClass;
inline constexpr wchar_t kCaption[] = L"配置";
inline constexpr wchar_t kTitle[] = L"万花筒屏幕保护";  // Label2, the version is appended at load
inline constexpr int kClientWidthTwips = 4470;
inline constexpr int kClientHeightTwips = 3750;
// Fixed tool-window border: a small caption with a close box, no sizing.
inline constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

// The dialog's font: the design names none, so a common Chinese dialog face.
inline constexpr wchar_t kFontFace[] = L"宋体";
inline constexpr double kFontPoints = 9.0;

inline constexpr std::size_t kLabel1Count = 2 * kSaverSettingCount;

// Control ids. IDOK and IDCANCEL let the dialog keys reach the buttons.
constexpr int Slider1(std::size_t index) { return 1000 + static_cast<int>(index); }
constexpr int Label1(std::size_t index) { return 1100 + static_cast<int>(index); }
inline constexpr int Label2 = 1200;
inline constexpr int cmdOK = IDOK;
inline constexpr int cmdCancel = IDCANCEL;

// Sliders first, then the buttons: the table order is the tab order.
std::span<const DesignRow> Controls();

}  // namespace quillane::win::frmConfigDesign
