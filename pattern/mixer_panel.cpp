#include "pattern/mixer_panel.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <vector>

#include "util/numbers.h"
#include "win32/design_table.h"
#include "win32/window_classes.h"

namespace quillane {

namespace {

constexpr win::TwipsRect kFramePlace{-30, 0, 2625, 3375};
constexpr const wchar_t* kFrameCaption = L"图案调配器";
constexpr const wchar_t* kFontFace = L"宋体";

// The sliders' places, top of the stack first: where sliders share a place,
// the one listed first lies on top, shows and takes the mouse. The others are
// reached with Tab, which follows the slider table's order instead.
struct SliderPlace {
  int Number;
  win::TwipsRect Place;
};
constexpr win::TwipsRect kLeafRow{750, 420, 1815, 255};
constexpr win::TwipsRect kSizeRow{750, 960, 1815, 255};
constexpr win::TwipsRect kNumberRow{750, 1500, 1815, 255};
constexpr std::array<SliderPlace, 7> kSliderStack{{
    {1, kLeafRow}, {7, kLeafRow}, {2, kLeafRow}, {3, kSizeRow}, {5, kNumberRow}, {4, kNumberRow}, {6, kNumberRow},
}};

int SliderId(int number) { return kHScroll1 + number - 1; }

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// Buttons and the text field after the sliders; labels last, so the option
// buttons cover the four labels beneath them.
const win::DesignRow kButtons[] = {
    {win::kOptionButtonClass, L"曲体 song", kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, kOption1,
     {720, 1830, 915, 465}},
    {win::kOptionButtonClass, L"柱体column", kChild | BS_AUTORADIOBUTTON | BS_MULTILINE, 0, kOption2, {1680, 1830, 885, 465}},
    {L"BUTTON", L"多 色", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, kCommand4, {120, 2400, 1095, 375}},
    {L"BUTTON", L"单 色", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, kCommand5, {1320, 2400, 1095, 375}},
    {L"EDIT", L"9.005", (kChild & ~WS_VISIBLE) | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, kText1,
     {840, 3360, 915, 375}},
};
const win::DesignRow kCloseButton{L"BUTTON", L"关闭close", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, kCommand1,
                                  {1320, 2880, 1185, 375}};
const win::DesignRow kLabels[] = {
    {L"STATIC", L"叶形 leaf", kChild, 0, kLabel1First + 0, {90, 360, 645, 465}},
    {L"STATIC", L"大小 size", kChild, 0, kLabel1First + 1, {90, 930, 585, 435}},
    {L"STATIC", L"叶数 number", kChild, 0, kLabel1First + 2, {90, 1500, 585, 435}},
    {L"STATIC", L"速度", kChild, 0, kLabel1First + 3, {1830, 2040, 645, 285}},
    {L"STATIC", L"分叉", kChild, 0, kLabel1First + 4, {1830, 2040, 645, 285}},
    {L"STATIC", L"叶宽", kChild, 0, kLabel1First + 5, {870, 2010, 645, 285}},
    {L"STATIC", L"水晶", kChild, 0, kLabel1First + 6, {1800, 2070, 645, 285}},
};

constexpr const wchar_t* kSongFloor = L"0.005";    // curved: flowers swell and shrink
constexpr const wchar_t* kColumnFloor = L"6.005";  // column: flowers keep their size

}  // namespace

bool MixerPanel::Create(HWND canvas, const PatternParams& starts, Handlers handlers) {
  handlers_ = std::move(handlers);
  const win::DisplayDpi dpi = win::ScreenDpi();
  boldFont_ = win::CreateDesignFont(kFontFace, 10.5, FW_BOLD, dpi);
  plainFont_ = win::CreateDesignFont(kFontFace, 9, FW_NORMAL, dpi);
  panelBrush_.Reset(CreateSolidBrush(kPanelColour));

  const RECT frame = win::PixelRect(kFramePlace, dpi);
  const ClassStyle cls{win::kMixerPanelClass, nullptr, nullptr, 0};
  if (!CreateWindowOf(cls, WS_EX_CONTROLPARENT, kFrameCaption, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                      frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, canvas,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(200))))
    return false;

  // Created top of the stack first: the system stacks siblings in creation order.
  bool all = win::RegisterSuperclass(WC_BUTTONW, win::kOptionButtonClass);
  for (const SliderPlace& place : kSliderStack) {
    const MixerSlider& slider = kMixerSliders[static_cast<std::size_t>(place.Number - 1)];
    const win::DesignRow row{TRACKBAR_CLASSW, L"", kChild | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, 0,
                             SliderId(place.Number), place.Place};
    const HWND control = win::CreateDesignedControl(Handle(), row, dpi, nullptr);
    all = control && all;
    SendMessageW(control, TBM_SETRANGEMIN, FALSE, slider.Range.Min);
    SendMessageW(control, TBM_SETRANGEMAX, FALSE, slider.Range.Max);
    // Every step is one: the arrow keys and a click in the channel alike.
    SendMessageW(control, TBM_SETLINESIZE, 0, 1);
    SendMessageW(control, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(control, TBM_SETPOS, TRUE, starts.*slider.Field);
  }
  all = win::CreateDesignedControls(Handle(), kButtons, dpi, plainFont_.Get()) && all;
  all = win::CreateDesignedControl(Handle(), kCloseButton, dpi, boldFont_.Get()) && all;
  all = win::CreateDesignedControls(Handle(), kLabels, dpi, boldFont_.Get()) && all;
  FitCaptions();
  // Themed option buttons ignore the designed caption colour.
  SetWindowTheme(Control(kOption1), L"", L"");
  SetWindowTheme(Control(kOption2), L"", L"");
  SendMessageW(Control(kOption2), BM_SETCHECK, BST_CHECKED, 0);
  for (const MixerSlider& slider : kMixerSliders) TakeSlider(Control(SliderId(slider.Number)));
  TakeScaleFloor();
  return all;
}

void MixerPanel::FitCaptions() {
  // Options wrap beside their circle; labels wrap; buttons keep one line
  // inside their frame.
  const int circle = GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE);
  for (const int id : {kOption1, kOption2}) win::GrowToFitCaption(Control(id), circle, true);
  for (const win::DesignRow& label : kLabels) win::GrowToFitCaption(Control(label.Id), 0, true);
  const int frame = 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
  for (const int id : {kCommand4, kCommand5, kCommand1}) win::GrowToFitCaption(Control(id), frame, false);
}

int MixerPanel::SliderValue(int id) const {
  return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0));
}

void MixerPanel::TakeSlider(HWND control) {
  const int id = GetDlgCtrlID(control);
  for (const MixerSlider& slider : kMixerSliders)
    if (SliderId(slider.Number) == id) params_.*slider.Field = SliderValue(id);
}

void MixerPanel::TakeScaleFloor() {
  wchar_t text[64]{};
  GetWindowTextW(Control(kText1), text, 64);
  params_.ScaleFloor = static_cast<float>(ParseLeadingNumber(text));
}

HWND MixerPanel::NextTabStop(HWND from, bool backwards) const {
  // The sliders in the table's order, then the other controls as created.
  std::vector<HWND> order;
  for (const MixerSlider& slider : kMixerSliders) order.push_back(Control(SliderId(slider.Number)));
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (std::find(order.begin(), order.end(), child) == order.end()) order.push_back(child);
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return nullptr;
  const auto reachable = [](HWND control) {
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
  };
  const std::size_t count = order.size();
  std::size_t index = static_cast<std::size_t>(at - order.begin());
  for (std::size_t step = 0; step < count; ++step) {
    index = backwards ? (index + count - 1) % count : (index + 1) % count;
    if (reachable(order[index])) return order[index];
  }
  return nullptr;
}

void MixerPanel::OnCommand(int id, int code) {
  if (id == kText1 && code == EN_CHANGE) TakeScaleFloor();
  if (code != BN_CLICKED) return;
  switch (id) {
    case kOption1:
    case kOption2:
      if (SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED)
        SetWindowTextW(Control(kText1), id == kOption1 ? kSongFloor : kColumnFloor);
      break;
    case kCommand4:
      if (handlers_.ManyColours) handlers_.ManyColours();
      break;
    case kCommand5:
      if (handlers_.OneColour) handlers_.OneColour();
      break;
    case kCommand1: HidePanel(); break;
    default: break;
  }
}

void MixerPanel::Paint() {
  const win::PaintDc paint(Handle());
  RECT area{};
  GetClientRect(Handle(), &area);
  FillRect(paint.Get(), &area, panelBrush_.Get());
  const win::SelectGuard font(paint.Get(), boldFont_.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(paint.Get(), &metrics);
  // The frame line runs through the middle of the caption, as a group box's does.
  RECT line = area;
  line.top += metrics.tmHeight / 2;
  DrawEdge(paint.Get(), &line, EDGE_ETCHED, BF_RECT);
  SetBkColor(paint.Get(), kPanelColour);
  SetTextColor(paint.Get(), kCaptionColour);
  SetBkMode(paint.Get(), OPAQUE);
  TextOutW(paint.Get(), 8, 0, kFrameCaption, static_cast<int>(wcslen(kFrameCaption)));
}

LRESULT MixerPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      TakeSlider(reinterpret_cast<HWND>(lParam));
      if (reinterpret_cast<HWND>(lParam) == Control(kHScroll1) && handlers_.LineWidthChanged)
        handlers_.LineWidthChanged(SliderValue(kHScroll1));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      // The option buttons, and the labels beneath them, whose edges would
      // otherwise show as a strip below the options.
      if (id == kOption1 || id == kOption2 || id >= kLabel1First + 3) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kOptionTextColour);
        SetBkColor(dc, kPanelColour);
        return reinterpret_cast<LRESULT>(panelBrush_.Get());
      }
      return Window::HandleMessage(message, wParam, lParam);
    }
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace quillane
