// The capture at 96 and 120 dots per inch. Wine reads the setting when a
// process starts, so each dpi runs in a child process of this binary.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "capture/frm_screen_capture.h"
#include "capture_backdrop.h"
#include "fake_services.h"
#include "input_driver.h"
#include "pixel_probe.h"
#include "test_windows.h"
#include "waiting.h"
#include "win32/design_table.h"
#include "win32/kernel_handle.h"
#include "win32/registry_key.h"

namespace quillane::capture {
namespace {

constexpr const wchar_t* kDpiVariable = L"QUILLANE_CAPTURE_CHILD_DPI";
constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

int ChildDpi() {
  wchar_t value[16]{};
  return GetEnvironmentVariableW(kDpiVariable, value, 16) ? _wtoi(value) : 0;
}

// Disabled in ordinary runs: the child process runs it.
TEST(CaptureAtDpiChild, DISABLED_TheFrozenPictureCoversTheWholeScreen) {
  const int dpi = ChildDpi();
  ASSERT_NE(dpi, 0) << "started by CaptureAtDpi";
  ASSERT_EQ(win::ScreenDpi().X, dpi) << "the setting did not take effect";
  const ScreenArea area = VirtualScreen();
  testing::Backdrop backdrop;
  testing_support::FakeDialogs dialogs;
  win::Owned<FrmScreenCapture> capture(CaptureServices{dialogs});
  ASSERT_TRUE(capture.Open(nullptr));
  ShowWindow(capture.Handle(), SW_SHOW);
  UpdateWindow(capture.Handle());

  const testing_support::Pixels frozen = testing_support::BitmapPixels(capture.Surface().Persistent().Bitmap());
  ASSERT_EQ(frozen.Width, area.Width);
  ASSERT_EQ(frozen.Height, area.Height);
  EXPECT_EQ(testing::DifferencesFromBackdrop(frozen, area.Left, area.Top), 0);
  // The bottom-right corner is shown, on the screen.
  const POINT corner{area.Left + area.Width - 1, area.Top + area.Height - 1};
  EXPECT_TRUE(testing_support::WaitUntil(
      [&] { return testing_support::ScreenPixel(corner) == testing::BackdropColour(corner.x, corner.y); }));

  // The strip has its designed size at this dpi; a region moves to the real right and bottom edges.
  const SIZE strip = win::PixelSize(kStripWidthTwips, kStripHeightTwips, {dpi, dpi});
  EXPECT_EQ(capture.Session().Metrics().Strip.Width, strip.cx);
  EXPECT_EQ(capture.Session().Metrics().Strip.Height, strip.cy);
  const auto drag = [&](POINT from, POINT to) {
    testing_support::Drag(capture.Handle(), from, to, testing_support::Delivery::Real);
  };
  drag({10, 10}, {110, 60});
  drag({50, 30}, {area.Width - 1, area.Height - 1});
  EXPECT_EQ(capture.Session().Shown().Frame, (FrameRect{static_cast<float>(area.Width - 100),
                                                        static_cast<float>(area.Height - 50), 100, 50}));

  // The options panel is as wide as the strip for the text tool, and holds
  // the whole palette (its last swatch ends 2360 twips into the colour panel)
  // inside its border for every tool.
  const auto click = [&](int button) {
    const PixelBox& b = capture.Toolbar().Layout().Buttons[static_cast<std::size_t>(button)];
    testing_support::Click(capture.Strip(), {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2},
                           testing_support::Delivery::Real);
  };
  const int palette = 2360 * dpi / 1440;
  for (const int tool : {kTextTool, kRectangleTool}) {
    click(tool);
    const RECT panel = testing_support::PlaceInParent(capture.OptionsPanel());
    const RECT colours = testing_support::PlaceInParent(capture.ColourPanel());
    ASSERT_TRUE(IsWindowVisible(capture.OptionsPanel())) << tool;
    if (tool == kTextTool) EXPECT_EQ(panel.right - panel.left, strip.cx);
    EXPECT_LE(colours.right, panel.right - panel.left - 1) << tool;
    EXPECT_GE(colours.right - colours.left, palette) << tool;
  }
}

std::optional<DWORD> ReadLogPixels() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

void WriteLogPixels(std::optional<DWORD> value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS)
    return;
  const win::RegistryKey key(opened);
  if (value)
    RegSetValueExW(key.Get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value), sizeof *value);
  else
    RegDeleteValueW(key.Get(), L"LogPixels");
}

// Runs the child test at `dpi`; its exit code.
DWORD RunChildAt(int dpi) {
  wchar_t exe[MAX_PATH]{};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_also_run_disabled_tests --gtest_filter=CaptureAtDpiChild.*";
  SetEnvironmentVariableW(kDpiVariable, std::to_wstring(dpi).c_str());
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kDpiVariable, nullptr);
  if (!started) return 0xFFFFFFFF;
  const win::KernelHandle thread(process.hThread), child(process.hProcess);
  DWORD code = 0xFFFFFFFE;
  if (WaitForSingleObject(child.Get(), 120000) == WAIT_OBJECT_0) GetExitCodeProcess(child.Get(), &code);
  else TerminateProcess(child.Get(), code);
  return code;
}

TEST(CaptureAtDpi, TheFrozenPictureCoversTheWholeScreenAt96And120Dpi) {
  const std::optional<DWORD> before = ReadLogPixels();
  for (const int dpi : {96, 120}) {
    WriteLogPixels(static_cast<DWORD>(dpi));
    EXPECT_EQ(RunChildAt(dpi), 0u) << "at " << dpi << " dpi";
  }
  WriteLogPixels(before);
  EXPECT_EQ(ReadLogPixels(), before);
}

}  // namespace
}  // namespace quillane::capture
