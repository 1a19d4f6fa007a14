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

// What a skinned control shows: at rest, under the pointer, pressed, or
// pale while disabled. Also the row of the skin's images for that look.
enum class ControlState : int { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };
constexpr int Row(ControlState state) { return static_cast<int>(state); }

// The class name compared without regard to ASCII case.
ControlKind KindOfClass(std::wstring_view className);

}  // namespace quillane::skin
