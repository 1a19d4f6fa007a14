// frmConfig's texts must be legible: its font has a glyph for every Chinese
// character it shows, and the controls put them on screen. Set
// QUILLANE_LOOK_SECONDS to keep the dialog up for a screenshot.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "config/frm_config.h"
#include "config/frm_config_design.h"
#include "config/registry_settings_store.h"
#include "test_windows.h"
#include "win32/design_table.h"
#include "win32/gdi.h"
#include "win32/message_loop.h"

namespace quillane::win {
namespace {

namespace design = frmConfigDesign;
using testing_support::PlaceInParent;
using testing_support::WindowText;

// Pixels of the control's own painting that differ from the dialog background.
int InkedPixels(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  const WindowDc screen(nullptr);
  MemoryDc memory(screen.Get());
  Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), r.right, r.bottom));
  SelectGuard select(memory.Get(), bitmap.Get());
  const Brush background(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(memory.Get(), &r, background.Get());
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  int inked = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) inked += GetPixel(memory.Get(), x, y) != face;
  return inked;
}

class ConfigLook : public testing::Test {
 protected:
  // Not shown: the controls paint on request (WM_PRINTCLIENT).
  void SetUp() override { ASSERT_TRUE(dialog_.Create()); }
  void Pump() { PumpPendingMessages(); }
  HWND Item(int id) const { return GetDlgItem(dialog_.Handle(), id); }
  std::vector<HWND> TextControls() const {
    std::vector<HWND> controls;
    for (std::size_t i = 0; i < design::kLabel1Count; ++i) controls.push_back(Item(design::Label1(i)));
    controls.push_back(Item(design::Label2));
    controls.push_back(Item(design::cmdOK));
    controls.push_back(Item(design::cmdCancel));
    return controls;
  }

  RegistrySettingsStore store_;
  Owned<frmConfig> dialog_{store_};
};

TEST_F(ConfigLook, FontHasAGlyphForEveryCharacterShown) {
  for (HWND control : TextControls()) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    const WindowDc dc(control);
    SelectGuard select(dc.Get(), font);
    const std::wstring text = WindowText(control);
    std::vector<WORD> glyphs(text.size());
    ASSERT_NE(GetGlyphIndicesW(dc.Get(), text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                               GGI_MARK_NONEXISTING_GLYPHS),
              GDI_ERROR);
    for (std::size_t i = 0; i < text.size(); ++i)
      EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i << " of control " << GetDlgCtrlID(control);
  }
}

TEST_F(ConfigLook, FontIsNinePointsAtTheDisplayDpi) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(Item(design::Label2), WM_GETFONT, 0, 0));
  LOGFONTW logical{};
  ASSERT_TRUE(GetObjectW(font, sizeof logical, &logical));
  EXPECT_EQ(logical.lfHeight, -MulDiv(9, ScreenDpi().Y, 72));
  EXPECT_STREQ(logical.lfFaceName, L"宋体");
}

TEST_F(ConfigLook, LabelsAndButtonsPaintTheirTexts) {
  for (HWND control : TextControls()) EXPECT_GT(InkedPixels(control), 10) << GetDlgCtrlID(control);

  if (const char* seconds = std::getenv("QUILLANE_LOOK_SECONDS")) {
    dialog_.Show();
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(seconds)) * 1000;
    while (GetTickCount() < until && dialog_.Exists()) {
      Pump();
      Sleep(20);
    }
  }
}

}  // namespace
}  // namespace quillane::win
