#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pattern/saver_host.h"

namespace quillane {
namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\desktop";
constexpr const wchar_t* kValue = L"ScreenSaveUsePassword";

// Writes the password setting into the prefix's real registry and puts the
// original back afterwards.
class PasswordSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    DWORD size = 0;
    if (RegQueryValueExW(key_, kValue, nullptr, &savedType_, nullptr, &size) == ERROR_SUCCESS) {
      saved_.resize(size);
      RegQueryValueExW(key_, kValue, nullptr, &savedType_, saved_.data(), &size);
      hadValue_ = true;
    }
  }
  void TearDown() override {
    if (hadValue_)
      RegSetValueExW(key_, kValue, 0, savedType_, saved_.data(), static_cast<DWORD>(saved_.size()));
    else
      RegDeleteValueW(key_, kValue);
    RegCloseKey(key_);
  }
  void Store(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key_, kValue, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  void StoreText(const wchar_t* text) {
    Store(REG_SZ, text, static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  }
  static bool Enabled() { return SystemSaverHost().IsPasswordEnabled(); }

  HKEY key_ = nullptr;
  bool hadValue_ = false;
  DWORD savedType_ = 0;
  std::vector<BYTE> saved_;
};

TEST_F(PasswordSettingTest, TextValuesAreReadAsTheirNumber) {
  StoreText(L"0");
  EXPECT_FALSE(Enabled());
  StoreText(L"1");
  EXPECT_TRUE(Enabled());
  StoreText(L"");
  EXPECT_FALSE(Enabled());
}

TEST_F(PasswordSettingTest, NumberAndBinaryValuesAreReadAsLittleEndianIntegers) {
  const DWORD on = 1, off = 0;
  Store(REG_DWORD, &on, sizeof on);
  EXPECT_TRUE(Enabled());
  Store(REG_DWORD, &off, sizeof off);
  EXPECT_FALSE(Enabled());
  const BYTE highByte[4] = {0, 0, 0, 1};
  Store(REG_BINARY, highByte, sizeof highByte);
  EXPECT_TRUE(Enabled());
  const BYTE oneByte[1] = {1};
  Store(REG_BINARY, oneByte, sizeof oneByte);
  EXPECT_TRUE(Enabled());
  const BYTE tooLong[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  Store(REG_BINARY, tooLong, sizeof tooLong);
  EXPECT_FALSE(Enabled());
}

TEST_F(PasswordSettingTest, AMissingValueOrKeyMeansNoPassword) {
  RegDeleteValueW(key_, kValue);
  EXPECT_FALSE(Enabled());
  EXPECT_FALSE(ReadPasswordSetting(HKEY_CURRENT_USER, L"Control Panel\\no such key"));
}

TEST(PasswordServices, MissingLibrariesCountAsPassedAndChangeNothing) {
  EXPECT_TRUE(VerifyPasswordThrough(L"no-such-library.cpl", "VerifyScreenSavePwd", nullptr));
  EXPECT_TRUE(VerifyPasswordThrough(L"kernel32.dll", "NoSuchFunction", nullptr));
  // NT-family systems have no password.cpl: the system guards the desktop itself.
  EXPECT_TRUE(SystemSaverHost().VerifyScreenSavePwd(nullptr));
  ChangePasswordThrough(L"no-such-library.dll", "PwdChangePasswordA");
  ChangePasswordThrough(L"kernel32.dll", "PwdChangePasswordA");
}

struct PasswordChangeCall {
  std::string Provider;
  HWND Owner = nullptr;
  DWORD Reserved1 = 99, Reserved2 = 99;
  int Count = 0;
} lastChange;

DWORD WINAPI RecordPasswordChange(LPCSTR provider, HWND owner, DWORD reserved1, DWORD reserved2) {
  lastChange = {provider ? provider : "", owner, reserved1, reserved2, lastChange.Count + 1};
  return 0;
}

TEST(PasswordServices, ChangePasswordAsksForTheSaversPasswordOwnedByTheForegroundWindow) {
  ChangePasswordWith(&RecordPasswordChange);
  EXPECT_EQ(lastChange.Count, 1);
  EXPECT_EQ(lastChange.Provider, "SCRSAVE");
  EXPECT_EQ(lastChange.Owner, GetForegroundWindow());
  EXPECT_EQ(lastChange.Reserved1, 0u);
  EXPECT_EQ(lastChange.Reserved2, 0u);
}

}  // namespace
}  // namespace quillane
