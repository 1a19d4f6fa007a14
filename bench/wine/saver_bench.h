#pragma once
// What the saver's timed harnesses share: a host that answers the saver's
// system calls without touching the system, and CPU time as seconds.
#include <windows.h>

#include "pattern/saver_host.h"

namespace quillane::bench {

class QuietHost final : public SaverHost {
 public:
  bool IsPasswordEnabled() override { return false; }
  BOOL VerifyScreenSavePwd(HWND) override { return TRUE; }
  int ShowCursor(BOOL) override { return 0; }
  BOOL SystemParameters(UINT, UINT, void*, UINT) override { return TRUE; }
  void ChangePassword() override {}
};

inline double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

inline double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

}  // namespace quillane::bench
