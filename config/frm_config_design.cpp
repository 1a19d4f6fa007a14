#include "config/frm_config_design.h"

#include <commctrl.h>

namespace quillane::win::frmConfigDesign {
namespace {

constexpr DWORD kSliderStyle = WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS;
constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFT;
// BS_NOTIFY: focus changes move the default-button look, as in a dialog.
constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_NOTIFY;

constexpr int kSliderLeft = 720, kSliderWidth = 3015, kSliderHeight = 375;
constexpr int kLabelLeftEnd = 120, kLabelRightEnd = 3840, kLabelWidth = 495, kLabelHeight = 255;

constexpr DesignRow SliderRow(std::size_t index, int top) {
  return {TRACKBAR_CLASSW, L"", kSliderStyle, 0, Slider1(index), {kSliderLeft, top, kSliderWidth, kSliderHeight}};
}

constexpr DesignRow LabelRow(std::size_t index, const wchar_t* caption, int top) {
  const int left = index % 2 == 0 ? kLabelLeftEnd : kLabelRightEnd;
  return {WC_STATICW, caption, kLabelStyle, 0, Label1(index), {left, top, kLabelWidth, kLabelHeight}};
}

constexpr DesignRow kControls[] = {
    SliderRow(0, 180),
    SliderRow(1, 600),
    SliderRow(2, 1080),
    SliderRow(3, 1560),
    SliderRow(4, 2040),
    SliderRow(5, 2520),
    {WC_BUTTONW, L"确定", kButtonStyle | BS_DEFPUSHBUTTON, 0, cmdOK, {1200, 3000, 972, 372}},
    {WC_BUTTONW, L"取消", kButtonStyle | BS_PUSHBUTTON, 0, cmdCancel, {2280, 3000, 972, 372}},
    LabelRow(0, L"少", 240),
    LabelRow(1, L"多", 240),
    LabelRow(2, L"小花", 720),
    LabelRow(3, L"大花", 720),
    LabelRow(4, L"单薄", 1200),
    LabelRow(5, L"丰满", 1200),
    LabelRow(6, L"稀疏", 1680),
    LabelRow(7, L"稠密", 1680),
    LabelRow(8, L"尖锐", 2160),
    LabelRow(9, L"分叉", 2160),
    LabelRow(10, L"快", 2640),
    LabelRow(11, L"慢", 2640),
    {WC_STATICW, kTitle, kLabelStyle, 0, Label2, {0, 3480, 4455, 255}},
};

}  // namespace

std::span<const DesignRow> Controls() { return kControls; }

}  // namespace quillane::win::frmConfigDesign
