// frmConfig as a user meets it: real windows, real messages, the real registry
// of the Wine prefix.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "config/frm_config.h"
#include "config/frm_config_design.h"
#include "config/registry_settings_store.h"
#include "config/saver_settings_store.h"
#include "test_windows.h"
#include "win32/message_loop.h"

namespace quillane::win {
namespace {

namespace design = frmConfigDesign;
using testing_support::PlaceInParent;
using testing_support::WindowText;

constexpr wchar_t kSettingsKey[] = L"Software\\Vorsting_Flower\\Config";
constexpr std::array<const wchar_t*, 6> kKeys = {L"Qty", L"Size", L"Width", L"Petals", L"Forked", L"Speed"};

// Read and written straight through the registry API, not through the store under test.
std::optional<std::wstring> StoredText(const wchar_t* key) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, key, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text);
}

void StoreText(const wchar_t* key, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, key, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void StoreAll(const std::wstring& text) {
  for (const wchar_t* key : kKeys) StoreText(key, text);
}

void ExpectStored(const std::array<const wchar_t*, 6>& expected) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    const auto text = StoredText(kKeys[i]);
    ASSERT_TRUE(text.has_value()) << "key " << kKeys[i];
    EXPECT_EQ(*text, expected[i]) << "key " << kKeys[i];
  }
}

class ConfigDialog : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower"); }
  void TearDown() override {
    dialog_.Destroy();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vorsting_Flower");
  }

  // Built but not shown: enough to inspect the design, and quick to tear down
  // (Wine without a window manager waits two seconds for each shown window to unmap).
  void Build() { ASSERT_TRUE(dialog_.Create()); }
  // Shown and active, as the user meets it.
  void Open() {
    Build();
    dialog_.Show();
    Pump();
  }
  HWND Item(int id) const { return GetDlgItem(dialog_.Handle(), id); }
  HWND Slider(std::size_t i) const { return Item(design::Slider1(i)); }
  int Position(std::size_t i) const { return static_cast<int>(SendMessageW(Slider(i), TBM_GETPOS, 0, 0)); }
  void SetPositions(const std::array<int, 6>& positions) {
    for (std::size_t i = 0; i < positions.size(); ++i) SendMessageW(Slider(i), TBM_SETPOS, TRUE, positions[i]);
  }
  // The program's message loop: dialog keys first, then the window procedures.
  void Pump() { PumpPendingMessages(); }
  void PressKey(WPARAM key) {
    HWND focus = GetFocus();
    ASSERT_TRUE(focus == dialog_.Handle() || IsChild(dialog_.Handle(), focus));
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
  }
  bool IsDefaultButton(int id) const {
    return (GetWindowLongPtrW(Item(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }

  win::RegistrySettingsStore store_;
  Owned<frmConfig> dialog_{store_};
};

TEST_F(ConfigDialog, HasItsCaptionAndAFixedToolWindowBorderWithoutOwner) {
  Open();
  HWND window = dialog_.Handle();
  EXPECT_EQ(WindowText(window), L"配置");
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(style & WS_CHILD);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(ConfigDialog, TitleLineCarriesTheProgramVersion) {
  Build();
  EXPECT_EQ(WindowText(Item(design::Label2)), L"万花筒屏幕保护 (v7.1)");
}

TEST_F(ConfigDialog, EndLabelsAndButtonsReadAsDesigned) {
  Build();
  const std::array<const wchar_t*, 12> labels = {L"少",   L"多",   L"小花", L"大花", L"单薄", L"丰满",
                                                 L"稀疏", L"稠密", L"尖锐", L"分叉", L"快",   L"慢"};
  for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(WindowText(Item(design::Label1(i))), labels[i]) << i;
  EXPECT_EQ(WindowText(Item(design::cmdOK)), L"确定");
  EXPECT_EQ(WindowText(Item(design::cmdCancel)), L"取消");
}

TEST_F(ConfigDialog, ControlsSitWhereDesignedAt96Dpi) {
  const DisplayDpi dpi = ScreenDpi();
  if (dpi.X != 96 || dpi.Y != 96) GTEST_SKIP() << "display is not at 96 dpi";
  Build();
  RECT client{};
  GetClientRect(dialog_.Handle(), &client);
  EXPECT_EQ(client.right, 298);   // 4470 twips
  EXPECT_EQ(client.bottom, 250);  // 3750 twips

  const auto expectAt = [&](int id, int left, int top, int width, int height) {
    const RECT r = PlaceInParent(Item(id));
    EXPECT_EQ(r.left, left) << "control " << id;
    EXPECT_EQ(r.top, top) << "control " << id;
    EXPECT_EQ(r.right - r.left, width) << "control " << id;
    EXPECT_EQ(r.bottom - r.top, height) << "control " << id;
  };
  const std::array<int, 6> sliderTops = {12, 40, 72, 104, 136, 168};
  const std::array<int, 6> labelTops = {16, 48, 80, 112, 144, 176};
  for (std::size_t row = 0; row < 6; ++row) {
    expectAt(design::Slider1(row), 48, sliderTops[row], 201, 25);
    expectAt(design::Label1(2 * row), 8, labelTops[row], 33, 17);
    expectAt(design::Label1(2 * row + 1), 256, labelTops[row], 33, 17);
  }
  expectAt(design::Label2, 0, 232, 297, 17);
  expectAt(design::cmdOK, 80, 200, 65, 25);  // 972 x 372 twips
  expectAt(design::cmdCancel, 152, 200, 65, 25);
}

TEST_F(ConfigDialog, SlidersAreTrackBarsFromZeroToTen) {
  Build();
  for (std::size_t i = 0; i < 6; ++i) {
    wchar_t cls[64] = {};
    GetClassNameW(Slider(i), cls, 64);
    EXPECT_STREQ(cls, TRACKBAR_CLASSW);
    EXPECT_EQ(SendMessageW(Slider(i), TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(Slider(i), TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(SendMessageW(Slider(i), TBM_GETNUMTICS, 0, 0), 11);  // one per whole step
  }
}

TEST_F(ConfigDialog, OkClickStoresTheSixValuesAsText) {
  Open();
  SetPositions({3, 10, 0, 1, 9, 5});
  SendMessageW(Item(design::cmdOK), BM_CLICK, 0, 0);
  Pump();
  ExpectStored({L"3", L"10", L"0", L"1", L"9", L"5"});
  EXPECT_FALSE(dialog_.Exists());
  EXPECT_EQ(dialog_.Result(), frmConfig::Outcome::Confirmed);
}

TEST_F(ConfigDialog, EnterConfirmsThroughTheDefaultButton) {
  Open();
  EXPECT_TRUE(IsDefaultButton(design::cmdOK));
  ASSERT_EQ(GetFocus(), Slider(0));
  SetPositions({6, 5, 4, 3, 2, 1});
  PressKey(VK_RETURN);
  ExpectStored({L"6", L"5", L"4", L"3", L"2", L"1"});
  EXPECT_FALSE(dialog_.Exists());
}

TEST_F(ConfigDialog, EnterOnTheFocusedCancelButtonStoresNothing) {
  Open();
  SetFocus(Item(design::cmdCancel));
  Pump();
  EXPECT_TRUE(IsDefaultButton(design::cmdCancel));
  EXPECT_FALSE(IsDefaultButton(design::cmdOK));
  PressKey(VK_RETURN);
  EXPECT_FALSE(dialog_.Exists());
  EXPECT_EQ(dialog_.Result(), frmConfig::Outcome::Cancelled);
  EXPECT_FALSE(StoredText(L"Qty").has_value());
}

TEST_F(ConfigDialog, LeavingCancelGivesEnterBackToOk) {
  StoreAll(L"0");
  Open();
  SetFocus(Item(design::cmdCancel));
  Pump();
  SetFocus(Slider(3));
  Pump();
  EXPECT_TRUE(IsDefaultButton(design::cmdOK));
  EXPECT_FALSE(IsDefaultButton(design::cmdCancel));
  PressKey(VK_RETURN);
  EXPECT_EQ(dialog_.Result(), frmConfig::Outcome::Confirmed);
  ExpectStored({L"0", L"0", L"0", L"0", L"0", L"0"});
}

TEST_F(ConfigDialog, EscapeCancelsAndStoresNothing) {
  StoreAll(L"4");
  Open();
  SetPositions({9, 9, 9, 9, 9, 9});
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(dialog_.Exists());
  ExpectStored({L"4", L"4", L"4", L"4", L"4", L"4"});
}

TEST_F(ConfigDialog, TabRunsThroughTheSlidersThenTheButtons) {
  Open();
  ASSERT_EQ(GetFocus(), Slider(0));
  for (std::size_t i = 1; i < 6; ++i) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Slider(i));
  }
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), Item(design::cmdOK));
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), Item(design::cmdCancel));
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), Slider(0));
}

TEST_F(ConfigDialog, ArrowKeysMoveTheFocusedSlider) {
  Open();
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  EXPECT_EQ(Position(0), 2);
  PressKey(VK_END);
  EXPECT_EQ(Position(0), 10);
}

TEST_F(ConfigDialog, CancelStoresNothing) {
  StoreAll(L"4");
  Open();
  SetPositions({9, 9, 9, 9, 9, 9});
  SendMessageW(Item(design::cmdCancel), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(dialog_.Exists());
  EXPECT_EQ(dialog_.Result(), frmConfig::Outcome::Cancelled);
  ExpectStored({L"4", L"4", L"4", L"4", L"4", L"4"});
}

TEST_F(ConfigDialog, ClosingTheWindowStoresNothing) {
  Open();
  SetPositions({9, 9, 9, 9, 9, 9});
  SendMessageW(dialog_.Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(dialog_.Exists());
  EXPECT_EQ(dialog_.Result(), frmConfig::Outcome::Cancelled);
  for (const wchar_t* key : kKeys) EXPECT_FALSE(StoredText(key).has_value()) << key;
}

TEST_F(ConfigDialog, OpensShowingTheStoredValues) {
  StoreText(L"Qty", L"7");
  StoreText(L"Width", L"11");  // clamped for display
  StoreText(L"Petals", L"abc");
  StoreText(L"Forked", L"2");
  StoreText(L"Speed", L"10");
  Build();  // "Size" was never stored, "Petals" is unreadable: both show their designed positions
  const std::array<int, 6> expected = {7, DesignedSliderPosition(1), 10, DesignedSliderPosition(3), 2, 10};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(Position(i), expected[i]) << kKeys[i];
}

TEST_F(ConfigDialog, OkWithoutChangesKeepsTheDesignedSaver) {
  // Nothing stored: confirming the dialog as it opens must not change the saver.
  Open();
  PressKey(VK_RETURN);
  ASSERT_FALSE(dialog_.Exists());
  const PatternParams starts = LoadStartParams(store_);
  const PatternParams designed;
  for (const MixerSlider& slider : kMixerSliders)
    EXPECT_EQ(starts.*slider.Field, designed.*slider.Field) << "HScroll" << slider.Number;
}

TEST_F(ConfigDialog, ReopeningShowsWhatOkStored) {
  Open();
  SetPositions({1, 2, 3, 8, 9, 10});
  SendMessageW(Item(design::cmdOK), BM_CLICK, 0, 0);
  Pump();
  ASSERT_FALSE(dialog_.Exists());
  Build();
  const std::array<int, 6> expected = {1, 2, 3, 8, 9, 10};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(Position(i), expected[i]) << kKeys[i];
}

}  // namespace
}  // namespace quillane::win
