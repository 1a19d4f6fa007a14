#include "pattern/password_setting.h"

#include <string>

#include "util/numbers.h"

namespace quillane {

bool PasswordSettingOn(RegistryValueKind kind, std::span<const std::uint8_t> data) {
  if (kind == RegistryValueKind::Text) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
      const auto c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
      if (c == L'\0') break;
      text += c;
    }
    return ParseLeadingNumber(text) != 0.0;
  }
  if (data.size() > 4) return false;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < data.size(); ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  return value != 0;
}

}  // namespace quillane
