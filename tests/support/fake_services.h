#pragma once
// Stand-ins for the person at the dialogs, for the shell, and for a disk
// that fills up.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "export/file_output.h"
#include "win32/dialogs.h"
#include "win32/shell.h"

namespace quillane::testing_support {

class FakeDialogs final : public win::Dialogs {
 public:
  struct Message {
    std::wstring Text;
    std::wstring Title;
    UINT Style;
    HWND Owner;
  };
  std::vector<Message> Messages;
  int MessageAnswer = IDOK;
  std::function<void()> WhileMessageShown;

  // Each colour dialog takes the next answer: a colour confirms, nothing cancels.
  std::deque<std::optional<COLORREF>> ColourAnswers;
  std::vector<COLORREF> ColourDialogOpenedWith;

  // Each save dialog takes the next answer: a name confirms, nothing (or no
  // answer left) cancels. `WhileSaveDialogOpen` runs while it is "open".
  std::deque<win::SaveFileAnswer> SaveAnswers;
  std::vector<win::SaveFileRequest> SaveRequests;
  std::vector<HWND> SaveOwners;
  std::function<void()> WhileSaveDialogOpen;

  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override {
    Messages.push_back({std::wstring(text), std::wstring(title), style, owner});
    if (WhileMessageShown) WhileMessageShown();
    return MessageAnswer;
  }
  COLORREF ChooseColour(HWND, COLORREF current, bool* confirmed) override {
    ColourDialogOpenedWith.push_back(current);
    std::optional<COLORREF> answer;
    if (!ColourAnswers.empty()) {
      answer = ColourAnswers.front();
      ColourAnswers.pop_front();
    }
    if (confirmed) *confirmed = answer.has_value();
    return answer.value_or(current);
  }
  win::SaveFileAnswer ChooseSaveFile(HWND owner, const win::SaveFileRequest& request) override {
    SaveRequests.push_back(request);
    SaveOwners.push_back(owner);
    if (WhileSaveDialogOpen) WhileSaveDialogOpen();
    win::SaveFileAnswer answer;
    if (!SaveAnswers.empty()) {
      answer = SaveAnswers.front();
      SaveAnswers.pop_front();
    }
    return answer;
  }
};

class FakeShell final : public win::Shell {
 public:
  struct Opened {
    HWND Owner;
    std::wstring Target;
  };
  std::vector<Opened> Calls;
  void Open(HWND owner, std::wstring_view target) override { Calls.push_back({owner, std::wstring(target)}); }
};

// The real file system on a disk that can fill up: once `SpaceLeft` bytes
// are written, a write puts down what still fits and fails as on a full
// disk. Every file it was asked to create is remembered.
class FakeDisk final : public exporting::SystemFileOutput {
 public:
  std::optional<std::size_t> SpaceLeft;  // nothing: room for everything
  std::vector<std::wstring> Created;

  HANDLE CreateNew(const std::wstring& path) override {
    Created.push_back(path);
    return SystemFileOutput::CreateNew(path);
  }
  bool Write(HANDLE file, const std::uint8_t* data, DWORD size, DWORD& written) override {
    if (!SpaceLeft || *SpaceLeft >= size) {
      const bool done = SystemFileOutput::Write(file, data, size, written);
      if (SpaceLeft) *SpaceLeft -= written;
      return done;
    }
    SystemFileOutput::Write(file, data, static_cast<DWORD>(*SpaceLeft), written);
    SpaceLeft = 0;
    SetLastError(ERROR_DISK_FULL);
    return false;
  }
};

}  // namespace quillane::testing_support
