#include "startup/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace quillane {
namespace {

struct Expected {
  const wchar_t* Arguments;
  LaunchMode Mode;
  bool FullScreen = false;
  std::uint32_t PreviewParent = 0;
};

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

void ExpectLaunches(std::initializer_list<Expected> cases) {
  for (const Expected& c : cases) {
    SCOPED_TRACE("arguments \"" + Narrow(c.Arguments) + "\"");
    const Launch launch = ParseLaunch(c.Arguments);
    EXPECT_EQ(launch.Mode, c.Mode);
    EXPECT_EQ(launch.FullScreen, c.FullScreen);
    EXPECT_EQ(launch.PreviewParent, c.PreviewParent);
  }
}

TEST(Launch, NoArgumentsRunsTheSaverInAWindow) {
  ExpectLaunches({
      {L"", LaunchMode::Saver, false},
      {L"   ", LaunchMode::Saver, false},
      {L" \t ", LaunchMode::Saver, false},
  });
}

TEST(Launch, SaverSwitchesRunTheSaverFullScreen) {
  ExpectLaunches({
      {L"/s", LaunchMode::Saver, true},
      {L"/S", LaunchMode::Saver, true},
      {L"-s", LaunchMode::Saver, true},
      {L"-S", LaunchMode::Saver, true},
      {L"s", LaunchMode::Saver, true},
      {L"S", LaunchMode::Saver, true},
      {L"  /s  ", LaunchMode::Saver, true},
      {L"\t-s\t", LaunchMode::Saver, true},
      {L"s ", LaunchMode::Saver, true},        // blanks around a lone letter do not count
      {L"/s 12345", LaunchMode::Saver, true},  // anything after the second character is ignored
      {L"/sx", LaunchMode::Saver, true},
  });
}

TEST(Launch, ConfigSwitchesShowTheModalDialog) {
  ExpectLaunches({
      {L"/c", LaunchMode::ConfigModal},
      {L"/C", LaunchMode::ConfigModal},
      {L"-c", LaunchMode::ConfigModal},
      {L"c", LaunchMode::ConfigModal},
      {L"/c:1234", LaunchMode::ConfigModal},
      {L"/C:1234", LaunchMode::ConfigModal},
      {L" /c 1234 ", LaunchMode::ConfigModal},
  });
}

TEST(Launch, PasswordSwitchesChangeThePassword) {
  ExpectLaunches({
      {L"/a", LaunchMode::ChangePassword},
      {L"/A", LaunchMode::ChangePassword},
      {L"-a", LaunchMode::ChangePassword},
      {L"a", LaunchMode::ChangePassword},
      {L"/a 1234", LaunchMode::ChangePassword},
  });
}

TEST(Launch, AnythingElseShowsTheDialogModeless) {
  ExpectLaunches({
      {L"x", LaunchMode::ConfigModeless},
      {L"/x", LaunchMode::ConfigModeless},
      {L"sx", LaunchMode::ConfigModeless},      // a single letter matches only on its own
      {L"p 4711", LaunchMode::ConfigModeless},
      {L"c 1", LaunchMode::ConfigModeless},
      {L"a b", LaunchMode::ConfigModeless},
      {L"/", LaunchMode::ConfigModeless},
      {L"-", LaunchMode::ConfigModeless},
      {L"//s", LaunchMode::ConfigModeless},
      {L"ss", LaunchMode::ConfigModeless},
      {L"/ s", LaunchMode::ConfigModeless},
  });
}

TEST(Launch, PreviewTakesTheWholeNumberAfterTheSwitch) {
  ExpectLaunches({
      {L"/p 4711", LaunchMode::Preview, false, 4711},
      {L"/p 1443238", LaunchMode::Preview, false, 1443238},
      {L"/p:1443238", LaunchMode::Preview, false, 1443238},
      {L"/p 12", LaunchMode::Preview, false, 12},
      {L"/p 123456", LaunchMode::Preview, false, 123456},
      {L"/P 4711", LaunchMode::Preview, false, 4711},
      {L"-p 4711", LaunchMode::Preview, false, 4711},
      {L"/p4711", LaunchMode::Preview, false, 4711},
      {L"  /p   4711  ", LaunchMode::Preview, false, 4711},
      {L"/p\t4711", LaunchMode::Preview, false, 4711},
      {L"/p : 4711", LaunchMode::Preview, false, 4711},  // blanks around the colon
      {L"/p 4711abc", LaunchMode::Preview, false, 4711},
      {L"/p 0004711", LaunchMode::Preview, false, 4711},
      {L"/p 4294967295", LaunchMode::Preview, false, 4294967295u},  // the largest 32-bit handle
  });
}

TEST(Launch, PreviewWithoutAUsableNumberHasNoParent) {
  ExpectLaunches({
      {L"/p", LaunchMode::Preview, false, 0},
      {L"p", LaunchMode::Preview, false, 0},
      {L"/p ", LaunchMode::Preview, false, 0},
      {L"/p:", LaunchMode::Preview, false, 0},
      {L"/p abc", LaunchMode::Preview, false, 0},
      {L"/p -4711", LaunchMode::Preview, false, 0},   // no sign: not wrapped round
      {L"/p +4711", LaunchMode::Preview, false, 0},
      {L"/p ::4711", LaunchMode::Preview, false, 0},  // only one colon is skipped
      {L"/p 4294967296", LaunchMode::Preview, false, 0},  // over 32 bits: not cut down
      {L"/p 99999999999999999999999", LaunchMode::Preview, false, 0},
      {L"/p 18446744073709551617", LaunchMode::Preview, false, 0},  // 2^64 + 1 must not wrap to 1
  });
}

TEST(Launch, SwitchIsTheFirstTwoTrimmedCharactersLowerCased) {
  EXPECT_EQ(SwitchOf(L""), L"");
  EXPECT_EQ(SwitchOf(L"   "), L"");
  EXPECT_EQ(SwitchOf(L"S"), L"s");
  EXPECT_EQ(SwitchOf(L"  /C:1234"), L"/c");
  EXPECT_EQ(SwitchOf(L"\t/P 4711"), L"/p");
  EXPECT_EQ(SwitchOf(L"s "), L"s");
  EXPECT_EQ(SwitchOf(L"AB"), L"ab");
}

TEST(Launch, RunModeIsSetForTheSaverAndThePreviewOnly) {
  EXPECT_EQ(RunModeFor(LaunchMode::Saver), L"Vorsting Flowers");
  EXPECT_EQ(RunModeFor(LaunchMode::Preview), L"Preview");
  EXPECT_EQ(RunModeFor(LaunchMode::ConfigModal), L"");
  EXPECT_EQ(RunModeFor(LaunchMode::ConfigModeless), L"");
  EXPECT_EQ(RunModeFor(LaunchMode::ChangePassword), L"");
  EXPECT_EQ(RunModeFor(ParseLaunch(L"").Mode), L"Vorsting Flowers");
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
  struct Case {
    const wchar_t* CommandLine;
    const wchar_t* Arguments;
  };
  const Case cases[] = {
      {LR"("C:\Windows\System32\quillane.scr" /s)", L"/s"},
      {LR"("C:\Program Files\Quillane\quillane.scr" /p 1443238)", L"/p 1443238"},
      {LR"("C:\Program Files\Quillane\quillane.scr")", L""},
      {LR"("C:\Program Files\Quillane\quillane.scr"   /c:1234)", L"/c:1234"},
      {LR"(C:\WINDOWS\QUILLA~1.SCR /p 4711)", L"/p 4711"},
      {LR"(C:\WINDOWS\QUILLA~1.SCR)", L""},
      {L"quillane.scr\t/S", L"/S"},
      {L"quillane.scr   ", L""},
      {L"quillane.scr /s  ", L"/s  "},
      {LR"("C:\Program Files\quillane.scr /s)", L""},  // unclosed quote: all of it is the name
      {L"", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ArgumentsOf(c.CommandLine), std::wstring_view(c.Arguments)) << Narrow(c.CommandLine);
}

TEST(CommandLine, ProgramNameInQuotesMayHoldASwitchLikeText) {
  // The blank inside the quoted path must not start the arguments.
  const std::wstring_view line = LR"("C:\Saver /s\quillane.scr" /c)";
  EXPECT_EQ(ArgumentsOf(line), L"/c");
  EXPECT_EQ(ParseLaunch(ArgumentsOf(line)).Mode, LaunchMode::ConfigModal);
}

}  // namespace
}  // namespace quillane
