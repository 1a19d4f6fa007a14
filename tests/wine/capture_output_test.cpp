// Copying the capture's region to the clipboard and saving it to files:
// what another program pastes, what a decoder reads back, and that nothing
// is lost when the clipboard is busy, the dialog is cancelled or fails, or
// the file cannot be written.
#include <windows.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>

#include "capture_fixture.h"
#include "dialog_script.h"
#include "export/gdiplus_objects.h"
#include "export_test_support.h"

namespace quillane::capture {
namespace {

using namespace testing;
using exporting::wine_tests::TemporaryFolder;
using testing_support::Delivery;
using testing_support::Pixels;
using testing_support::WaitUntil;

// A file as a decoder reads it, in the probes' colours.
std::optional<Pixels> Decoded(const std::wstring& path) {
  const auto decoded = exporting::wine_tests::DecodeWithGdiplus(path);
  if (!decoded) return std::nullopt;
  Pixels pixels{decoded->Image.Width, decoded->Image.Height, {}};
  for (const std::uint32_t p : decoded->Image.Pixels) pixels.Data.push_back(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
  return pixels;
}

// The largest difference of any channel of any pixel.
int LargestDifference(const Pixels& a, const Pixels& b) {
  if (a.Width != b.Width || a.Height != b.Height) return 256;
  int largest = 0;
  for (std::size_t i = 0; i < a.Data.size(); ++i)
    for (const int shift : {0, 8, 16})
      largest = std::max(largest, std::abs(static_cast<int>(a.Data[i] >> shift & 0xFF) -
                                           static_cast<int>(b.Data[i] >> shift & 0xFF)));
  return largest;
}

class CaptureOutputTest : public CaptureFixture {
 protected:
  // Drags out the region and returns its pixels in the window.
  PixelBox Region(int left, int top, int right, int bottom) {
    Drag(left, top, right, bottom);
    return {left, top, right, bottom};
  }
  exporting::GdiplusSession gdiplus;  // for the decoders
  TemporaryFolder folder;
};

enum class CopyWay { Button, DoubleClick };

class CaptureCopyTest : public CaptureOutputTest, public ::testing::WithParamInterface<CopyWay> {};

TEST_P(CaptureCopyTest, HoldsTheFrozenRegionWithItsAnnotationsAndNothingElse) {
  // Near the bottom: the strip lies inside the region and the panel above it.
  const int bottom = area.Height - 3;
  const PixelBox region = Region(200, bottom - 200, 520, bottom);
  ClickButton(kRectangleTool);
  ASSERT_LT(PlaceOf(capture.OptionsPanel()).top, PlaceOf(capture.Strip()).top);
  SetPixel(capture.Surface().BackingDc(), 250, bottom - 150, RGB(255, 0, 0));
  capture.Surface().NoteDrawn();
  ASSERT_TRUE(capture.Session().PushSnapshot());
  // Another program's window on top, a hover frame and a tooltip.
  const testing_support::PlainWindow other(L"另一个程序", 90, 60, WS_POPUP | WS_VISIBLE | WS_BORDER);
  SetWindowPos(other.Handle(), HWND_TOPMOST, area.Left + 210, area.Top + bottom - 190, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  testing_support::MoveMouse(capture.Strip(), ButtonMiddle(kCopyButton), Delivery::Real);
  WaitUntil([&] { return IsWindowVisible(capture.Toolbar().Tooltip()) != FALSE; });
  PutClipboardText(L"before");

  if (GetParam() == CopyWay::Button)
    ClickButton(kCopyButton);
  else
    testing_support::DoubleClick(capture.Handle(), {230, bottom - 60}, Delivery::Real);
  EXPECT_FALSE(capture.Exists());
  Pixels expected = RegionOfBackdrop(region);
  expected.Data[static_cast<std::size_t>(50 * expected.Width + 50)] = RGB(255, 0, 0);
  // The double-click's clicks, with the rectangle tool chosen, leave no mark.
  const auto copied = ClipboardPixels();
  ASSERT_TRUE(copied);
  EXPECT_EQ(*copied, expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, CaptureCopyTest, ::testing::Values(CopyWay::Button, CopyWay::DoubleClick));

TEST_F(CaptureOutputTest, NothingIsCopiedOutsideTheRegionOrFromAnEmptyOne) {
  PutClipboardText(L"mine");
  Region(100, 100, 400, 300);
  Click(200, 200);  // a press inside, then a double-click outside
  testing_support::DoubleClick(capture.Handle(), {600, 500}, Delivery::Real);
  ASSERT_TRUE(capture.Exists());
  ASSERT_EQ(Session().State().captureMode, CaptureMode::Move);
  ASSERT_EQ(Frame().Width, 0) << "the double-click left an empty region at its point";
  testing_support::DoubleClick(capture.Handle(), {600, 500}, Delivery::Real);
  ClickButton(kCopyButton);
  ClickButton(kSaveButton);
  EXPECT_TRUE(capture.Exists());
  EXPECT_TRUE(dialogs.SaveRequests.empty());
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_EQ(ClipboardText(), L"mine");
}

TEST_F(CaptureOutputTest, ABusyClipboardIsTriedAgainThenReportedAndTheRegionStays) {
  PutClipboardText(L"mine");
  const PixelBox region = Region(100, 100, 400, 300);
  {
    const ClipboardHolder busy;
    int failed = 0;
    betweenClipboardAttempts = [&](int attempts) { failed = attempts; };  // no pause needed
    ClickButton(kCopyButton);
    betweenClipboardAttempts = nullptr;
    EXPECT_EQ(failed, 9) << "tried ten times";
  }
  ASSERT_TRUE(capture.Exists());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Owner, capture.Handle());
  EXPECT_NE(dialogs.Messages[0].Text.find(L"剪贴板"), std::wstring::npos);
  EXPECT_EQ(Frame(), (FrameRect{100, 100, 300, 200}));
  EXPECT_TRUE(Visible(capture.Strip()));
  EXPECT_EQ(ClipboardText(), L"mine");
  {
    // Let go while the copy is still trying: after its first attempt failed.
    ClipboardHolder briefly;
    int failed = 0;
    betweenClipboardAttempts = [&](int attempts) {
      failed = attempts;
      briefly.Release();
    };
    SendLeftClick(capture.Strip(), ButtonMiddle(kCopyButton));
    betweenClipboardAttempts = nullptr;
    EXPECT_EQ(failed, 1);
  }
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(ClipboardPixels(), RegionOfBackdrop(region));
}

// Writes the clipboard's bitmap (CF_DIB) to the file QUILLANE_CLIPBOARD_FILE
// names; run as another process by the test below.
TEST(CaptureClipboardReaderChild, DISABLED_WritesTheClipboardBitmapToAFile) {
  wchar_t path[MAX_PATH]{};
  ASSERT_TRUE(GetEnvironmentVariableW(L"QUILLANE_CLIPBOARD_FILE", path, MAX_PATH));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HANDLE dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  const DWORD size = static_cast<DWORD>(GlobalSize(dib));
  const DWORD masks = header->biCompression == BI_BITFIELDS ? 12 : 0;
  const DWORD colours = header->biBitCount <= 8 ? (header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount) : 0;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + size), 0, 0,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + header->biSize + masks + colours * 4)};
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(header), size);
  GlobalUnlock(dib);
  CloseClipboard();
}

// Starts `command` with its output into `outputFile`. The process's handle;
// Wine gives none for a Unix program.
win::KernelHandle Start(std::wstring command, const std::wstring& outputFile) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const win::FileHandle output(
      CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output.Get();
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  const win::KernelHandle thread(process.hThread);
  return win::KernelHandle(process.hProcess);
}

// The exit code of a started process, once it has ended.
DWORD ExitCode(const win::KernelHandle& process) {
  DWORD code = 0xFFFFFFFF;
  if (WaitUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, 60000))
    GetExitCodeProcess(process.Get(), &code);
  return code;
}

// The file holds as many bytes as its BMP header says.
bool HoldsAWholeBmp(const std::wstring& path) {
  const auto bytes = exporting::wine_tests::FileBytes(path);
  if (bytes.size() < sizeof(BITMAPFILEHEADER)) return false;
  BITMAPFILEHEADER header{};
  std::memcpy(&header, bytes.data(), sizeof header);
  return header.bfType == 0x4D42 && bytes.size() >= header.bfSize;
}

TEST_F(CaptureOutputTest, AnotherProgramAndAnXClientPasteTheRegion) {
  const PixelBox region = Region(100, 100, 420, 340);
  ClickButton(kCopyButton);
  ASSERT_FALSE(capture.Exists());
  const Pixels expected = RegionOfBackdrop(region);

  wchar_t exe[MAX_PATH]{};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring fromProcess = folder.File(L"from another process.bmp");
  SetEnvironmentVariableW(L"QUILLANE_CLIPBOARD_FILE", fromProcess.c_str());
  EXPECT_EQ(ExitCode(Start(L"\"" + std::wstring(exe) +
                                L"\" --gtest_also_run_disabled_tests --gtest_filter=CaptureClipboardReaderChild.*",
                            folder.File(L"child.log"))),
            0u);
  SetEnvironmentVariableW(L"QUILLANE_CLIPBOARD_FILE", nullptr);
  EXPECT_EQ(Decoded(fromProcess), expected);

  // Wine offers the bitmap to the X clients as image/bmp.
  ASSERT_TRUE(std::filesystem::exists("/usr/bin/xclip")) << "xclip is missing: run scripts/install-deps.sh";
  const std::wstring fromX = folder.File(L"from xclip.bmp");
  Start(L"/usr/bin/xclip -selection clipboard -t image/bmp -o", fromX);
  EXPECT_TRUE(WaitUntil([&] { return HoldsAWholeBmp(fromX); }, 20000));
  EXPECT_EQ(Decoded(fromX), expected);
}

TEST_F(CaptureOutputTest, TheSaveDialogBelongsToTheCaptureAndAsksAsDesigned) {
  const PixelBox region = Region(100, 100, 420, 340);
  HWND window = capture.Handle();
  ClickButton(kSaveButton);  // cancelled
  ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
  const win::SaveFileRequest& request = dialogs.SaveRequests[0];
  EXPECT_EQ(dialogs.SaveOwners[0], window);
  EXPECT_EQ(request.Title, L"保存为");
  EXPECT_EQ(request.DefaultExtension, L"PNG");
  using namespace std::string_literals;
  EXPECT_EQ(request.Filter, L"PNG文件(*.PNG)\0*.PNG\0JPEG文件(*.jpg;*.jpeg)\0*.jpg;*.jpeg\0位图文件(*.bmp)\0*.bmp\0"
                            L"GIF文件(*.gif)\0*.gif\0TIFF文件(*.TIFF)\0*.tif;*.tiff\0所有文件(*.*)\0*.*\0"s);
  wchar_t exe[MAX_PATH]{};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(std::filesystem::path(request.InitialFolder), std::filesystem::path(exe).parent_path() / "");
  // A cancel closes, with the region on the clipboard.
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(ClipboardPixels(), RegionOfBackdrop(region));
}

class CaptureSaveFormatTest : public CaptureOutputTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(CaptureSaveFormatTest, TheFileHoldsTheRegionAndTheClipboardIsCleared) {
  const std::wstring extension = GetParam();
  // A folder whose name has a dot, and a name without extension saved as PNG.
  std::filesystem::create_directories(std::filesystem::path(folder.File(L"v1.2")));
  const std::wstring path = folder.File(L"v1.2\\截图 shot") + (extension.empty() ? L"" : L"." + extension);
  dialogs.SaveAnswers = {path};
  const PixelBox region = Region(40, 40, 72, 48);  // 256 colours: a GIF keeps them all
  ClickButton(kSaveButton);
  EXPECT_FALSE(capture.Exists());
  EXPECT_TRUE(dialogs.Messages.empty()) << (dialogs.Messages.empty() ? L"" : dialogs.Messages[0].Text).size();
  const auto decoded = Decoded(path);
  ASSERT_TRUE(decoded) << "no picture written";
  if (extension.starts_with(L"jp"))
    EXPECT_LT(LargestDifference(*decoded, RegionOfBackdrop(region)), 40);
  else
    EXPECT_EQ(*decoded, RegionOfBackdrop(region));
  if (extension.empty()) EXPECT_EQ(exporting::wine_tests::FileBytes(path)[1], 'P') << "PNG";
  EXPECT_FALSE(ClipboardPixels()) << "cleared after the file was written";
}

INSTANTIATE_TEST_SUITE_P(Extensions, CaptureSaveFormatTest,
                         ::testing::Values(L"png", L"jpg", L"jpeg", L"bmp", L"gif", L"tif", L"tiff", L"PNG", L""));

class CaptureFailedSaveTest : public CaptureOutputTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(CaptureFailedSaveTest, ShowsTheErrorAndKeepsTheRegionOnTheClipboard) {
  const std::wstring path = folder.File(GetParam());
  dialogs.SaveAnswers = {path};
  const PixelBox region = Region(100, 100, 420, 340);
  const HWND window = capture.Handle();
  ClickButton(kSaveButton);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Title, L"错误");
  EXPECT_EQ(dialogs.Messages[0].Owner, window);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path)));
  EXPECT_EQ(ClipboardPixels(), RegionOfBackdrop(region));
  EXPECT_FALSE(capture.Exists()) << "closes as after a cancel: the region is safe on the clipboard";
}

INSTANTIATE_TEST_SUITE_P(Paths, CaptureFailedSaveTest,
                         ::testing::Values(L"shot.webp", L"no such folder\\shot.png", L"no such folder\\shot.bmp"));

// Saving over a file on a disk that fills up halfway: the old file stays as
// it was, nothing half-written is left, the user reads which file and why,
// and the region is safe on the clipboard.
TEST_F(CaptureOutputTest, ASaveThatFailsPartwayKeepsTheOldFileAndSaysWhy) {
  const std::wstring path = folder.File(L"existing.png");
  const std::string old(3000, 'o');
  std::ofstream(std::filesystem::path(path), std::ios::binary) << old;
  disk.SpaceLeft = 500;
  dialogs.SaveAnswers = {path};
  const PixelBox region = Region(100, 100, 420, 340);
  ClickButton(kSaveButton);
  EXPECT_EQ(disk.SpaceLeft, 0u) << "the write got partway";
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  const auto& message = dialogs.Messages[0];
  EXPECT_EQ(message.Style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_NE(message.Text.find(path), std::wstring::npos);
  EXPECT_NE(message.Text.find(exporting::SystemErrorText(ERROR_DISK_FULL)), std::wstring::npos);
  EXPECT_EQ(exporting::wine_tests::FileBytes(path), std::vector<std::uint8_t>(old.begin(), old.end()));
  EXPECT_EQ(exporting::wine_tests::FileNames(folder.File(L"")), std::set<std::wstring>{L"existing.png"});
  EXPECT_EQ(ClipboardPixels(), RegionOfBackdrop(region));
  EXPECT_FALSE(capture.Exists());
}

// A clipboard viewer of this thread that, once armed, puts its own text on
// the clipboard as soon as it hears of a change; Wine tells it inside the
// CloseClipboard that made the change.
class WritingViewer {
 public:
  WritingViewer() : window_(L"viewer", 10, 10, WS_POPUP) {
    self_ = this;
    old_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    next_ = SetClipboardViewer(window_.Handle());
    win::PumpPendingMessages();
  }
  WritingViewer(const WritingViewer&) = delete;
  WritingViewer& operator=(const WritingViewer&) = delete;
  ~WritingViewer() {
    ChangeClipboardChain(window_.Handle(), next_);
    SetWindowLongPtrW(window_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
    self_ = nullptr;
  }
  bool Armed = false;
  int Writes = 0;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WritingViewer* self = self_;
    if (message == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wParam) == self->next_)
        self->next_ = reinterpret_cast<HWND>(lParam);
      else if (self->next_)
        SendMessageW(self->next_, message, wParam, lParam);
      return 0;
    }
    if (message == WM_DRAWCLIPBOARD) {
      if (std::exchange(self->Armed, false) && OpenClipboard(window)) {
        EmptyClipboard();
        const std::wstring text = L"the viewer's";
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        ++self->Writes;
      }
      if (self->next_) SendMessageW(self->next_, message, wParam, lParam);
      return 0;
    }
    return CallWindowProcW(self->old_, window, message, wParam, lParam);
  }

  static inline WritingViewer* self_ = nullptr;
  testing_support::PlainWindow window_;
  WNDPROC old_ = nullptr;
  HWND next_ = nullptr;
};

TEST_F(CaptureOutputTest, WhatAnotherProgramWritesAsTheCopyClosesTheClipboardSurvivesTheSave) {
  const PixelBox region = Region(100, 100, 420, 340);
  const std::wstring path = folder.File(L"shot.png");
  dialogs.SaveAnswers = {path};
  WritingViewer viewer;
  viewer.Armed = true;
  ClickButton(kSaveButton);
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(viewer.Writes, 1);
  EXPECT_EQ(Decoded(path), RegionOfBackdrop(region));
  EXPECT_EQ(ClipboardText(), L"the viewer's") << "the save must not empty another program's data";
}

TEST_F(CaptureOutputTest, AClipboardChangedDuringTheDialogIsNeitherSavedNorCleared) {
  const PixelBox region = Region(100, 100, 420, 340);
  dialogs.WhileSaveDialogOpen = [] { PutClipboardText(L"someone else's"); };
  ClickButton(kSaveButton);  // cancelled: the region is nowhere now, so the capture stays
  ASSERT_TRUE(capture.Exists());
  EXPECT_EQ(ClipboardText(), L"someone else's");
  const std::wstring path = folder.File(L"shot.bmp");
  dialogs.SaveAnswers = {path};
  ClickButton(kSaveButton);
  EXPECT_FALSE(capture.Exists());
  EXPECT_EQ(Decoded(path), RegionOfBackdrop(region));
  EXPECT_EQ(ClipboardText(), L"someone else's");
}

TEST_F(CaptureOutputTest, WhileTheDialogIsOpenTheCaptureIgnoresInputAndAFailingDialogIsReported) {
  const PixelBox region = Region(100, 100, 420, 340);
  bool aliveAfterInput = false;
  dialogs.WhileSaveDialogOpen = [&] {
    SendMessageW(capture.Handle(), WM_CHAR, 27, 0);
    SendMessageW(capture.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 200));
    SendMessageW(capture.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(200, 200));
    SendLeftClick(capture.Strip(), ButtonMiddle(kCloseButton));
    aliveAfterInput = capture.Exists() && Session().State().captureMode == CaptureMode::Move;
  };
  dialogs.SaveAnswers = {win::SaveFileAnswer::Failed(FNERR_INVALIDFILENAME)};
  ClickButton(kSaveButton);
  EXPECT_TRUE(aliveAfterInput);
  ASSERT_TRUE(capture.Exists()) << "the user was told and may try again";
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Owner, capture.Handle());
  EXPECT_NE(dialogs.Messages[0].Text.find(std::to_wstring(FNERR_INVALIDFILENAME)), std::wstring::npos);
  EXPECT_EQ(ClipboardPixels(), RegionOfBackdrop(region));
}

// The real save dialog: it asks before overwriting, and a confirmed name is
// written.
TEST_F(CaptureOutputTest, TheSystemSaveDialogAsksBeforeOverwriting) {
  win::SystemDialogs system;
  win::Owned<FrmScreenCapture> real(CaptureServices{system});
  capture.Destroy();
  ASSERT_TRUE(real.Open(nullptr));
  ShowWindow(real.Handle(), SW_SHOW);
  SetForegroundWindow(real.Handle());
  testing_support::Drag(real.Handle(), {100, 100}, {420, 340}, Delivery::Real);
  const std::wstring path = folder.File(L"existing.png");
  std::ofstream(std::filesystem::path(path)) << "old";
  std::wstring asked;
  bool ownerDisabled = false, dialogOnTop = false;
  const testing_support::DialogScript script(
      real.Handle(), {[&](HWND dialog) {
                        ownerDisabled = !IsWindowEnabled(real.Handle());
                        RECT r{};
                        GetWindowRect(dialog, &r);
                        const HWND shown = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
                        dialogOnTop = shown == dialog || IsChild(dialog, shown);
                        testing_support::TypeText(path, Delivery::Real);
                        testing_support::PressKey(VK_RETURN, Delivery::Real);
                        // Until the question comes (and is answered inside this wait).
                        WaitUntil([&] { return !IsWindowVisible(dialog) || !IsWindowEnabled(dialog); });
                      },
                      [&](HWND prompt) {
                        asked = testing_support::WindowText(prompt);
                        const HWND yes = GetDlgItem(prompt, IDYES);
                        RECT r{};
                        GetClientRect(yes, &r);
                        testing_support::Click(yes, {r.right / 2, r.bottom / 2}, Delivery::Real);
                      }});
  const POINT save = ButtonMiddle(kSaveButton);
  testing_support::Click(real.Strip(), save, Delivery::Real);
  ASSERT_TRUE(WaitUntil([&] { return !real.Exists(); }, 15000));
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(dialogOnTop) << "above the topmost capture window";
  EXPECT_FALSE(asked.empty());
  EXPECT_EQ(Decoded(path), RegionOfBackdrop({100, 100, 420, 340}));
}

TEST(CaptureOutput, RepeatedCopiesAndSavesLeaveNoGdiObjectBehind) {
  testing_support::FakeDialogs dialogs;
  TemporaryFolder folder;
  EXPECT_TRUE(LeavesNoGdiObject(dialogs, testing_support::SoakRounds(), [&](FrmScreenCapture& capture, int i) {
    SendLeftDrag(capture.Handle(), {10 + i, 10}, {300, 200 + i});
    dialogs.SaveAnswers = {folder.File(i % 4 == 1 ? L"shot.png" : L"shot.bmp")};
    SendButtonClick(capture, i % 2 ? kSaveButton : kCopyButton);
    ASSERT_FALSE(capture.Exists()) << i;
  }));
  EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillane::capture
