#include "export/system_app_cursor.h"

namespace quillane::exporting {

void SystemAppCursor::ShowWait() {
  // Shared system cursors: nothing to free.
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (!previous_) previous_ = previous;
}

void SystemAppCursor::ShowDefault() {
  SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW));
  previous_ = nullptr;
}

}  // namespace quillane::exporting
