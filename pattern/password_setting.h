#pragma once
// Reading the system's "ScreenSaveUsePassword" value, whatever type it was stored as.
#include <cstdint>
#include <span>

namespace quillane {

enum class RegistryValueKind { Text, Binary, DWord, Other };

// Text ("0", "1") is read as its number; any other value as a little-endian
// integer of at most four bytes (a larger one cannot be read, so it means off).
bool PasswordSettingOn(RegistryValueKind kind, std::span<const std::uint8_t> data);

}  // namespace quillane
