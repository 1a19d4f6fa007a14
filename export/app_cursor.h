#pragma once
// The mouse pointer for the whole application, so that long work can show
// the hourglass and tests can watch it.

namespace quillane::exporting {

class AppCursor {
 public:
  virtual ~AppCursor() = default;
  virtual void ShowWait() = 0;
  // The pointer the windows normally show.
  virtual void ShowDefault() = 0;
};

}  // namespace quillane::exporting
