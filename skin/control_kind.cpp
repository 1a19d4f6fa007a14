#include "skin/control_kind.h"

#include <array>
#include <string>

#include "win32/window_classes.h"

namespace quillane::skin {

namespace {

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return lower;
}

struct ClassKind {
  const wchar_t* Name;
  ControlKind Kind;
};

// The names of the classic forms toolkit and the system's classes, and the
// program's own windows. The mixer panel is left out on purpose: it is a
// plain child whose controls are reached as descendants of the main window.
// The system's own radio buttons and check boxes are "button"s, which keep
// the system's look; the program's option buttons have a class of their own.
constexpr std::array<ClassKind, 27> kClasses{{
    {L"#32770", ControlKind::Form},
    {L"thunderformdc", ControlKind::Form},
    {L"thunderrt6formdc", ControlKind::Form},
    {L"form", ControlKind::Form},
    {win::kMainWindowClass, ControlKind::Form},
    {win::kCaptureWindowClass, ControlKind::Form},
    {L"thundercommandbutton", ControlKind::PushButton},
    {L"thunderrt6commandbutton", ControlKind::PushButton},
    {L"button", ControlKind::PushButton},
    {L"thundercombobox", ControlKind::ComboBox},
    {L"thunderrt6combobox", ControlKind::ComboBox},
    {L"combo", ControlKind::ComboBox},
    {L"combobox", ControlKind::ComboBox},
    {L"thunderdrivelistbox", ControlKind::DriveList},
    {L"thunderrt6drivelistbox", ControlKind::DriveList},
    {L"thundercheckbox", ControlKind::CheckBox},
    {L"thunderrt6checkbox", ControlKind::CheckBox},
    {L"thunderoptionbutton", ControlKind::OptionButton},
    {L"thunderrt6optionbutton", ControlKind::OptionButton},
    {win::kOptionButtonClass, ControlKind::OptionButton},
    {L"progressbar20wndclass", ControlKind::ProgressBar},
    {L"progressbarwndclass", ControlKind::ProgressBar},
    {L"msvb_lib_header", ControlKind::Header},
    {L"sysheader32", ControlKind::Header},
    {L"datalistwndclass", ControlKind::DataList},
    {L"dblistwndclass", ControlKind::DataList},
    {L"combolbox", ControlKind::ComboList},
}};

}  // namespace

ControlKind KindOfClass(std::wstring_view className) {
  // Class names end at the first NUL, however long the buffer was.
  const std::wstring name = Lower(className.substr(0, className.find(L'\0')));
  for (const ClassKind& entry : kClasses)
    if (name == Lower(entry.Name)) return entry.Kind;
  if (name.starts_with(L"apexgrid")) return ControlKind::Grid;
  return ControlKind::Other;
}

}  // namespace quillane::skin
