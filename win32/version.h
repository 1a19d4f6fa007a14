#pragma once
namespace quillane::win {
struct ProgramVersion {
  int Major = 0;
  int Minor = 0;
};
// The version from this module's version resource (7.1 for this release).
ProgramVersion ReadProgramVersion();
}  // namespace quillane::win
