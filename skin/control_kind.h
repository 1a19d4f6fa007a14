#pragma once
// What the skin does with a window follows from its window class name alone.
#include <string_view>

namespace quillane::skin {

enum class ControlKind {
  Form,
  PushButton,
  ComboBox,
  DriveList,
  CheckBox,
  OptionButton,
  ProgressBar,
  Header,
  DataList,
  ComboList,
  Grid,
  Other,
};

// The class name compared without regard to ASCII case.
ControlKind KindOfClass(std::wstring_view className);

}  // namespace quillane::skin
