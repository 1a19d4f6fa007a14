#pragma once
// A library loaded at run time from the system folder, freed with FreeLibrary.
#include <windows.h>

namespace quillane::win {

class LoadedModule {
 public:
  // Only the system folder is searched, so a planted DLL beside the program
  // or in the current folder is never loaded.
  explicit LoadedModule(const wchar_t* name)
      : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  ~LoadedModule() {
    if (module_) FreeLibrary(module_);
  }
  explicit operator bool() const { return module_ != nullptr; }

  template <class Function>
  Function Find(const char* name) const {
    return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
  }

 private:
  HMODULE module_;
};

}  // namespace quillane::win
