#pragma once
// What needs a person: message boxes and the common colour and save dialogs.
// The program uses SystemDialogs; tests answer through their own Dialogs.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillane::win {

struct SaveFileRequest {
  std::wstring DefaultExtension;  // without the dot, as the dialog wants it
  // Pairs of description and pattern, each ended by '\0' (the dialog's form).
  std::wstring Filter;
  std::wstring InitialName;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Returns the button pressed (IDOK, IDCANCEL, ...).
  virtual int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) = 0;
  // The colour the dialog holds when it closes and whether it was confirmed;
  // `current` is what it opens with and what it holds after a cancel.
  virtual COLORREF ChooseColour(HWND owner, COLORREF current, bool* confirmed) = 0;
  // The chosen file name, or nothing when the user cancelled.
  virtual std::optional<std::wstring> ChooseSaveFile(HWND owner, const SaveFileRequest& request) = 0;
};

class SystemDialogs final : public Dialogs {
 public:
  int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) override;
  COLORREF ChooseColour(HWND owner, COLORREF current, bool* confirmed) override;
  std::optional<std::wstring> ChooseSaveFile(HWND owner, const SaveFileRequest& request) override;

 private:
  COLORREF customColours_[16]{};
};

}  // namespace quillane::win
