// The skin's window-free rules: control kinds by class name, nine-slice
// geometry, the push-button fade and where the other painters put things.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/control_geometry.h"
#include "skin/control_kind.h"
#include "skin/nine_slice.h"
#include "skin/push_button_fade.h"
#include "win32/window_classes.h"

namespace quillane::skin {
namespace {

TEST(ControlKind, ClassNamesInAnyCase) {
  struct Case {
    std::wstring Class;
    ControlKind Kind;
  };
  const std::vector<Case> cases{
      {L"#32770", ControlKind::Form},
      {L"ThunderRT6FormDC", ControlKind::Form},
      {L"Form", ControlKind::Form},
      {win::kMainWindowClass, ControlKind::Form},
      {win::kCaptureWindowClass, ControlKind::Form},
      {win::kMixerPanelClass, ControlKind::Other},
      {win::kConfigDialogClass, ControlKind::Other},
      {win::kOptionButtonClass, ControlKind::OptionButton},
      {L"Button", ControlKind::PushButton},
      {L"BUTTON", ControlKind::PushButton},
      {L"ThunderCommandButton", ControlKind::PushButton},
      {L"ComboBox", ControlKind::ComboBox},
      {L"Combo", ControlKind::ComboBox},
      {L"ThunderRT6DriveListBox", ControlKind::DriveList},
      {L"ThunderCheckBox", ControlKind::CheckBox},
      {L"ThunderRT6OptionButton", ControlKind::OptionButton},
      {L"ProgressBar20WndClass", ControlKind::ProgressBar},
      {L"SysHeader32", ControlKind::Header},
      {L"msvb_lib_header", ControlKind::Header},
      {L"DataListWndClass", ControlKind::DataList},
      {L"ComboLBox", ControlKind::ComboList},
      {L"ApexGridOleDB32", ControlKind::Grid},
      {L"apexgrid", ControlKind::Grid},
      // Exact names only, except the grid's prefix.
      {L"Buttons", ControlKind::Other},
      {L"xApexGrid", ControlKind::Other},
      {L"Edit", ControlKind::Other},
      {L"msctls_trackbar32", ControlKind::Other},
      {L"", ControlKind::Other},
      // A fixed-size buffer: the name ends at the first NUL.
      {std::wstring(L"Button\0garbage", 14), ControlKind::PushButton},
  };
  for (const Case& c : cases) EXPECT_EQ(KindOfClass(c.Class), c.Kind) << std::string(c.Class.begin(), c.Class.end());
}

// --- nine-slice -----------------------------------------------------------

// Every target pixel is covered by exactly one piece, and every piece reads
// inside the source.
void ExpectTiling(int w, int h, SliceRect source, SliceBorders borders) {
  const auto pieces = NineSlicePieces(w, h, source, borders);
  std::vector<int> cover(static_cast<std::size_t>(w * h), 0);
  for (const SlicePiece& p : pieces) {
    ASSERT_GE(p.Source.X, source.X);
    ASSERT_GE(p.Source.Y, source.Y);
    ASSERT_LE(p.Source.X + p.Source.Width, source.X + source.Width);
    ASSERT_LE(p.Source.Y + p.Source.Height, source.Y + source.Height);
    ASSERT_GT(p.Target.Width, 0);
    ASSERT_GT(p.Target.Height, 0);
    for (int y = p.Target.Y; y < p.Target.Y + p.Target.Height; ++y)
      for (int x = p.Target.X; x < p.Target.X + p.Target.Width; ++x) {
        ASSERT_TRUE(x >= 0 && x < w && y >= 0 && y < h) << w << "x" << h;
        ++cover[static_cast<std::size_t>(y * w + x)];
      }
  }
  for (int c : cover) ASSERT_EQ(c, 1) << "target " << w << "x" << h;
}

TEST(NineSlice, PiecesTileEveryTargetSizeIncludingSmallOnes) {
  for (int w = 1; w <= 24; ++w)
    for (int h = 1; h <= 24; ++h) {
      ExpectTiling(w, h, {0, 42, 7, 21}, {3, 3, 3, 3});   // a push-button frame
      ExpectTiling(w, h, {4, 0, 4, 18}, {2, 1, 1, 1});    // a combo button background
      ExpectTiling(w, h, {0, 13, 13, 13}, {5, 5, 5, 5});  // an option circle
    }
}

TEST(NineSlice, CornersKeepTheirSizeAndOnlyTheMiddleStretches) {
  // A button 21 high: the frame's rows map one to one.
  const auto pieces = NineSlicePieces(75, 21, {0, 21, 7, 21}, {3, 3, 3, 3});
  const std::vector<SlicePiece> expected{
      {{0, 21, 3, 3}, {0, 0, 3, 3}},      {{4, 21, 3, 3}, {72, 0, 3, 3}},   {{0, 39, 3, 3}, {0, 18, 3, 3}},
      {{4, 39, 3, 3}, {72, 18, 3, 3}},    {{0, 24, 3, 15}, {0, 3, 3, 15}},  {{4, 24, 3, 15}, {72, 3, 3, 15}},
      {{3, 21, 1, 3}, {3, 0, 69, 3}},     {{3, 39, 1, 3}, {3, 18, 69, 3}},  {{3, 24, 1, 15}, {3, 3, 69, 15}},
  };
  EXPECT_EQ(pieces, expected);
}

TEST(NineSlice, TargetsSmallerThanTheBordersStretchTheWholeSource) {
  const SliceRect frame{0, 0, 7, 21};
  for (auto [w, h] : {std::pair{5, 30}, std::pair{30, 5}, std::pair{2, 2}}) {
    const auto pieces = NineSlicePieces(w, h, frame, {3, 3, 3, 3});
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Source, frame);
    EXPECT_EQ(pieces[0].Target, (SliceRect{0, 0, w, h}));
  }
  // Exactly the borders: corners only, nothing of zero size.
  EXPECT_EQ(NineSlicePieces(6, 6, frame, {3, 3, 3, 3}).size(), 4u);
  // No borders: one stretch. Nothing at all for empty sizes.
  EXPECT_EQ(NineSlicePieces(40, 40, frame, {0, 0, 0, 0}).size(), 1u);
  EXPECT_TRUE(NineSlicePieces(0, 10, frame, {3, 3, 3, 3}).empty());
  EXPECT_TRUE(NineSlicePieces(10, 10, {0, 0, 0, 21}, {3, 3, 3, 3}).empty());
}

// --- push-button fade -----------------------------------------------------

class RecordingButton final : public ButtonSurface {
 public:
  struct Shown {
    int Look, Alpha;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  bool IsEnabled = true;
  std::vector<Shown> Shows;
  bool Fading = false;
  int TimersStarted = 0, LeaveRequests = 0;

  bool Enabled() const override { return IsEnabled; }
  void Show(int look, int alpha) override { Shows.push_back({look, alpha}); }
  void StartFade() override {
    if (!Fading) ++TimersStarted;
    Fading = true;
  }
  void StopFade() override { Fading = false; }
  void TrackLeave() override { ++LeaveRequests; }
};

// Runs the fade timer until the fade stops; returns the number of steps.
int RunFade(PushButtonFade& fade, RecordingButton& button) {
  int steps = 0;
  while (button.Fading && steps < 1000) {
    fade.FadeStep(button);
    ++steps;
  }
  return steps;
}

TEST(PushButtonFade, HoverFadesInEightySixStepsReleaseInSixtySix) {
  RecordingButton button;
  PushButtonFade fade(true);
  fade.PointerMoved(button, true);
  EXPECT_EQ(button.LeaveRequests, 1);
  EXPECT_EQ(RunFade(fade, button), 86);
  EXPECT_EQ(button.Shows.front(), (RecordingButton::Shown{kLookHot, 0}));
  EXPECT_EQ(button.Shows.back(), (RecordingButton::Shown{kLookHot, 255}));
  EXPECT_EQ(fade.Alpha(), 0);

  fade.Pressed(button);
  EXPECT_EQ(button.Shows.back(), (RecordingButton::Shown{kLookPressed, 255}));
  button.Shows.clear();
  fade.MouseReleased(button);
  EXPECT_FALSE(fade.PointerInside());
  EXPECT_EQ(RunFade(fade, button), 66);
  EXPECT_EQ(button.Shows.front(), (RecordingButton::Shown{kLookNormal, 60}));
  EXPECT_EQ(button.Shows.back(), (RecordingButton::Shown{kLookNormal, 255}));
  EXPECT_EQ(button.TimersStarted, 2);
  EXPECT_EQ(FadeStepCount(0), 86);
  EXPECT_EQ(FadeStepCount(kReleaseFadeAlpha), 66);
}

TEST(PushButtonFade, EventsShowAtOnceOrFade) {
  using Shown = RecordingButton::Shown;
  struct Case {
    const char* Name;
    void (*Run)(PushButtonFade&, RecordingButton&);
    std::vector<Shown> ShownAtOnce;
    bool FadesAfterwards;
    int LookAfterwards;
  };
  const std::vector<Case> cases{
      {"press during a hover fade", [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); f.Pressed(b); },
       {{kLookPressed, 255}}, false, kLookPressed},
      {"leave", [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); f.PointerLeft(b); },
       {{kLookHot, 140}}, true, kLookNormal},
      {"drag off while pressed",
       [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); f.Pressed(b); f.PointerMoved(b, false); },
       {{kLookPressed, 255}, {kLookPressed, 255}}, false, kLookPressed},
      {"moving on the button again", [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); f.PointerMoved(b, true); },
       {}, true, kLookHot},
      {"space up", [](PushButtonFade& f, RecordingButton& b) { f.Pressed(b); f.SpaceReleased(b); },
       {{kLookPressed, 255}}, true, kLookNormal},
      {"disabled", [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); b.IsEnabled = false; f.EnabledChanged(b, false); },
       {{kLookDisabled, 255}}, false, kLookDisabled},
      {"enabled again", [](PushButtonFade& f, RecordingButton& b) { b.IsEnabled = false; f.EnabledChanged(b, false); b.IsEnabled = true; f.EnabledChanged(b, true); },
       {{kLookDisabled, 255}, {kLookNormal, 255}}, false, kLookNormal},
      {"paint during a fade", [](PushButtonFade& f, RecordingButton& b) { f.PointerMoved(b, true); f.Painted(b); },
       {{kLookHot, 255}}, false, kLookHot},
      {"focus change", [](PushButtonFade& f, RecordingButton& b) { f.FocusChanged(b); }, {}, true, kLookNormal},
      {"a disabled button shows its disabled look whatever was asked",
       [](PushButtonFade& f, RecordingButton& b) { b.IsEnabled = false; f.Pressed(b); },
       {{kLookDisabled, 255}}, false, kLookDisabled},
  };
  for (const Case& c : cases) {
    RecordingButton button;
    PushButtonFade fade(true);
    c.Run(fade, button);
    EXPECT_EQ(button.Shows, c.ShownAtOnce) << c.Name;
    EXPECT_EQ(button.Fading, c.FadesAfterwards) << c.Name;
    EXPECT_EQ(fade.Look(), c.LookAfterwards) << c.Name;
  }
}

// --- the other painters -----------------------------------------------------

TEST(ControlGeometry, MarksAndBoxesAreCentredWithTiesToEven) {
  EXPECT_EQ(CentredIn(13, 13, 9, 8), (Point{2, 2}));  // the check mark
  EXPECT_EQ(CentredIn(13, 13, 7, 7), (Point{3, 3}));  // the indeterminate square
  EXPECT_EQ(CentredIn(13, 13, 5, 5), (Point{4, 4}));  // the option dot
  EXPECT_EQ(CentredIn(15, 15, 9, 8), (Point{3, 4}));  // 3.5 goes to 4
  EXPECT_EQ(CentredIn(17, 17, 9, 8), (Point{4, 4}));  // 4.5 goes to 4
  EXPECT_EQ(BoxTop(31, 13), 9);
  EXPECT_EQ(BoxTop(20, 13), 4);  // 3.5
  EXPECT_EQ(BoxTop(22, 13), 4);  // 4.5
}

TEST(ControlGeometry, DropButtonSitsAtTheRightAndAnswersOnlyOverItself) {
  // A 150 x 24 combo box with 17-pixel scroll bars: an 18 x 22 button at
  // (131, 1), its arrow 5 in (11 - 5.5 rounded to 6) and (24 - 6) / 2 down.
  const DropButton button = DropButtonOf(150, 24, 17);
  EXPECT_EQ(button.Place, (SliceRect{131, 1, 18, 22}));
  EXPECT_EQ(button.Arrow, (Point{5, 9}));
  struct Case {
    int X, Y;
    bool On;
  };
  for (const Case& c : {Case{131, 12, true}, Case{130, 12, false}, Case{148, 2, true}, Case{149, 12, false},
                        Case{140, 1, false}, Case{140, 22, true}, Case{140, 23, false}, Case{5, 5, false}})
    EXPECT_EQ(OnDropButton(c.X, c.Y, 150, 24, 17), c.On) << c.X << ", " << c.Y;
  EXPECT_EQ(DropButtonLook(true, false, true), ControlState::Normal);
  EXPECT_EQ(DropButtonLook(true, true, false), ControlState::Hot);
  EXPECT_EQ(DropButtonLook(true, true, true), ControlState::Pressed);
  EXPECT_EQ(DropButtonLook(false, false, false), ControlState::Hot);  // a list-only box answers everywhere
  EXPECT_EQ(DropButtonLook(false, false, true), ControlState::Pressed);
}

TEST(ControlGeometry, HeaderItemsAreHitInOrderAndRemovedOnesCountAsNone) {
  const std::vector<ItemSpan> items{{0, 100}, {100, 200}, {200, 300}};
  EXPECT_EQ(HeaderHit(items, 0), 0);
  EXPECT_EQ(HeaderHit(items, 100), 0) << "the first of two items sharing an edge";
  EXPECT_EQ(HeaderHit(items, 150), 1);
  EXPECT_EQ(HeaderHit(items, 301), -1);
  EXPECT_EQ(HeaderHit({}, 5), -1);
  EXPECT_EQ(ExistingItem(2, 3), 2);
  EXPECT_EQ(ExistingItem(3, 3), -1);
  EXPECT_EQ(ExistingItem(7, 2), -1);
  EXPECT_EQ(ExistingItem(-1, 3), -1);
  EXPECT_EQ(HeaderItemLook(1, 1, 1), ControlState::Pressed);
  EXPECT_EQ(HeaderItemLook(1, -1, 1), ControlState::Hot);
  EXPECT_EQ(HeaderItemLook(0, 1, 2), ControlState::Normal);
}

TEST(ControlGeometry, ProgressFillsStayBetweenNothingAndTheWholeBar) {
  constexpr Rgb white = 0xFFFFFF, bar = 0x4CD6F6, blue = 0x54A5D5;
  EXPECT_EQ(ProgressFraction(15000), 0.5f);
  EXPECT_EQ(ProgressFraction(60000), 1.0f);
  EXPECT_EQ(ProgressFraction(-30000), 0.0f);
  EXPECT_EQ(ProgressClientFills(198, 18, 0.5f, false), (std::vector<Fill>{{{0, 0, 198, 18}, white}, {{0, 0, 99, 18}, bar}}));
  EXPECT_EQ(ProgressClientFills(18, 58, 0.5f, true), (std::vector<Fill>{{{0, 0, 18, 58}, white}, {{0, 29, 18, 29}, bar}}));
  EXPECT_EQ(ProgressClientFills(18, 58, 0.0f, true), (std::vector<Fill>{{{0, 0, 18, 58}, white}}));
  const ProgressFrameLayout across{200, 20, 1, 1, 198, 18, false, false};
  EXPECT_EQ(ProgressFrameFills(across, 1.0f),
            (std::vector<Fill>{{{0, 0, 200, 20}, blue}, {{1, 1, 198, 18}, white}, {{1, 1, 198, 18}, bar}}));
  const ProgressFrameLayout up{20, 60, 1, 1, 18, 58, true, true};
  EXPECT_EQ(ProgressFrameFills(up, 0.25f), (std::vector<Fill>{{{0, 0, 20, 60}, blue},
                                                              {{1, 1, 18, 58}, white},
                                                              {{1, 1, 18, 58}, bar},
                                                              {{1, 1, 18, 44}, white}}));  // 14.5 filled rows: 14
  // A bar that is not smooth shows its fill through the client paint alone.
  EXPECT_EQ(ProgressFrameFills({20, 60, 1, 1, 18, 58, true, false}, 1.0f).size(), 2u);
}

TEST(ControlGeometry, ASunkenEdgeBecomesOneLineAndRingsInsideTheBorder) {
  EXPECT_EQ(NcBorder(110, 22, 106, 18, 0, 0), (Point{2, 2}));
  EXPECT_EQ(NcBorder(120, 80, 99, 59, 17, 17), (Point{2, 2})) << "less the scroll bars";
  EXPECT_EQ(NcBorder(100, 60, 98, 58, 0, 0), (Point{1, 1}));
  EXPECT_EQ(FlatBorderRings(110, 22, 2), (std::vector<SliceRect>{{0, 0, 110, 22}, {1, 1, 108, 20}}));
  EXPECT_EQ(FlatBorderRings(110, 22, 3), (std::vector<SliceRect>{{0, 0, 110, 22}, {1, 1, 108, 20}, {2, 2, 106, 18}}));
  EXPECT_EQ(FlatBorderRings(3, 3, 4).size(), 2u) << "no ring without an inside";
}

}  // namespace
}  // namespace quillane::skin
