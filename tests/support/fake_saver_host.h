#pragma once
#include <windows.h>

#include <vector>

#include "pattern/saver_host.h"

namespace quillane::testing_support {

// Answers the saver's system calls and keeps count of them.
class FakeSaverHost final : public SaverHost {
 public:
  bool PasswordEnabled = false;
  BOOL VerifyAnswer = TRUE;
  int Verifications = 0;
  HWND VerifiedWindow = nullptr;
  int CursorCount = 0;  // the show count as the system keeps it
  std::vector<BOOL> CursorCalls;
  struct SpiCall {
    UINT Action;
    UINT Param;
    UINT BufferBefore;
    UINT Flags;
  };
  std::vector<SpiCall> SpiCalls;
  int PasswordChanges = 0;

  bool IsPasswordEnabled() override { return PasswordEnabled; }
  BOOL VerifyScreenSavePwd(HWND window) override {
    ++Verifications;
    VerifiedWindow = window;
    return VerifyAnswer;
  }
  int ShowCursor(BOOL show) override {
    CursorCalls.push_back(show);
    return CursorCount += show ? 1 : -1;
  }
  BOOL SystemParameters(UINT action, UINT param, void* data, UINT flags) override {
    SpiCalls.push_back({action, param, data ? *static_cast<UINT*>(data) : 0u, flags});
    return TRUE;
  }
  void ChangePassword() override { ++PasswordChanges; }
};

}  // namespace quillane::testing_support
