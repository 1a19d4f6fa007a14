#pragma once
// Stand-ins for the person at the dialogs and for the shell.
#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "win32/dialogs.h"
#include "win32/shell.h"

namespace quillane::testing_support {

class FakeDialogs final : public win::Dialogs {
 public:
  struct Message {
    std::wstring Text;
    std::wstring Title;
    UINT Style;
  };
  std::vector<Message> Messages;
  int MessageAnswer = IDOK;

  // Each colour dialog takes the next answer: a colour confirms, nothing cancels.
  std::deque<std::optional<COLORREF>> ColourAnswers;
  std::vector<COLORREF> ColourDialogOpenedWith;

  // Each save dialog takes the next answer: a name confirms, nothing cancels.
  std::deque<std::optional<std::wstring>> SaveAnswers;
  std::vector<win::SaveFileRequest> SaveRequests;

  int ShowMessage(HWND, std::wstring_view text, std::wstring_view title, UINT style) override {
    Messages.push_back({std::wstring(text), std::wstring(title), style});
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
  std::optional<std::wstring> ChooseSaveFile(HWND, const win::SaveFileRequest& request) override {
    SaveRequests.push_back(request);
    std::optional<std::wstring> answer;
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

}  // namespace quillane::testing_support
