#pragma once
// A library loaded at run time from the system folder, freed with FreeLibrary.
#include <windows.h>

#include "win32/owner.h"

namespace quillane::win {

struct FreeLibraryTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle module) { FreeLibrary(module); }
};

class LoadedModule : public Owner<FreeLibraryTraits> {
 public:
  // Only the system folder is searched, so a planted DLL beside the program
  // or in the current folder is never loaded.
  explicit LoadedModule(const wchar_t* name) : Owner(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

  template <class Function>
  Function Find(const char* name) const {
    return Get() ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Get(), name))) : nullptr;
  }
};

}  // namespace quillane::win
