#pragma once
// Answers the system's dialogs in tests: a timer of this thread runs inside
// the dialog's own loop, looks at the dialog, and works it with real input.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillane::testing_support {

// Runs one step per tick on the visible, enabled dialog of this thread that
// is not `owner`; the last step should close it. Whatever is still open after ten
// seconds is cancelled, so no test can hang on a dialog.
class DialogScript {
 public:
  using Step = std::function<void(HWND dialog)>;
  DialogScript(HWND owner, std::vector<Step> steps) : owner_(owner), steps_(std::move(steps)) {
    current_ = this;
    tick_ = SetTimer(nullptr, 0, 150, &DialogScript::Tick);
    giveUp_ = SetTimer(nullptr, 0, 10000, &DialogScript::GiveUp);
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  ~DialogScript() {
    KillTimer(nullptr, tick_);
    KillTimer(nullptr, giveUp_);
    current_ = nullptr;
  }
  bool Finished() const { return next_ == steps_.size(); }

 private:
  HWND FindDialog() const {
    struct Search {
      HWND Owner, Found;
    } search{owner_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
      auto* s = reinterpret_cast<Search*>(p);
      wchar_t cls[32]{};
      GetClassNameW(w, cls, 32);
      // A dialog that waits for a box of its own is not the one to work.
      if (w != s->Owner && IsWindowVisible(w) && IsWindowEnabled(w) && std::wstring(cls) == L"#32770") s->Found = w;
      return s->Found == nullptr;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = current_;
    if (!self || self->Finished()) return;
    const HWND dialog = self->FindDialog();
    // A step may wait for a box its dialog opens and answer it in a nested
    // step, but the dialog it works on gets no second step meanwhile.
    if (!dialog || dialog == self->working_) return;
    const HWND outer = std::exchange(self->working_, dialog);
    self->steps_[self->next_++](dialog);
    self->working_ = outer;
  }
  static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_) return;
    ADD_FAILURE() << "the dialog was still open after ten seconds";
    if (const HWND dialog = current_->FindDialog()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  static inline DialogScript* current_ = nullptr;
  HWND owner_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  HWND working_ = nullptr;
  UINT_PTR tick_ = 0;
  UINT_PTR giveUp_ = 0;
};

}  // namespace quillane::testing_support
