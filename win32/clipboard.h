#pragma once
// The clipboard. The program uses SystemClipboard; tests may use it too, as
// it is the real one, and make it busy by holding it open on another thread.
#include <windows.h>

#include <functional>
#include <optional>

#include "win32/gdi.h"

namespace quillane::win {

// The clipboard as we left it (its sequence number after our change): it
// tells later whether anybody has put something else there since.
using ClipboardStamp = DWORD;

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and gives it `bitmap` (selected into no device
  // context) as CF_BITMAP on behalf of `owner`. Nothing when the clipboard
  // stays busy or refuses the bitmap, which is then deleted.
  virtual std::optional<ClipboardStamp> PutBitmap(HWND owner, Bitmap bitmap) = 0;
  // Nothing has changed the clipboard since `stamp`.
  virtual bool Holds(ClipboardStamp stamp) = 0;
  // Empties the clipboard if it still holds what `stamp` marks; true when it did.
  virtual bool ClearIfHolds(HWND owner, ClipboardStamp stamp) = 0;
};

class SystemClipboard final : public Clipboard {
 public:
  // What happens between two attempts to open it, told how many failed.
  using Pause = std::function<void(int failedAttempts)>;
  // A clipboard that another program holds open is tried `attempts` times,
  // `pauseMs` apart, before it counts as busy.
  explicit SystemClipboard(int attempts = 10, DWORD pauseMs = 25)
      : attempts_(attempts), pause_([pauseMs](int) { Sleep(pauseMs); }) {}
  // The same with `pause` between the attempts (a test acts there).
  SystemClipboard(int attempts, Pause pause) : attempts_(attempts), pause_(std::move(pause)) {}
  std::optional<ClipboardStamp> PutBitmap(HWND owner, Bitmap bitmap) override;
  bool Holds(ClipboardStamp stamp) override;
  bool ClearIfHolds(HWND owner, ClipboardStamp stamp) override;

 private:
  bool Open(HWND owner) const;

  int attempts_;
  Pause pause_;
};

}  // namespace quillane::win
