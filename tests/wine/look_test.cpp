// Opens windows as a person sees them and keeps them up for a screenshot:
//   QUILLANE_LOOK_SECONDS=6 scripts/wine-exec.sh quillane_wine_tests.exe --gtest_filter='Look.*'
// then `import -window root shot.png` meanwhile. Skipped in ordinary runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "input_driver.h"
#include "main_window_fixture.h"
#include "pattern/random_source.h"
#include "waiting.h"

namespace quillane {
namespace {

double LookSeconds() {
  const char* value = std::getenv("QUILLANE_LOOK_SECONDS");
  return value ? std::atof(value) : 0.0;
}

using Look = testing_support::MainWindowTest;

TEST_F(Look, MainWindowWithTheMixerPanel) {
  if (LookSeconds() <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  random = testing_support::ScriptedRandom(testing_support::ScriptedRandom::AfterScript::Seeded, FreshSeed());
  Open();
  RunMenu(kMenuDeploy);
  testing_support::PumpFor(static_cast<DWORD>(LookSeconds() * 1000));
}

// The skinned mixer with the pointer resting on "多 色" and "单 色" at rest.
TEST_F(Look, MixerWithOneButtonHovered) {
  if (LookSeconds() <= 0) GTEST_SKIP() << "set QUILLANE_LOOK_SECONDS to look";
  random = testing_support::ScriptedRandom(testing_support::ScriptedRandom::AfterScript::Seeded, FreshSeed());
  Open();
  RunMenu(kMenuDeploy);
  testing_support::MoveMouse(Control(kCommand4), {30, 10}, testing_support::Delivery::Real);
  testing_support::PumpFor(static_cast<DWORD>(LookSeconds() * 1000));
}

}  // namespace
}  // namespace quillane
