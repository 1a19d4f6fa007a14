#include "win32/clipboard.h"

namespace quillane::win {

bool SystemClipboard::Open(HWND owner) const {
  for (int attempt = 1;; ++attempt) {
    if (OpenClipboard(owner)) return true;
    if (attempt >= attempts_) return false;
    // No messages are handled meanwhile: nothing can close the caller's window.
    pause_(attempt);
  }
}

std::optional<ClipboardStamp> SystemClipboard::PutBitmap(HWND owner, Bitmap bitmap) {
  if (!bitmap || !Open(owner)) return std::nullopt;
  bool placed = false;
  if (EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap.Get())) {
    // The clipboard owns it now and deletes it when it is emptied.
    (void)bitmap.Release();
    placed = true;
  }
  // Read while it is open: nobody else can have changed it yet.
  const ClipboardStamp whileOpen = GetClipboardSequenceNumber();
  CloseClipboard();
  if (!placed) return std::nullopt;
  // Some systems (Wine) count the formats they add at closing as a change
  // of their own; that number is ours only while the clipboard still is.
  const ClipboardStamp afterClose = GetClipboardSequenceNumber();
  return owner && GetClipboardOwner() == owner ? afterClose : whileOpen;
}

bool SystemClipboard::Holds(ClipboardStamp stamp) { return GetClipboardSequenceNumber() == stamp; }

bool SystemClipboard::ClearIfHolds(HWND owner, ClipboardStamp stamp) {
  if (!Open(owner)) return false;
  // Asked while it is open: nobody can change it between the question and the emptying.
  const bool ours = GetClipboardSequenceNumber() == stamp;
  if (ours) EmptyClipboard();
  CloseClipboard();
  return ours;
}

}  // namespace quillane::win
