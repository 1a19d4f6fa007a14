#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include "export/file_output.h"
#include "win32/kernel_handle.h"
#include "export/picture_pixels.h"
#include "export_test_support.h"
#include "main_window_fixture.h"
#include "test_windows.h"

namespace quillane {
namespace {

namespace support = exporting::wine_tests;

class CanvasSaveTest : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr), Gdiplus::Ok);
    MainWindowTest::SetUp();
    Open();
    StopTimers();
    Tick(1200, {TimerKind::Timer1});
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    Gdiplus::GdiplusShutdown(gdiplusToken);
  }

  // A menu session that opens the "保存(save)" menu and closes it again, as a click does.
  void ClickSaveMenu() {
    window.SetTimerEnabled(TimerKind::Timer1, false);
    const HMENU save = GetSubMenu(GetMenu(window.Handle()), kSaveMenuPosition);
    SendMessageW(window.Handle(), WM_ENTERMENULOOP, FALSE, 0);
    SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(save), MAKELPARAM(kSaveMenuPosition, 0));
    SendMessageW(window.Handle(), WM_EXITMENULOOP, FALSE, 0);
    win::PumpPendingMessages();
  }
  void Grab() { RunMenu(kMenuCapture); }

  ULONG_PTR gdiplusToken = 0;
  support::TemporaryFolder folder;
};

TEST_F(CanvasSaveTest, SavesTheGrabAsABmpFileWithEqualPixels) {
  Grab();
  const std::wstring path = folder.File(L"flowers.bmp");
  dialogs.SaveAnswers = {path};
  ClickSaveMenu();

  ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
  EXPECT_EQ(dialogs.SaveRequests[0].DefaultExtension, L"BMP");
  EXPECT_EQ(dialogs.SaveRequests[0].Filter, std::wstring(L"Bitmap Image (*.bmp)\0*.bmp\0", 27));
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer1));

  const auto bytes = support::FileBytes(path);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[28], 24) << "bits per pixel";
  const auto decoded = support::DecodeWithGdiplus(path);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->RawFormat, Gdiplus::ImageFormatBMP);
  const exporting::PixelImage grabbed = exporting::ReadPicturePixels(window.GrabbedPicture());
  ASSERT_EQ(decoded->Image.Width, grabbed.Width);
  ASSERT_EQ(decoded->Image.Height, grabbed.Height);
  const auto error = support::Compare(support::Masked(grabbed), decoded->Image);
  EXPECT_EQ(error.Max, 0);
  int coloured = 0;
  for (auto pixel : grabbed.Pixels) coloured += (pixel & exporting::kColourMask) != 0;
  EXPECT_GT(coloured, 100) << "the grab holds the flowers";
}

TEST_F(CanvasSaveTest, CancelAndSaveBeforeAnyGrabWriteNothingAndSayNothing) {
  const std::wstring path = folder.File(L"nothing.bmp");
  dialogs.SaveAnswers = {path};  // nothing grabbed yet
  ClickSaveMenu();
  EXPECT_FALSE(support::FileExists(path));
  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer1));

  Grab();
  dialogs.SaveAnswers = {std::nullopt};  // cancelled
  ClickSaveMenu();
  EXPECT_FALSE(support::FileExists(path));
  EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer1));
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_EQ(dialogs.SaveRequests.size(), 2u);
}

TEST_F(CanvasSaveTest, AFileThatCannotBeWrittenIsReportedWithItsNameAndReason) {
  Grab();
  // A name that is a folder, a folder that does not exist, a name Windows refuses.
  const std::wstring targets[] = {folder.File(L""), folder.File(L"no such folder\\flowers.bmp"),
                                  folder.File(L"bad<name>.bmp")};
  for (const std::wstring& target : targets) {
    dialogs.Messages.clear();
    dialogs.SaveAnswers = {target};
    ClickSaveMenu();
    ASSERT_EQ(dialogs.Messages.size(), 1u) << std::string(target.begin(), target.end());
    EXPECT_EQ(dialogs.Messages[0].Title, L"错误");
    EXPECT_NE(dialogs.Messages[0].Text.find(target), std::wstring::npos) << "names the file";
    EXPECT_GT(dialogs.Messages[0].Text.size(), target.size() + 30) << "and gives the reason";
    EXPECT_TRUE(window.TimerEnabled(TimerKind::Timer1));
  }
}

// A save over an existing file that fails, on a disk that fills up halfway
// or with the file held by another program, keeps the old file as it was.
TEST_F(CanvasSaveTest, ASaveThatFailsKeepsTheOldFileAsItWas) {
  Grab();
  const std::wstring path = folder.File(L"flowers.bmp");
  const std::string old = "yesterday's flowers";
  for (const bool diskFull : {true, false}) {
    SCOPED_TRACE(diskFull ? "disk full" : "held open");
    std::ofstream(std::filesystem::path(path), std::ios::binary) << old;
    dialogs.Messages.clear();
    dialogs.SaveAnswers = {path};
    win::FileHandle held;
    if (diskFull)
      disk.SpaceLeft = 4096;
    else
      held.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    ClickSaveMenu();
    held.Reset();
    disk.SpaceLeft.reset();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    const std::wstring& text = dialogs.Messages[0].Text;
    EXPECT_NE(text.find(path), std::wstring::npos) << "names the file";
    if (diskFull)
      EXPECT_NE(text.find(exporting::SystemErrorText(ERROR_DISK_FULL)), std::wstring::npos) << "and the reason";
    EXPECT_EQ(dialogs.Messages[0].Style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(support::FileBytes(path), std::vector<std::uint8_t>(old.begin(), old.end()));
    EXPECT_EQ(support::FileNames(folder.File(L"")), std::set<std::wstring>{L"flowers.bmp"});
  }
}

}  // namespace
}  // namespace quillane
