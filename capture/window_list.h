#pragma once
// The top-level windows as the system stacks them, for snapping: taken once
// when the screen freezes, before the capture shows anything of its own.
#include <windows.h>

#include <vector>

#include "capture/window_snap.h"

namespace quillane::capture {

class SystemWindowLister final : public WindowLister {
 public:
  // Windows in `own`, and the windows they own, are marked as the capture's.
  explicit SystemWindowLister(std::vector<HWND> own = {}) : own_(std::move(own)) {}
  std::vector<WindowFacts> TopLevelWindows() override;

 private:
  bool IsOwn(HWND window) const;
  std::vector<HWND> own_;
};

// One window's facts as the lister reports them.
WindowFacts FactsOf(HWND window);

}  // namespace quillane::capture
