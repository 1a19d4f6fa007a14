#include "pattern/run_mode.h"


namespace quillane {

namespace {
std::wstring& Storage() {
  static std::wstring mode;
  return mode;
}
}  // namespace

const std::wstring& RunMode() { return Storage(); }
void SetRunMode(std::wstring_view mode) { Storage() = mode; }
bool IsPreviewMode() { return Storage() == kRunModePreview; }

}  // namespace quillane
