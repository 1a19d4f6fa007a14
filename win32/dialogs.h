#pragma once
// What needs a person: message boxes and the common colour and save dialogs.
// The program uses SystemDialogs; tests answer through their own Dialogs.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quillane::win {

struct SaveFileRequest {
  std::wstring Title;  // empty: the system's
  std::wstring InitialFolder;  // empty: the system's choice
  // Added when the user types a name without one; without the dot.
  std::wstring DefaultExtension;
  // Pairs of description and pattern, each ended by '\0' (the dialog's form);
  // the first is chosen.
  std::wstring Filter;
  std::wstring InitialName;
};

// How a save dialog ended. An existing file is chosen only after the user
// confirmed overwriting it.
struct SaveFileAnswer {
  enum class Outcome { Chosen, Cancelled, Failed };
  Outcome Result = Outcome::Cancelled;
  std::wstring FileName;  // when chosen
  DWORD Error = 0;        // when failed: the dialog's error code

  SaveFileAnswer() = default;
  // A chosen name; nothing is a cancel.
  SaveFileAnswer(std::wstring fileName) : Result(Outcome::Chosen), FileName(std::move(fileName)) {}
  SaveFileAnswer(std::nullopt_t) {}
  static SaveFileAnswer Failed(DWORD error) {
    SaveFileAnswer answer;
    answer.Result = Outcome::Failed;
    answer.Error = error;
    return answer;
  }
  bool Chosen() const { return Result == Outcome::Chosen; }
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Returns the button pressed (IDOK, IDCANCEL, ...).
  virtual int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) = 0;
  // The colour the dialog holds when it closes and whether it was confirmed;
  // `current` is what it opens with and what it holds after a cancel.
  virtual COLORREF ChooseColour(HWND owner, COLORREF current, bool* confirmed) = 0;
  // The dialog belongs to `owner`, which it disables while it is open.
  virtual SaveFileAnswer ChooseSaveFile(HWND owner, const SaveFileRequest& request) = 0;
};

class SystemDialogs final : public Dialogs {
 public:
  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override;
  COLORREF ChooseColour(HWND owner, COLORREF current, bool* confirmed) override;
  SaveFileAnswer ChooseSaveFile(HWND owner, const SaveFileRequest& request) override;

 private:
  COLORREF customColours_[16]{};
};

}  // namespace quillane::win
