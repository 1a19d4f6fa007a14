#include "pattern/password_setting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillane {
namespace {

// Registry text comes as UTF-16LE bytes with its terminating zero.
std::vector<std::uint8_t> Utf16(std::wstring_view text) {
  std::vector<std::uint8_t> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

bool TextOn(std::wstring_view text) { return PasswordSettingOn(RegistryValueKind::Text, Utf16(text)); }

TEST(PasswordSetting, TextIsReadAsItsNumber) {
  EXPECT_FALSE(TextOn(L"0"));
  EXPECT_TRUE(TextOn(L"1"));
  EXPECT_TRUE(TextOn(L" 1"));
  EXPECT_FALSE(TextOn(L"abc"));
  EXPECT_FALSE(TextOn(L""));
  EXPECT_FALSE(TextOn(L" 0 "));
  EXPECT_TRUE(TextOn(L"2"));
  EXPECT_TRUE(TextOn(L"1abc"));
  EXPECT_FALSE(TextOn(L"0.0"));
}

TEST(PasswordSetting, TextStopsAtItsTerminatingZero) {
  std::vector<std::uint8_t> bytes = Utf16(L"0");
  bytes.push_back('1');  // junk after the zero
  bytes.push_back(0);
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Text, bytes));

  // Without a terminating zero, or with a stray odd byte.
  EXPECT_TRUE(PasswordSettingOn(RegistryValueKind::Text, std::vector<std::uint8_t>{'1', 0}));
  EXPECT_TRUE(PasswordSettingOn(RegistryValueKind::Text, std::vector<std::uint8_t>{'1', 0, '0'}));
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Text, std::vector<std::uint8_t>{}));
}

TEST(PasswordSetting, NumbersAreOnWhenNotZero) {
  for (RegistryValueKind kind : {RegistryValueKind::DWord, RegistryValueKind::Binary}) {
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_FALSE(PasswordSettingOn(kind, std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_TRUE(PasswordSettingOn(kind, std::vector<std::uint8_t>{1, 0, 0, 0}));
    // Every byte of the little-endian value counts, not just the first.
    EXPECT_TRUE(PasswordSettingOn(kind, std::vector<std::uint8_t>{0, 1, 0, 0}));
    EXPECT_TRUE(PasswordSettingOn(kind, std::vector<std::uint8_t>{0, 0, 0, 0x80}));
    EXPECT_TRUE(PasswordSettingOn(kind, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  }
}

TEST(PasswordSetting, ShortBinaryValuesAreReadAsFarAsTheyGo) {
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{}));
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{0}));
  EXPECT_TRUE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{1}));
  EXPECT_TRUE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{0, 1}));
}

TEST(PasswordSetting, BinaryValuesOverFourBytesAreOff) {
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{1, 0, 0, 0, 0}));
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>{0, 0, 0, 0, 1}));
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::Binary, std::vector<std::uint8_t>(8, 0xFF)));
  EXPECT_FALSE(PasswordSettingOn(RegistryValueKind::DWord, std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace quillane
