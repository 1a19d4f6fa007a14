#pragma once
// Owners of kernel objects closed with CloseHandle: most answer nullptr when
// they fail, files INVALID_HANDLE_VALUE.
#include <windows.h>

#include "win32/owner.h"

namespace quillane::win {

struct CloseHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
// A process, thread, event, mutex or pipe.
using KernelHandle = Owner<CloseHandleTraits>;

struct CloseFileTraits : CloseHandleTraits {
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};
// What CreateFileW opened.
using FileHandle = Owner<CloseFileTraits>;

// A hook of this thread's, removed with UnhookWindowsHookEx.
struct UnhookTraits {
  using Handle = HHOOK;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle hook) { UnhookWindowsHookEx(hook); }
};
using WindowsHook = Owner<UnhookTraits>;

}  // namespace quillane::win
