#include "capture/toolbar_strip.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "capture/annotation_painter.h"
#include "win32/window.h"

namespace quillane::capture {

namespace {

// The nine pictures side by side over `background`.
win::Bitmap DrawIcons(COLORREF background) {
  auto [bitmap, pixels] = win::CreateDibSection(kToolbarIconSize * kToolbarButtonCount, kToolbarIconSize);
  if (!bitmap) return {};
  const std::size_t stride = static_cast<std::size_t>(kToolbarIconSize) * kToolbarButtonCount;
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    const ToolbarIcon& icon = ToolbarIconOf(i);
    for (int y = 0; y < kToolbarIconSize; ++y)
      for (int x = 0; x < kToolbarIconSize; ++x) {
        const char code = icon[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(i * kToolbarIconSize + x)] =
            win::DibPixel(code == '.' ? background : ToolbarIconColour(code));
      }
  }
  return std::move(bitmap);
}

}  // namespace

bool ToolbarStrip::Create(HWND form, Dpi dpi, HFONT font, Events events) {
  events_ = std::move(events);
  layout_ = LayOutToolbar(dpi);
  if (!MakeIcons()) return false;
  hoverFill_.Reset(CreateSolidBrush(kHoverFill));
  frame_.Reset(CreateSolidBrush(kFrame));
  const auto width = static_cast<LONG>(layout_.Strip.Width), height = static_cast<LONG>(layout_.Strip.Height);
  CapturePicture::Events pictureEvents{
      [this](MouseButton button, POINT at) {
        pressed_ = button == MouseButton::Left ? ButtonAt(layout_, at.x, at.y) : kNoButton;
      },
      [this](POINT at) {
        if (events_.Hover) events_.Hover(ButtonAt(layout_, at.x, at.y));
      },
      [this](MouseButton button, POINT at) {
        const int pressed = std::exchange(pressed_, kNoButton);
        // A click is a left press and release on the same button.
        if (button == MouseButton::Left && pressed != kNoButton && ButtonAt(layout_, at.x, at.y) == pressed &&
            events_.Click)
          events_.Click(pressed);
      },
      [this] {
        if (events_.Leave) events_.Leave();
      }};
  if (!picture_.Create(form, {0, -height, width, 0}, {kFill, kFrame}, std::move(pictureEvents),
                       [this](HDC dc, const RECT&) { Paint(dc); }))
    return false;

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                             0, 0, form, nullptr, win::ModuleInstance(), nullptr);
  if (!tooltip_) return false;
  // The system's tooltip font may have no Chinese characters.
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    std::wstring text(ToolbarTooltip(i));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(i);
    tool.rect = RectOf(layout_.Buttons[static_cast<std::size_t>(i)]);
    tool.lpszText = text.data();  // copied by the tooltip
    if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
  }
  return true;
}

void ToolbarStrip::LayOut(Dpi dpi, HFONT font) {
  layout_ = LayOutToolbar(dpi);
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(i);
    tool.rect = RectOf(layout_.Buttons[static_cast<std::size_t>(i)]);
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

bool ToolbarStrip::MakeIcons() {
  icons_ = DrawIcons(kFill);
  hotIcons_ = DrawIcons(kHoverFill);
  return icons_ && hotIcons_;
}

void ToolbarStrip::ShowHover(int button) {
  if (button == hover_) return;
  InvalidateFrame(hover_);
  hover_ = button;
  InvalidateFrame(hover_);
}

void ToolbarStrip::ShowChosen(int button) {
  if (button == chosen_) return;
  InvalidateFrame(chosen_);
  chosen_ = button;
  InvalidateFrame(chosen_);
}

void ToolbarStrip::InvalidateFrame(int button) {
  if (button < 0 || button >= kToolbarButtonCount || !Handle()) return;
  const RECT frame = RectOf(layout_.HoverFrames[static_cast<std::size_t>(button)]);
  InvalidateRect(Handle(), &frame, FALSE);
}

void ToolbarStrip::Paint(HDC dc) const {
  const bool hovering = hover_ >= 0 && hover_ < kToolbarButtonCount;
  const RECT frame = hovering ? RectOf(layout_.HoverFrames[static_cast<std::size_t>(hover_)]) : RECT{};
  if (hovering) FillRect(dc, &frame, hoverFill_.Get());
  {
    const win::MemoryDc source(dc);
    for (int i = 0; source && i < kToolbarButtonCount; ++i) {
      const PixelBox& box = layout_.Buttons[static_cast<std::size_t>(i)];
      // The picture keeps its 16 pixels at any dpi, in the middle of its box.
      const win::SelectGuard selected(source.Get(), (i == hover_ ? hotIcons_ : icons_).Get());
      BitBlt(dc, box.Left + (box.Width() - kToolbarIconSize) / 2, box.Top + (box.Height() - kToolbarIconSize) / 2,
             kToolbarIconSize, kToolbarIconSize, source.Get(), i * kToolbarIconSize, 0, SRCCOPY);
    }
  }
  // Last: a frame that ends on its button's edge keeps that edge.
  if (hovering) ::FrameRect(dc, &frame, frame_.Get());
  // The chosen tool's frame, without the hover's fill, so both read apart.
  if (chosen_ >= 0 && chosen_ < kToolbarButtonCount) {
    const RECT chosen = RectOf(layout_.HoverFrames[static_cast<std::size_t>(chosen_)]);
    ::FrameRect(dc, &chosen, frame_.Get());
  }
}

}  // namespace quillane::capture
