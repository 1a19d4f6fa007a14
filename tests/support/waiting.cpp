#include "waiting.h"

#include "win32/message_loop.h"

namespace quillane::testing_support {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    win::PumpPendingMessages();
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                              QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

}  // namespace quillane::testing_support
