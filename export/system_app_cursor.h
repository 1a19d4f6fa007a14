#pragma once
// AppCursor on the real pointer. The hourglass stays while the thread does
// not pump messages (as during a save); afterwards the pointer shown before
// comes back until the window under it sets its own on the next move.
#include <windows.h>

#include "export/app_cursor.h"

namespace quillane::exporting {

class SystemAppCursor final : public AppCursor {
 public:
  void ShowWait() override;
  void ShowDefault() override;

 private:
  HCURSOR previous_ = nullptr;
};

}  // namespace quillane::exporting
