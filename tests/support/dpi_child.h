#pragma once
// Tests at other dots per inch. Wine reads the setting when a process
// starts, so each dpi runs the chosen (disabled) tests of this binary in a
// child process, with an environment variable naming the dpi.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>

#include "win32/kernel_handle.h"
#include "win32/registry_key.h"

namespace quillane::testing_support {

inline constexpr const wchar_t* kDpiVariable = L"QUILLANE_CHILD_DPI";

// The dpi a child was started for; 0 outside a child.
inline int ChildDpi() {
  wchar_t value[16]{};
  return GetEnvironmentVariableW(kDpiVariable, value, 16) ? _wtoi(value) : 0;
}

namespace dpi_detail {
inline constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";

inline std::optional<DWORD> ReadLogPixels() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

inline void WriteLogPixels(std::optional<DWORD> value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS)
    return;
  const win::RegistryKey key(opened);
  if (value)
    RegSetValueExW(key.Get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value), sizeof *value);
  else
    RegDeleteValueW(key.Get(), L"LogPixels");
}

// Runs the tests `filter` picks in a child at `dpi`; its exit code.
inline DWORD RunChildAt(int dpi, const wchar_t* filter) {
  wchar_t exe[MAX_PATH]{};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(exe) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + std::wstring(filter);
  SetEnvironmentVariableW(kDpiVariable, std::to_wstring(dpi).c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(exe, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kDpiVariable, nullptr);
  if (!started) return 0xFFFFFFFF;
  const win::KernelHandle thread(process.hThread), child(process.hProcess);
  DWORD code = 0xFFFFFFFE;
  if (WaitForSingleObject(child.Get(), 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(child.Get(), &code);
  else
    TerminateProcess(child.Get(), code);
  return code;
}
}  // namespace dpi_detail

// Runs the tests `filter` picks once at each dpi; the setting is put back after.
inline void ExpectChildrenPassAt(std::initializer_list<int> dpis, const wchar_t* filter) {
  const std::optional<DWORD> before = dpi_detail::ReadLogPixels();
  for (const int dpi : dpis) {
    dpi_detail::WriteLogPixels(static_cast<DWORD>(dpi));
    EXPECT_EQ(dpi_detail::RunChildAt(dpi, filter), 0u) << "at " << dpi << " dpi";
  }
  dpi_detail::WriteLogPixels(before);
  EXPECT_EQ(dpi_detail::ReadLogPixels(), before);
}

}  // namespace quillane::testing_support
