#pragma once
// One owner for an open registry key.
#include <windows.h>

#include "win32/owner.h"

namespace quillane::win {

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle key) { RegCloseKey(key); }
};
using RegistryKey = Owner<RegistryKeyTraits>;

}  // namespace quillane::win
