#include "win32/dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace quillane::win {

int SystemDialogs::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view title, UINT style) {
  return MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(title).c_str(), style);
}

COLORREF SystemDialogs::ChooseColour(HWND owner, COLORREF current, bool* confirmed) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = current;
  choose.lpCustColors = customColours_;
  choose.Flags = CC_RGBINIT;
  const bool ok = ChooseColorW(&choose) != FALSE;
  if (confirmed) *confirmed = ok;
  return ok ? choose.rgbResult : current;
}

SaveFileAnswer SystemDialogs::ChooseSaveFile(HWND owner, const SaveFileRequest& request) {
  // Room for the longest path the system takes.
  std::vector<wchar_t> name(32768, L'\0');
  request.InitialName.copy(name.data(), std::min(request.InitialName.size(), name.size() - 1));
  std::wstring filter = request.Filter;
  filter.push_back(L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = request.DefaultExtension.empty() ? nullptr : request.DefaultExtension.c_str();
  dialog.lpstrTitle = request.Title.empty() ? nullptr : request.Title.c_str();
  dialog.lpstrInitialDir = request.InitialFolder.empty() ? nullptr : request.InitialFolder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  if (GetSaveFileNameW(&dialog)) return std::wstring(name.data());
  const DWORD error = CommDlgExtendedError();
  return error ? SaveFileAnswer::Failed(error) : SaveFileAnswer(std::nullopt);
}

}  // namespace quillane::win
