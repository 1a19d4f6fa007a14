// The skin and the mixer at 96, 120 and 144 dots per inch, each in a child
// process of this binary (Wine reads the setting when a process starts).
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "dpi_child.h"
#include "win32/gdi.h"

using quillane::testing_support::ChildDpi;
#include "pattern/mixer_panel.h"
#include "pixel_probe.h"
#include "skin/skinner.h"
#include "skin_test_support.h"
#include "test_windows.h"
#include "win32/design_table.h"
#include "win32/message_loop.h"

namespace quillane {
namespace {

using testing_support::Pixels;

std::wstring Text(HWND w) {
  wchar_t text[128]{};
  GetWindowTextW(w, text, 128);
  return text;
}

// Whether the caption of `control` reads whole in the width it leaves for
// text: no word wider than that, and all its lines within the height.
void ExpectCaptionWhole(HWND control, int reserved, bool wraps) {
  const std::wstring text = Text(control);
  RECT client{};
  GetClientRect(control, &client);
  const int width = client.right - reserved;
  const win::WindowDc owned(control);
  const HDC dc = owned.Get();
  const win::SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  // Lines break at spaces and beside Chinese characters; every piece between
  // two such places must fit.
  const auto ideograph = [](wchar_t c) { return c >= 0x2E80; };
  std::size_t start = 0;
  for (std::size_t i = 1; wraps && i <= text.size(); ++i) {
    if (i < text.size() && text[i] != L' ' && !ideograph(text[i]) && !ideograph(text[i - 1])) continue;
    SIZE piece{};
    GetTextExtentPoint32W(dc, text.c_str() + start, static_cast<int>(i - start), &piece);
    EXPECT_LE(piece.cx, width) << testing::PrintToString(text.substr(start, i - start)) << " at " << ChildDpi();
    start = i < text.size() && text[i] == L' ' ? i + 1 : i;
  }
  if (!wraps) {
    SIZE whole{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    EXPECT_LE(whole.cx, width) << testing::PrintToString(text) << " at " << ChildDpi();
  }
  RECT lines{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &lines, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  EXPECT_LE(lines.bottom, client.bottom) << "the lines of " << testing::PrintToString(text);
}

// The non-background pixels of the option's circle: as wide as high, the
// same mirrored left to right and top to bottom.
void ExpectRoundCircle(HWND option, int diameter) {
  const Pixels shown = testing_support::WindowPixels(option);
  const COLORREF background = shown.At(0, 0);
  // The system's box, where the caption does not reach.
  const int reach = std::min<int>(shown.Width, std::max(GetSystemMetrics(SM_CXMENUCHECK), diameter) + 1);
  int left = reach, right = -1, top = shown.Height, bottom = -1;
  for (int y = 0; y < shown.Height; ++y)
    for (int x = 0; x < reach; ++x)
      if (shown.At(x, y) != background) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_EQ(right - left + 1, diameter);
  ASSERT_EQ(bottom - top + 1, diameter);
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const bool ink = shown.At(x, y) != background;
      EXPECT_EQ(ink, shown.At(right - (x - left), y) != background) << "mirrored at " << x - left << ", " << y - top;
      EXPECT_EQ(ink, shown.At(x, bottom - (y - top)) != background) << "upside down at " << x - left << ", " << y - top;
    }
}

TEST(SkinAtDpiChild, DISABLED_CirclesAreRoundAndMixerCaptionsReadWhole) {
  const int dpi = testing_support::ChildDpi();
  ASSERT_NE(dpi, 0) << "started by SkinAtDpi";
  ASSERT_EQ(win::ScreenDpi().Y, dpi) << "the setting did not take effect";
  const HWND canvas = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 320, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  win::Owned<MixerPanel> panel;
  ASSERT_TRUE(panel.Create(canvas, PatternParams{}, {}));
  ASSERT_EQ(skin::StartSkin(canvas), 1);
  panel.ShowPanel();
  RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  win::PumpPendingMessages();

  const int circle = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  for (const int id : {kOption1, kOption2}) ExpectCaptionWhole(panel.Control(id), circle, true);
  for (int id = kLabel1First; id < kLabel1First + 3; ++id) ExpectCaptionWhole(panel.Control(id), 0, true);
  for (const int id : {kCommand4, kCommand5, kCommand1}) ExpectCaptionWhole(panel.Control(id), 6, false);
  // The design's places stay.
  const RECT option = testing_support::PlaceInParent(panel.Control(kOption2));
  const RECT designed = win::PixelRect({1680, 1830, 885, 465}, {dpi, dpi});
  EXPECT_EQ(option.left, designed.left);
  EXPECT_EQ(option.top, designed.top);

  const int diameter = static_cast<int>(std::nearbyint(13 * dpi / 96.0));
  {
    SCOPED_TRACE("unchosen option");
    ExpectRoundCircle(panel.Control(kOption1), diameter);
  }
  {
    SCOPED_TRACE("chosen option");
    ExpectRoundCircle(panel.Control(kOption2), diameter);
  }
  DestroyWindow(canvas);
  win::PumpPendingMessages();
  EXPECT_EQ(skin::SkinnedCount(), 0);
}

TEST(SkinAtDpi, CirclesAreRoundAndMixerCaptionsReadWholeAt96120And144Dpi) {
  testing_support::ExpectChildrenPassAt({96, 120, 144}, L"SkinAtDpiChild.*");
}

}  // namespace
}  // namespace quillane
