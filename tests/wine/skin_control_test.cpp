// The skin's look of every control kind but push buttons, on a skinned form
// with one window of each kind: check boxes, option buttons, combo boxes,
// lists, a grid, a header, progress bars and a text box with a sunken edge.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "skin/skin_draw.h"
#include "skin/skin_pixels.h"
#include "skin/skinner.h"
#include "skin_test_support.h"
#include "soak.h"
#include "waiting.h"
#include "win32/gdi.h"

namespace quillane {
namespace {

using testing_support::ExpectPixels;
using testing_support::Hex;
using testing_support::Pixels;
using testing_support::Probe;
using testing_support::Property;
using testing_support::RgbOf;
using testing_support::SkinTestForm;
using testing_support::WindowPixels;

constexpr unsigned kBlue = 0x54A5D5, kBluePressed = 0x3986C4, kBlueDisabled = 0xA4CFE9, kBar = 0x4CD6F6;
constexpr unsigned kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void Repaint(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW); }

// Paints the whole window over in one colour, behind the skin's back.
void Cover(HWND window, unsigned colour) {
  const win::WindowDc dc(window, win::WindowDc::Area::Whole);
  const SIZE size = skin::WindowSize(window);
  skin::FillSolid(dc.Get(), 0, 0, size.cx, size.cy, colour);
}

class SkinControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(skin::SkinnedCount(), 0);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics_, &metrics_, 0));
    gdiBefore = win::LiveGdiObjects();
    const wchar_t* names[] = {L"名称", L"大小", L"类型"};
    for (int i = 0; i < 3; ++i) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH;
      item.cxy = 100;
      item.pszText = const_cast<wchar_t*>(names[i]);
      SendMessageW(Control(SkinTestForm::kHeader), HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    for (const wchar_t* text : {L"一号", L"二号"}) {
      SendMessageW(Control(SkinTestForm::kCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      SendMessageW(Control(SkinTestForm::kDataList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(Control(SkinTestForm::kOptionA), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_EQ(skin::StartSkin(form.Handle()), 1);
    SetForegroundWindow(form.Handle());
    // The pointer far from the form: "the window under the pointer" is never ours.
    SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5);
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    win::PumpPendingMessages();
  }
  void TearDown() override {
    form.Destroy();
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics_, &metrics_, 0);
    EXPECT_EQ(skin::SkinnedCount(), 0);
    EXPECT_EQ(win::LiveGdiObjects(), gdiBefore);
  }

  HWND Control(int id) const { return form.Control(id); }
  // The system sizes check boxes and option circles after its menu font.
  bool SetMarkSize(int size) {
    NONCLIENTMETRICSW changed = metrics_;
    for (int height = -6; height >= -24; --height) {
      changed.lfMenuFont.lfHeight = height;
      SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
      if (GetSystemMetrics(SM_CXMENUCHECK) == size && GetSystemMetrics(SM_CYMENUCHECK) == size) return true;
    }
    return false;
  }
  // Moves the real pointer without letting any message run.
  static void PointerTo(HWND window, POINT client) {
    const POINT screen = testing_support::ScreenPoint(window, client);
    SetCursorPos(screen.x, screen.y);
  }

  std::int64_t gdiBefore = 0;
  SkinTestForm form;
  const skin::SkinPixels images = skin::BuildSkinPixels();

 private:
  NONCLIENTMETRICSW metrics_{sizeof(NONCLIENTMETRICSW)};
};

// Normal, hot, pressed and disabled, each as the pointer asks for it.
enum Look { kRest, kHot, kPressed, kDisabled };
const char* const kLookNames[] = {"at rest", "hot", "pressed", "disabled"};

void Enter(HWND control, Look look) {
  EnableWindow(control, look != kDisabled);
  switch (look) {
    case kRest:
      SendMessageW(control, WM_MOUSELEAVE, 0, 0);
      Repaint(control);
      break;
    case kHot: SendMessageW(control, WM_MOUSEMOVE, 0, At(3, 3)); break;
    // A disabled control keeps its pale look whatever the pointer asks for.
    case kPressed:
    case kDisabled: SendMessageW(control, WM_MOUSEMOVE, MK_LBUTTON, At(3, 3)); break;
  }
}

TEST_F(SkinControlTest, CheckBoxShowsEveryStateExactly) {
  const HWND box = Control(SkinTestForm::kSkinCheck);
  // The mark sits where (size - 9) / 2 and (size - 8) / 2 put it, ties to even.
  struct Size {
    int Edge, MarkX, MarkY, Square;
  };
  for (const Size size : {Size{13, 2, 2, 3}, Size{15, 3, 4, 4}}) {
    ASSERT_TRUE(SetMarkSize(size.Edge));
    const int top = (19 - size.Edge) / 2, last = size.Edge - 1;
    for (LRESULT check : {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE}) {
      for (Look look : {kRest, kHot, kPressed, kDisabled}) {
        SendMessageW(box, BM_SETCHECK, check, 0);
        Enter(box, look);
        const bool enabled = look != kDisabled;
        // The fill of a hot or pressed box: the middle rows of that circle, stretched.
        const unsigned fillTop = look == kHot ? images.Box.At(1, 17) : look == kPressed ? images.Box.At(1, 30) : kWhite;
        const unsigned fillBottom = look == kHot ? images.Box.At(11, 21) : look == kPressed ? images.Box.At(11, 34) : kWhite;
        std::vector<Probe> probes{
            {0, top + size.Edge / 2, look == kPressed ? kBluePressed : enabled ? kBlue : kBlueDisabled},
            {last, top, look == kPressed ? kBluePressed : enabled ? kBlue : kBlueDisabled},
            {1, top + 1, fillTop},
            {last - 1, top + last - 1, fillBottom},
        };
        if (check == BST_CHECKED) {
          const int x = size.MarkX, y = top + size.MarkY;
          probes.push_back({x + 8, y, enabled ? 0x54B71Du : 0xA8DA8Cu});
          probes.push_back({x + 1, y + 5, enabled ? 0x3E9C0Au : 0x9DCD82u});
          probes.push_back({x + 3, y + 7, enabled ? 0x359102u : 0x98C77Eu});
          if (look == kRest || look == kDisabled) probes.push_back({x + 3, y + 4, kWhite});  // a gap in the mark
        } else if (check == BST_INDETERMINATE) {
          const int x = size.Square, y = top + size.Square;
          probes.push_back({x, y, enabled ? 0x51B41Bu : 0xA6D98Bu});
          probes.push_back({x + 6, y + 6, enabled ? 0x399606u : 0x9AC980u});
        }
        ExpectPixels(WindowPixels(box), probes,
                     std::to_string(size.Edge) + " px, check " + std::to_string(check) + ", " + kLookNames[look]);
      }
    }
  }
  // Asked again for the state it shows, unforced, it draws nothing.
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  Enter(box, kRest);
  Cover(box, kMagenta);
  SendMessageW(box, WM_MOUSELEAVE, 0, 0);
  SendMessageW(box, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(testing_support::WindowPixels(box).CountOtherThan(RGB(255, 0, 255)), 0);
  SendMessageW(box, WM_MOUSEMOVE, 0, At(3, 3));
  EXPECT_EQ(Hex(RgbOf(WindowPixels(box).At(0, 6))), Hex(kBlue)) << "a new state is drawn";
}

TEST_F(SkinControlTest, OptionsShowTheirCircleAndDotInEveryStateAndThePaleCircleWhenDisabled) {
  ASSERT_TRUE(SetMarkSize(13));
  const HWND chosen = Control(SkinTestForm::kOptionA), other = Control(SkinTestForm::kOptionB);
  const int top = (21 - 13) / 2;
  // Ring at its widest, the interior left of the middle, the middle.
  struct Expected {
    Look State;
    unsigned Ring, Inside, Middle, Dot, DotEdge;
  };
  for (const Expected& e : {Expected{kRest, 0x83A6D2, 0xFFFFFF, 0xFFFFFF, 0x47A812, 0x87CC60},
                            Expected{kHot, 0x83A6D2, 0xC7ECF9, 0xCFEEFA, 0x47A812, 0x87CC60},
                            Expected{kPressed, 0x6489C1, 0xB1E2F5, 0xBCE7F8, 0x47A812, 0x87CC60},
                            Expected{kDisabled, 0xC1D2E8, 0xFFFFFF, 0xFFFFFF, 0xA3D388, 0xC3E5AF}}) {
    for (HWND option : {chosen, other}) Enter(option, e.State);
    const Pixels plain = WindowPixels(other), marked = WindowPixels(chosen);
    const unsigned background = RgbOf(plain.At(0, 0));
    ExpectPixels(plain, {{0, top + 6, e.Ring}, {3, top + 6, e.Inside}, {6, top + 6, e.Middle}, {0, top, background}},
                 std::string("option ") + kLookNames[e.State]);
    ExpectPixels(marked, {{0, top + 6, e.Ring}, {6, top + 6, e.Dot}, {5, top + 4, e.DotEdge}, {0, top, background}},
                 std::string("chosen option ") + kLookNames[e.State]);
  }
  // The system checks the next option of a group for the keyboard by itself
  // (and draws its own circle): the skin's dot follows.
  for (HWND option : {chosen, other}) Enter(option, kRest);
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(chosen, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Hex(RgbOf(WindowPixels(other).At(6, top + 6))), Hex(0x47A812));
  EXPECT_EQ(Hex(RgbOf(WindowPixels(chosen).At(6, top + 6))), Hex(kWhite));
}

TEST_F(SkinControlTest, ComboDropButtonAtRestHotPressedAndWhileTheListIsOpen) {
  const HWND combo = Control(SkinTestForm::kCombo);
  RECT r{};
  GetWindowRect(combo, &r);
  const int w = r.right - r.left, h = r.bottom - r.top, v = GetSystemMetrics(SM_CXVSCROLL);
  const int left = w - (v + 1) - 1;  // the button's left column
  const auto arrowPixels = [&](const Pixels& shown) {
    int n = 0;
    for (int y = 1; y < h - 1; ++y)
      for (int x = left; x < w - 1; ++x) n += RgbOf(shown.At(x, y)) == 0x19555F;
    return n;
  };
  struct Case {
    const char* Name;
    std::function<void()> Enter;
    unsigned Line, Top;
  };
  const Case cases[] = {
      {"at rest", [&] { Enter(combo, kRest); }, kWhite, kWhite},
      {"hot", [&] { SendMessageW(combo, WM_MOUSEMOVE, 0, At(5, 5)); }, 0x4EA0D1, 0xE8F9FF},
      {"pressed", [&] { SendMessageW(combo, WM_MOUSEMOVE, MK_LBUTTON, At(5, 5)); }, 0x4EA0D1, 0xBEE1F3},
      {"list open, asked for hot",
       [&] {
         SendMessageW(combo, WM_MOUSEMOVE, 0, At(5, 5));
         SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
         SendMessageW(combo, WM_MOUSEMOVE, 0, At(5, 5));
       },
       0x4EA0D1, 0xBEE1F3},
  };
  for (const Case& c : cases) {
    c.Enter();
    const Pixels shown = WindowPixels(combo);
    ExpectPixels(shown, {{0, h / 2, kBlue}, {1, h / 2, kWhite}, {left, h / 2, c.Line}, {left + 3, 1, c.Top}}, c.Name);
    EXPECT_EQ(arrowPixels(shown), 7 + 5 + 3 + 1) << c.Name;
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

  // An editable combo box: only its drop button answers the pointer.
  const HWND editable = Control(SkinTestForm::kEditCombo);
  GetWindowRect(editable, &r);
  const int ew = r.right - r.left, eh = r.bottom - r.top, eleft = ew - (v + 1) - 1;
  const auto buttonTop = [&] { return RgbOf(WindowPixels(editable).At(eleft + 3, 1)); };
  ExpectPixels(WindowPixels(editable), {{0, eh / 2, kBlue}, {eleft + 3, 1, kWhite}}, "editable, at rest");
  SendMessageW(editable, WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(Property(editable, L"OLDSTATE"), 0) << "over the text";
  SendMessageW(editable, WM_MOUSEMOVE, 0, At(ew - 8, eh / 2));
  EXPECT_EQ(Hex(buttonTop()), Hex(0xE8F9FF)) << "over the button";
  SendMessageW(editable, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(Hex(buttonTop()), Hex(0xE8F9FF)) << "a click in the text part draws nothing";
  EXPECT_EQ(Property(editable, L"OLDSTATE"), 1);
  SendMessageW(editable, WM_LBUTTONUP, 0, At(5, 5));
  SendMessageW(editable, WM_LBUTTONDOWN, MK_LBUTTON, At(ew - 8, eh / 2));
  EXPECT_EQ(Hex(buttonTop()), Hex(0xBEE1F3)) << "a click on the button";
  SendMessageW(editable, CB_SHOWDROPDOWN, FALSE, 0);
  ReleaseCapture();
  SendMessageW(editable, WM_LBUTTONUP, 0, At(ew - 8, eh / 2));
  EXPECT_EQ(Hex(buttonTop()), Hex(kWhite)) << "released with the pointer elsewhere";
}

TEST_F(SkinControlTest, ListsGridsAndDroppedListsGetBlueFrames) {
  const HWND combo = Control(SkinTestForm::kCombo);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  struct Case {
    const char* Name;
    HWND Window;
    std::function<void()> Enter;
    unsigned Outer, Inner;
  };
  const HWND list = Control(SkinTestForm::kDataList), grid = Control(SkinTestForm::kGrid);
  const Case cases[] = {
      {"data list", list, [] {}, kBlue, kWhite},
      {"grid", grid, [] {}, kBlue, kWhite},
      // Skinned as it first paints, and framed from then on.
      {"dropped list", info.hwndList,
       [&] {
         SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
         win::PumpPendingMessages();
       },
       kBlue, kWhite},
      {"disabled data list", list, [&] { EnableWindow(list, FALSE); }, kBlueDisabled, kWhite},
  };
  for (const Case& c : cases) {
    c.Enter();
    Repaint(c.Window);
    const Pixels shown = WindowPixels(c.Window);
    const int middle = shown.Height / 2;
    ExpectPixels(shown, {{0, middle, c.Outer}, {shown.Width - 1, middle, c.Outer}, {1, middle, c.Inner}}, c.Name);
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

// Header items are 100 wide and the header 20 high, so the frames map one
// to one: row 9 of the left, middle and right columns of each frame.
constexpr unsigned kItemRow[3][3] = {
    {0xEDF5FB, 0xD3E5F6, 0x7AB0D9},  // normal
    {0x5EC2FA, 0xAFE1FD, 0x4BA2DB},  // hot
    {0x5EC2FA, 0xB0E7FF, 0x4BA2DB},  // pressed
};
void ExpectItems(HWND header, std::initializer_list<int> looks, const std::string& what) {
  std::vector<Probe> probes;
  int left = 0;
  for (int look : looks) {
    probes.push_back({left, 9, kItemRow[look][0]});
    probes.push_back({left + 5, 9, kItemRow[look][1]});
    probes.push_back({left + 99, 9, kItemRow[look][2]});
    left += 100;
  }
  ExpectPixels(testing_support::ClientPixels(header), probes, what);
}

TEST_F(SkinControlTest, HeaderItemsNormalHotPressedAndAReleaseOutsideDrawsThePressedItemNormal) {
  const HWND header = Control(SkinTestForm::kHeader);
  ExpectItems(header, {0, 0, 0}, "at rest");
  SendMessageW(header, WM_MOUSEMOVE, 0, At(150, 5));
  ExpectItems(header, {0, 1, 0}, "pointer over the second");
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 5));
  ExpectItems(header, {0, 2, 0}, "pressed");
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, At(250, 5));
  ExpectItems(header, {0, 2, 0}, "dragged off: still pressed, the third not hot");
  SendMessageW(header, WM_LBUTTONUP, 0, At(250, 5));  // the pointer is far away
  ExpectItems(header, {0, 0, 0}, "released outside");
  EXPECT_EQ(Property(header, L"HDINDEX"), -1);

  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 5));
  PointerTo(header, {150, 5});
  SendMessageW(header, WM_LBUTTONUP, 0, At(150, 5));
  ExpectItems(header, {0, 1, 0}, "released over the header");
  Repaint(header);
  ExpectItems(header, {0, 1, 0}, "repainted whole: the hot item stays hot");
}

TEST_F(SkinControlTest, HeaderItemsThatAreGoneDrawNothingAndTextStaysWide) {
  const HWND header = Control(SkinTestForm::kHeader);
  // The pressed and the hot item removed while the header remembers them
  // (pressed by a double click, which the header itself does not track).
  SendMessageW(header, WM_MOUSEMOVE, 0, At(250, 5));
  SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, At(250, 5));
  ASSERT_EQ(Property(header, L"HDINDEX"), 2);
  SendMessageW(header, HDM_DELETEITEM, 2, 0);
  Cover(header, kMagenta);
  SendMessageW(header, WM_LBUTTONUP, 0, At(250, 5));
  SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(testing_support::ClientPixels(header).CountOtherThan(RGB(255, 0, 255)), 0);

  // Chinese text is drawn as itself, not as question marks.
  const auto itemPixels = [&](const wchar_t* text) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(header, WM_MOUSEMOVE, 0, At(50, 5));  // the item alone, hot
    const Pixels shown = testing_support::ClientPixels(header);
    SendMessageW(header, WM_MOUSEMOVE, 0, At(150, 5));
    std::vector<COLORREF> block;
    for (int y = 0; y < shown.Height; ++y)
      for (int x = 0; x < 100; ++x) block.push_back(shown.At(x, y));
    return block;
  };
  EXPECT_NE(itemPixels(L"名称"), itemPixels(L"??"));
}

TEST_F(SkinControlTest, ProgressBarsFillFromTheLeftOrFromTheBottomAndStayInsideTheirFrame) {
  const HWND across = Control(SkinTestForm::kProgress), up = Control(SkinTestForm::kVProgress);
  // 200 x 20 and 20 x 60 windows with a one-pixel border.
  struct Case {
    const char* Name;
    HWND Bar;
    int Min, Max, Position;
    std::vector<Probe> Probes;
  };
  const Case cases[] = {
      {"half, across", across, 0, 30000, 15000, {{99, 10, kBar}, {100, 10, kWhite}, {0, 10, kBlue}, {199, 10, kBlue}}},
      {"half, upwards", up, 0, 30000, 15000, {{10, 58, kBar}, {10, 30, kBar}, {10, 29, kWhite}, {10, 0, kBlue}, {10, 59, kBlue}}},
      {"nothing", across, 0, 30000, 0, {{1, 10, kWhite}, {0, 10, kBlue}}},
      {"beyond the scale, across", across, 0, 60000, 60000, {{198, 10, kBar}, {199, 10, kBlue}, {0, 10, kBlue}}},
      {"beyond the scale, upwards", up, 0, 60000, 60000, {{10, 1, kBar}, {10, 0, kBlue}, {10, 59, kBlue}}},
      {"below the scale, across", across, -30000, 0, -30000, {{1, 10, kWhite}, {0, 10, kBlue}, {199, 10, kBlue}}},
      {"below the scale, upwards", up, -30000, 0, -30000, {{10, 58, kWhite}, {10, 59, kBlue}, {10, 0, kBlue}}},
  };
  for (const Case& c : cases) {
    SendMessageW(c.Bar, PBM_SETRANGE32, static_cast<WPARAM>(c.Min), c.Max);
    SendMessageW(c.Bar, PBM_SETPOS, static_cast<WPARAM>(c.Position), 0);
    Repaint(c.Bar);
    ExpectPixels(WindowPixels(c.Bar), c.Probes, c.Name);
  }
}

TEST_F(SkinControlTest, ASunkenEdgeBecomesOneBlueLineWithTheClientColourInside) {
  const HWND box = Control(SkinTestForm::kSunken);  // 110 x 22, an edge two pixels wide
  ExpectPixels(WindowPixels(box),
               {{0, 11, kBlue}, {109, 11, kBlue}, {55, 0, kBlue}, {55, 21, kBlue}, {0, 0, kBlue}, {109, 21, kBlue},
                {1, 11, kWhite}, {108, 11, kWhite}, {55, 1, kWhite}, {55, 20, kWhite}, {1, 1, kWhite}, {108, 20, kWhite}},
               "text box");
}

TEST_F(SkinControlTest, RepeatedForcedRepaintsOfEachPainterLeaveNoGdiObject) {
  const HWND header = Control(SkinTestForm::kHeader), combo = Control(SkinTestForm::kCombo);
  const auto before = win::LiveGdiObjects();
  const auto start = std::chrono::steady_clock::now();
  const int rounds = testing_support::SoakRounds();
  for (int i = 0; i < rounds; ++i) {
    // Client and frame paints of the kinds the pointer does not change
    // (nothing is invalid, so the controls' own painting is short), then the
    // painters of check boxes, options, header items and drop buttons, forced
    // or in a new state each time.
    for (int id : {SkinTestForm::kCombo, SkinTestForm::kEditCombo, SkinTestForm::kHeader, SkinTestForm::kProgress,
                   SkinTestForm::kDataList, SkinTestForm::kGrid})
      SendMessageW(Control(id), WM_PAINT, 0, 0);
    for (int id : {SkinTestForm::kProgress, SkinTestForm::kSunken}) SendMessageW(Control(id), WM_NCPAINT, 1, 0);
    SendMessageW(Control(SkinTestForm::kSkinCheck), WM_MOUSEMOVE, 0, At(3, 3));
    SendMessageW(Control(SkinTestForm::kOptionA), WM_MOUSEMOVE, 0, At(3, 3));
    SendMessageW(header, WM_MOUSEMOVE, 0, At(i % 2 ? 50 : 150, 5));
    SendMessageW(combo, WM_MOUSEMOVE, i % 2 ? MK_LBUTTON : 0, At(5, 5));
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("[ skin     ] %d rounds of 12 skin paints: %lld ms\n", rounds, static_cast<long long>(ms.count()));
  EXPECT_EQ(win::LiveGdiObjects(), before);
}

}  // namespace
}  // namespace quillane
