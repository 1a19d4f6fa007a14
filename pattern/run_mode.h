#pragma once
// The process-wide run mode: "Preview", "Vorsting Flowers" or empty. Set once
// by start-up before any window exists; tests set it around the case they run.
#include <string>
#include <string_view>

namespace quillane {

// The two values start-up sets; every test compares with kRunModePreview.
inline constexpr std::wstring_view kRunModePreview = L"Preview";
inline constexpr std::wstring_view kRunModeSaver = L"Vorsting Flowers";

const std::wstring& RunMode();
void SetRunMode(std::wstring_view mode);
bool IsPreviewMode();

}  // namespace quillane
