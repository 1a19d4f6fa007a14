#pragma once
// The process-wide run mode: "Preview", "Vorsting Flowers" or empty. Set once
// by start-up before any window exists; tests set it around the case they run.
#include <string>
#include <string_view>

namespace quillane {

const std::wstring& RunMode();
void SetRunMode(std::wstring_view mode);
bool IsPreviewMode();

}  // namespace quillane
