#include "export/system_app_cursor.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace quillane::exporting {
namespace {

TEST(ExportSystemAppCursor, ShowsTheHourglassThenThePointerFromBefore) {
  const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  SetCursor(cross);
  SystemAppCursor cursor;
  cursor.ShowWait();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  cursor.ShowDefault();
  EXPECT_EQ(GetCursor(), cross);
}

TEST(ExportSystemAppCursor, FallsBackToTheArrow) {
  SetCursor(nullptr);
  SystemAppCursor cursor;
  cursor.ShowWait();
  cursor.ShowDefault();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace quillane::exporting
