#include "capture/frm_screen_capture.h"

#include <windowsx.h>

#include <algorithm>
#include <future>
#include <utility>

#include "capture/annotation_painter.h"
#include "capture/app_pointer.h"
#include "capture/capture_save.h"
#include "export/save_error.h"
#include "export/save_image_file.h"
#include "export/system_app_cursor.h"
#include "win32/design_table.h"
#include "util/numbers.h"
#include "win32/dpi_awareness.h"
#include "win32/kernel_handle.h"
#include "win32/window_classes.h"

namespace quillane::capture {

namespace {

// The cursor on the screen, wherever the held mouse has gone; the last
// message's point when the position cannot be read (another desktop).
CursorPoint ScreenCursor() {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) {
    const DWORD at = GetMessagePos();
    cursor = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  }
  return {cursor.x, cursor.y};
}

constexpr UINT_PTR kKeepFrozenTimer = 1;
constexpr UINT kKeepFrozenDelayMs = 50;
constexpr const wchar_t* kCaption = L"截屏";
constexpr const wchar_t* kFontFace = L"宋体";

// The frame's one-pixel outline as four strips; a frame 0 wide or high is a
// line, one of no size shows nothing.
struct Outline {
  int Count = 0;
  std::array<RECT, 4> Edges{};
};

// The snapped window's outline: two pixels wide, inside its box.
Outline SnapOutlineOf(const Overlay& overlay) {
  if (!overlay.SnapVisible || overlay.Snap.Width() <= 0 || overlay.Snap.Height() <= 0) return {};
  const PixelBox& b = overlay.Snap;
  const int w = std::min({2, b.Width(), b.Height()});
  return {4, {{{b.Left, b.Top, b.Right, b.Top + w}, {b.Left, b.Bottom - w, b.Right, b.Bottom},
               {b.Left, b.Top, b.Left + w, b.Bottom}, {b.Right - w, b.Top, b.Right, b.Bottom}}}};
}

Outline OutlineOf(const Overlay& overlay) {
  if (!overlay.FrameVisible) return {};
  const FrameRect& f = overlay.Frame;
  const int l = Pixel(f.Left), t = Pixel(f.Top);
  int r = Pixel(f.Right()), b = Pixel(f.Bottom());
  if (r <= l && b <= t) return {};
  r = std::max(r, l + 1);
  b = std::max(b, t + 1);
  return {4, {{{l, t, r, t + 1}, {l, b - 1, r, b}, {l, t, l + 1, b}, {r - 1, t, r, b}}}};
}

// `area` but for `hole`, as four bands (some of them empty): above it,
// below it, and left and right of it.
std::array<RECT, 4> BandsAround(const RECT& area, const PixelBox& hole) {
  const LONG top = std::clamp<LONG>(hole.Top, area.top, area.bottom);
  const LONG bottom = std::clamp<LONG>(hole.Bottom, top, area.bottom);
  return {{{area.left, area.top, area.right, top},
           {area.left, bottom, area.right, area.bottom},
           {area.left, top, std::min<LONG>(area.right, hole.Left), bottom},
           {std::max<LONG>(area.left, hole.Right), top, area.right, bottom}}};
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameOutline(const Outline& a, const Outline& b) {
  if (a.Count != b.Count) return false;
  for (int i = 0; i < a.Count; ++i)
    if (!(a.Edges[i] == b.Edges[i])) return false;
  return true;
}

PointF PointOf(LPARAM lParam) {
  return {static_cast<float>(GET_X_LPARAM(lParam)), static_cast<float>(GET_Y_LPARAM(lParam))};
}

// Moves, sizes, shows or hides a control in the batch only when that changes.
void Place(HDWP& batch, HWND control, PointF at, SIZE size, bool visible, UINT flags = 0) {
  if (!batch || !control) return;
  RECT now{};
  GetWindowRect(control, &now);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
  const int x = Pixel(at.X), y = Pixel(at.Y);
  const bool wasVisible = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
  const bool moved = now.left != x || now.top != y || now.right - now.left != size.cx || now.bottom - now.top != size.cy;
  if (!moved && wasVisible == visible) return;
  const UINT show = wasVisible == visible ? 0 : visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  batch = DeferWindowPos(batch, control, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | show | flags);
}

}  // namespace

win::Clipboard& ProgramClipboard() {
  static win::SystemClipboard clipboard;
  return clipboard;
}

exporting::AppCursor& ProgramCursor() {
  static exporting::SystemAppCursor cursor;
  return cursor;
}

FrmScreenCapture::FrmScreenCapture(const CaptureServices& services, PictureCodec& codec)
    : services_(services), surface_(codec) {}

bool FrmScreenCapture::Open(HWND owner) {
  if (Exists() || session_) return false;
  programAwareness_ = win::ThreadDpiAwareness::Current();
  // The picture, the monitors and the window in the monitors' own pixels,
  // unscaled on every monitor; the window keeps this awareness for life.
  const win::ThreadDpiAwareness perMonitor = win::ThreadDpiAwareness::PerMonitor();
  const ScreenArea area = VirtualScreen();
  // The window list is taken before the window exists, so it never holds
  // the capture's own windows.
  std::vector<WindowFacts> windows = services_.Windows ? services_.Windows() : std::vector<WindowFacts>{};
  for (WindowFacts& window : windows)
    window.Area = {window.Area.Left - area.Left, window.Area.Top - area.Top, window.Area.Right - area.Left,
                   window.Area.Bottom - area.Top};
  // The desktop is copied while the window and its controls are made: they
  // stay hidden until it is frozen, so it holds nothing of them, and the
  // time the screen takes to read is not waited for twice.
  std::future<bool> frozen = std::async(std::launch::async, [this, area] { return surface_.Freeze(area); });
  const ClassStyle cls{win::kCaptureWindowClass, nullptr, LoadCursorW(nullptr, IDC_ARROW), CS_DBLCLKS};
  if (!CreateWindowOf(cls, WS_EX_TOPMOST, kCaption, WS_POPUP | WS_CLIPCHILDREN, area.Left, area.Top, area.Width,
                      area.Height, owner, nullptr)) {
    frozen.wait();
    return false;
  }
  surface_.OnChanged([this](const RECT& changed) {
    if (!Exists()) return;
    InvalidateRect(Handle(), &changed, FALSE);
    textBox_.PictureChanged(surface_.PictureDc(), surface_.Width());
    ShowLoupe(shown_);
  });
  const win::DisplayDpi dpi = win::ScreenDpi();
  dpi_ = dpi;
  handleSize_ = std::max(1, TwipsToPixels(kHandleTwips, dpi.X));
  const bool made = CreateControls(dpi);
  if (!frozen.get() || !made) {
    Destroy();
    return false;
  }
  shown_.Dpi = dpi.Y;
  const CaptureParts parts = DesignedParts({dpi.X, dpi.Y}, static_cast<float>(labelHeight_));
  std::vector<Monitor> monitors = ScreenLayout::FromScreenMonitors(area, services_.Monitors()).Monitors();
  std::vector<PixelBox> monitorBoxes;
  for (const Monitor& monitor : monitors) monitorBoxes.push_back(monitor.Area);
  session_.emplace(static_cast<CaptureView&>(*this), surface_,
                   CaptureMetrics{area, parts.Handle, parts.Strip, parts.SizeLabelHeight, parts.Panel,
                                  std::move(monitors), SnapTargets(windows, std::move(monitorBoxes)), dpi.Y,
                                  [this](std::int32_t at) {
                                    const win::Font font = LabelFontAt(at);
                                    return DesignedParts({at, at}, static_cast<float>(LineHeight(font.Get())));
                                  }});
  session_->Open();
  return true;
}

win::Font FrmScreenCapture::LabelFontAt(std::int32_t dpi) {
  return win::CreateDesignFont(kFontFace, 10.5, FW_NORMAL, {dpi, dpi});
}

int FrmScreenCapture::LineHeight(HFONT font) const {
  const win::WindowDc dc(Handle());
  const win::SelectGuard selected(dc.Get(), font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

bool FrmScreenCapture::CreateControls(win::DisplayDpi dpi) {
  labelFont_ = LabelFontAt(dpi.Y);
  frameBrush_.Reset(CreateSolidBrush(kFrameColour));
  labelBrush_.Reset(CreateSolidBrush(kLabelBackColour));
  lblPos_ = CreateLabel(shown_.SizeText.c_str());
  lblInfo_ = CreateLabel(shown_.InfoText.c_str());
  labelHeight_ = LineHeight(labelFont_.Get());
  sizeLabelSize_ = LabelSize(shown_.SizeText);
  infoLabelSize_ = LabelSize(shown_.InfoText);
  bool made = lblPos_ && lblInfo_ && CreateOptionsPanel(dpi);
  made = made && picture1_.Create(Handle(), {dpi.X, dpi.Y}, labelFont_.Get(),
                                  {[this](int button) {
                                     if (Listening()) session_->ToolbarHover(button);
                                   },
                                   [this] {
                                     if (Listening()) session_->ToolbarLeave();
                                   },
                                   [this](int button) {
                                     if (Listening()) session_->ToolbarClick(button);
                                   }});
  for (int i = 0; i < kHandleCount; ++i) {
    made = made && image1_[static_cast<std::size_t>(i)].Create(
                       Handle(), {0, 0, handleSize_, handleSize_}, {kFrameColour, std::nullopt},
                       {[this, i](MouseButton, POINT) {
                          if (Listening()) session_->HandlePress(i, ScreenCursor());
                        },
                        [this, i](POINT) {
                          if (Listening()) session_->HandleMove(i, ScreenCursor());
                        },
                        [this, i](MouseButton, POINT) {
                          if (Listening()) session_->HandleRelease(i);
                        },
                        {}});
  }
  return made;
}

bool FrmScreenCapture::CreateOptionsPanel(win::DisplayDpi dpi) {
  PickerPanel::Events events{[this] {
                               if (Listening()) session_->PanelHover();
                             },
                             [this](int swatch) {
                               if (Listening()) session_->PaletteHover(swatch);
                             },
                             [this](int swatch) {
                               if (!Listening()) return;
                               session_->PaletteRelease(swatch);
                               RefocusTextBox();
                             },
                             [this](bool overFace) {
                               if (Listening()) session_->FontPanelHover(overFace);
                             },
                             [this] {
                               if (Listening()) session_->FacePress();
                             },
                             [this](const std::wstring& text) {
                               // Also while a dialog is open: the text has changed.
                               if (session_) session_->SizeTextChanged(text);
                             },
                             [this] {
                               if (session_) session_->SizeTextDone();
                             },
                             [this](const std::wstring& text) {
                               if (!session_) return;
                               session_->SizeChosen(text);
                               RefocusTextBox();
                             }};
  return options_.Create(Handle(), dpi, labelFont_.Get(), std::move(events)) && textBox_.Create(Handle(), dpi);
}

HWND FrmScreenCapture::CreateLabel(const wchar_t* caption) {
  const HWND label = CreateWindowExW(0, L"STATIC", caption, WS_CHILD | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0, Handle(),
                                     nullptr, win::ModuleInstance(), nullptr);
  if (label) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.Get()), FALSE);
  return label;
}

SIZE FrmScreenCapture::LabelSize(const std::wstring& text) const {
  const win::WindowDc dc(Handle());
  const win::SelectGuard font(dc.Get(), labelFont_.Get());
  SIZE extent{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
  return {extent.cx + 4, labelHeight_};
}

void FrmScreenCapture::LayOutAt(std::int32_t dpi) {
  const win::DisplayDpi both{dpi, dpi};
  // Every control takes the new font before the old one goes.
  win::Font font = LabelFontAt(dpi);
  for (const HWND label : {lblPos_, lblInfo_})
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  picture1_.LayOut({dpi, dpi}, font.Get());
  options_.LayOut(both, font.Get());
  labelFont_ = std::move(font);
  labelHeight_ = LineHeight(labelFont_.Get());
  sizeLabelSize_ = LabelSize(shown_.SizeText);
  infoLabelSize_ = LabelSize(shown_.InfoText);
  handleSize_ = Pixel(session_->Metrics().Handle.Width);
  textBox_.SetDpi(both);
  dpi_ = both;
}

void FrmScreenCapture::InvalidateFrame(const Overlay& overlay) {
  for (const Outline& outline : {OutlineOf(overlay), SnapOutlineOf(overlay)})
    for (int i = 0; i < outline.Count; ++i) InvalidateRect(Handle(), &outline.Edges[i], FALSE);
}

void FrmScreenCapture::ShowOverlay(const Overlay& overlay) {
  if (!Exists()) return;
  // Only the frame's old and new outlines are repainted, never the picture.
  if (!SameOutline(OutlineOf(shown_), OutlineOf(overlay)) ||
      !SameOutline(SnapOutlineOf(shown_), SnapOutlineOf(overlay))) {
    InvalidateFrame(shown_);
    InvalidateFrame(overlay);
  }
  // The controls take the dpi of the monitor holding the region.
  const bool laidOut = overlay.Dpi != shown_.Dpi && session_;
  if (laidOut) LayOutAt(overlay.Dpi);
  if (overlay.SizeText != shown_.SizeText || laidOut) {
    SetWindowTextW(lblPos_, overlay.SizeText.c_str());
    sizeLabelSize_ = LabelSize(overlay.SizeText);
  }
  if (overlay.InfoText != shown_.InfoText || laidOut) {
    SetWindowTextW(lblInfo_, overlay.InfoText.c_str());
    infoLabelSize_ = LabelSize(overlay.InfoText);
  }
  if (overlay.Panel != shown_.Panel || laidOut) options_.ShowShape(overlay.Panel);
  options_.ShowPickers(overlay.CurrentColour, overlay.SwatchBorders, overlay.Face);
  options_.ShowSizeText(overlay.FontSizeText);
  picture1_.ShowHover(overlay.HoverButton);
  picture1_.ShowChosen(overlay.ChosenButton);
  // Every control moves in one batch, so each shows once in its final place.
  HDWP batch = BeginDeferWindowPos(4 + kHandleCount);
  // A label's centred text moves when its width changes: all of it is repainted.
  Place(batch, lblPos_, overlay.SizeLabelAt, sizeLabelSize_, overlay.LabelsVisible, SWP_NOCOPYBITS);
  Place(batch, lblInfo_, overlay.InfoLabelAt, infoLabelSize_, overlay.LabelsVisible, SWP_NOCOPYBITS);
  for (int i = 0; i < kHandleCount; ++i)
    Place(batch, HandleWindow(i), overlay.Handles[static_cast<std::size_t>(i)], {handleSize_, handleSize_},
          overlay.HandlesVisible);
  const SIZE strip{static_cast<LONG>(session_ ? session_->Metrics().Strip.Width : 0),
                   static_cast<LONG>(session_ ? session_->Metrics().Strip.Height : 0)};
  Place(batch, Strip(), overlay.StripAt, strip, overlay.StripVisible);
  const SIZE panel{static_cast<LONG>(overlay.Panel.Width),
                   static_cast<LONG>(session_ ? session_->Metrics().Panel.Height : 0)};
  Place(batch, OptionsPanel(), overlay.PanelAt, panel, overlay.PanelVisible);
  if (batch) EndDeferWindowPos(batch);
  textBox_.Show(overlay.Text, surface_.PictureDc(), surface_.Width());
  ShowLoupe(overlay);
  shown_ = overlay;
  KeepFocusVisible();
}

void FrmScreenCapture::ShowLoupe(const Overlay& overlay) {
  const auto invalidate = [this](const PixelBox& box, std::int32_t dx, std::int32_t dy) {
    const RECT area{box.Left + dx, box.Top + dy, box.Right + dx, box.Bottom + dy};
    if (area.right > area.left && area.bottom > area.top) InvalidateRect(Handle(), &area, FALSE);
  };
  if (overlay.Loupe && session_) {
    const PixelSpot at = overlay.LoupePointer;
    const ScreenArea& screen = session_->Metrics().Screen;
    const PixelBox changed = loupe_.Update(surface_.Pixels(), at.X, at.Y, screen.Left + at.X, screen.Top + at.Y,
                                          overlay.LoupeDpi);
    if (overlay.Loupe == shown_.Loupe)
      invalidate(changed, overlay.Loupe->Left, overlay.Loupe->Top);
    else
      invalidate(*overlay.Loupe, 0, 0);
  }
  if (shown_.Loupe && shown_.Loupe != overlay.Loupe) invalidate(*shown_.Loupe, 0, 0);
}

void FrmScreenCapture::PaintLoupe(HDC dc, const RECT& area) const {
  if (!shown_.Loupe) return;
  const PixelBox& at = *shown_.Loupe;
  const PixelBox part{std::max<std::int32_t>(area.left, at.Left) - at.Left,
                      std::max<std::int32_t>(area.top, at.Top) - at.Top,
                      std::min<std::int32_t>(area.right, at.Right) - at.Left,
                      std::min<std::int32_t>(area.bottom, at.Bottom) - at.Top};
  loupe_.Paint(dc, at.Left, at.Top, part);
}

void FrmScreenCapture::KeepFocusVisible() {
  const HWND focus = GetFocus();
  if (focus && focus != Handle() && IsChild(Handle(), focus) && !IsWindowVisible(focus)) SetFocus(Handle());
}

void FrmScreenCapture::DrawFrame(HDC dc) const {
  for (const Outline& outline : {OutlineOf(shown_), SnapOutlineOf(shown_)})
    for (int i = 0; i < outline.Count; ++i) FillRect(dc, &outline.Edges[i], frameBrush_.Get());
}

void FrmScreenCapture::ErasePreview(HDC dc) {
  if (previewCover_.empty()) return;
  const win::Region cover = RegionOf(previewCover_);
  SelectClipRgn(dc, cover.Get());
  surface_.Paint(dc, BoundsOf(previewCover_));
  DrawFrame(dc);
  SelectClipRgn(dc, nullptr);
  previewCover_.clear();
}

void FrmScreenCapture::ShowPreview(const Annotation& shape) {
  if (!Exists()) return;
  // Only what the last preview touched is repainted, never the whole picture.
  const win::WindowDc dc(Handle());
  ErasePreview(dc.Get());
  capture::DrawAnnotation(dc.Get(), shape);
  previewCover_ = CoverOf(shape);
  // The frame stays over the shape, as it does over the picture.
  DrawFrame(dc.Get());
  preview_ = shape;
}

void FrmScreenCapture::EndPreview() {
  preview_.reset();
  if (!Exists() || previewCover_.empty()) return;
  const win::WindowDc dc(Handle());
  ErasePreview(dc.Get());
}

void FrmScreenCapture::DrawAnnotation(const Annotation& shape) {
  capture::DrawAnnotation(surface_.BackingDc(), shape);
  const std::vector<PixelBox> cover = CoverOf(shape);
  surface_.NoteDrawn(BoundsOf(cover));
  if (!Exists()) return;
  const win::Region drawn = RegionOf(cover);
  InvalidateRgn(Handle(), drawn.Get(), FALSE);
}

void FrmScreenCapture::DrawBoxText(const TextBox& box) {
  const RECT drawn = textBox_.DrawText(surface_.BackingDc(), static_cast<COLORREF>(box.Colour), box.Bounds);
  // What undo keeps: the text's cell with room for any glyph's overhang,
  // inside the region the text is clipped to.
  const int overhang = drawn.bottom - drawn.top;
  const RECT reach{drawn.left - overhang, drawn.top - overhang, drawn.right + overhang, drawn.bottom + overhang};
  const RECT region = RectOf(box.Bounds);
  RECT kept{};
  if (IntersectRect(&kept, &reach, &region)) surface_.NoteDrawn(kept);
  if (Exists()) InvalidateRect(Handle(), &drawn, FALSE);
}

void FrmScreenCapture::ToggleSizeList() { OpenCombo(options_.SizeList()); }

bool FrmScreenCapture::CloseSizeList() {
  if (SendMessageW(options_.SizeList(), CB_GETDROPPEDSTATE, 0, 0) == 0) return false;
  SendMessageW(options_.SizeList(), CB_SHOWDROPDOWN, FALSE, 0);
  return true;
}

void FrmScreenCapture::PutPointer(PixelSpot at) {
  const ScreenArea& screen = session_->Metrics().Screen;
  SetCursorPos(screen.Left + at.X, screen.Top + at.Y);
}

void FrmScreenCapture::RefocusTextBox() {
  if (Exists() && IsWindowVisible(TextEdit())) SetFocus(TextEdit());
}

void FrmScreenCapture::SetPointer(Pointer shape) {
  if (shape != AppPointer()) SetAppPointer(shape);
}

std::uint32_t FrmScreenCapture::PixelAt(std::int32_t x, std::int32_t y) { return surface_.PixelAt(x, y); }

void FrmScreenCapture::Close() { Destroy(); }

namespace {

// While one of our dialogs or message boxes is open: input for the capture
// is ignored, and every window this thread activates meanwhile (the dialog,
// the boxes it opens in turn) is lifted above the topmost capture window.
// Not every system does that for owned windows; Wine opens them behind it.
class ModalScope {
 public:
  ModalScope(int& depth, HWND capture, DPI_AWARENESS_CONTEXT programAwareness)
      : depth_(depth), programAwareness_(programAwareness) {
    if (depth_++ > 0) return;
    capture_ = capture;
    hook_.Reset(SetWindowsHookExW(WH_CBT, &Activating, nullptr, GetCurrentThreadId()));
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
  ~ModalScope() {
    if (--depth_ > 0) return;
    hook_.Reset();
    capture_ = nullptr;
  }

 private:
  static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    // Also when it is topmost already: then it must still come to the front.
    if (code == HCBT_ACTIVATE && window != capture_)
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  int& depth_;
  // The dialogs are aware of dpi as the rest of the program is.
  win::ThreadDpiAwareness programAwareness_;
  win::WindowsHook hook_;
  // Only the user-interface thread opens dialogs, one capture at a time.
  static inline HWND capture_ = nullptr;
};

constexpr std::wstring_view kClipboardBusy = L"剪贴板正被其他程序使用，截图没有复制。\r\n请稍后再试。";
constexpr std::wstring_view kNoMemoryForCopy = L"无法复制截图：内存不足。";

}  // namespace

void FrmScreenCapture::Tell(std::wstring_view text, std::wstring_view title, UINT icon) {
  // The box belongs to this window, which it disables while it is open.
  const ModalScope modal(modal_, Handle(), programAwareness_);
  services_.Dialogs.ShowMessage(Handle(), text, title, MB_OK | icon);
}

void FrmScreenCapture::Warn(std::wstring_view text) { Tell(text, kCaption, MB_ICONWARNING); }

bool FrmScreenCapture::CopyRegion(const PixelBox& region) { return ScrnCap(region).has_value(); }

std::optional<win::ClipboardStamp> FrmScreenCapture::ScrnCap(const PixelBox& region) {
  win::Bitmap copy = surface_.CopyArea(region);
  if (!copy) {
    Tell(kNoMemoryForCopy, kCaption, MB_ICONEXCLAMATION);
    return std::nullopt;
  }
  const auto stamp = services_.Clipboard.PutBitmap(Handle(), std::move(copy));
  if (!stamp) Tell(kClipboardBusy, kCaption, MB_ICONEXCLAMATION);
  return stamp;
}

bool FrmScreenCapture::SaveRegion(const PixelBox& region) {
  // The file gets this picture, whatever the clipboard holds by then.
  const win::Picture picture = win::Picture::FromBitmap(surface_.CopyArea(region));
  if (!picture) {
    Tell(kNoMemoryForCopy, kCaption, MB_ICONEXCLAMATION);
    return false;
  }
  const auto stamp = ScrnCap(region);
  return stamp && CutdSave(picture, *stamp);
}

namespace {

win::SaveFileRequest CaptureSaveRequest() {
  win::SaveFileRequest request;
  request.Title = kSaveDialogTitle;
  request.DefaultExtension = kSaveDefaultExtension;
  request.Filter = SaveFilter();
  // Starts in the program's own folder, however long its path.
  std::wstring program(32768, L'\0');
  program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
  request.InitialFolder = FolderOf(program);
  return request;
}

}  // namespace

bool FrmScreenCapture::CutdSave(const win::Picture& picture, win::ClipboardStamp onClipboard) {
  win::SaveFileAnswer answer;
  {
    const ModalScope modal(modal_, Handle(), programAwareness_);
    answer = services_.Dialogs.ChooseSaveFile(Handle(), CaptureSaveRequest());
  }
  if (answer.Result == win::SaveFileAnswer::Outcome::Failed) {
    Tell(exporting::SaveErrorMessage({answer.Error, L"保存对话框无法打开"}), exporting::kSaveErrorTitle, MB_ICONERROR);
    return false;
  }
  bool written = false;
  if (answer.Chosen()) {
    const ModalScope modal(modal_, Handle(), programAwareness_);
    written = exporting::SaveImageFile(picture, answer.FileName, FormatExtensionOf(answer.FileName),
                                       exporting::kCaptureJpegQuality, exporting::kCaptureColorDepth,
                                       exporting::kCaptureCompression,
                                       {services_.Cursor, services_.Dialogs, Handle(), services_.Files});
  }
  // The clipboard is cleared only for a written file, and only while it
  // still holds our region: someone may have put something there meanwhile.
  if (written) {
    services_.Clipboard.ClearIfHolds(Handle(), onClipboard);
    return true;
  }
  return services_.Clipboard.Holds(onClipboard);
}

void FrmScreenCapture::Paint() {
  const win::PaintDc dc(Handle());
  const RECT& area = dc.Area();
  // The picture goes round the loupe's place, so the loupe, painted last
  // over the frame too, is set there once; in bands, not through a clip
  // region, whose changes cost more than the painting under Wine on a large screen.
  if (shown_.Loupe) {
    for (const RECT& band : BandsAround(area, *shown_.Loupe))
      if (band.right > band.left && band.bottom > band.top) surface_.Paint(dc.Get(), band);
  } else {
    surface_.Paint(dc.Get(), area);
  }
  // A repaint in the middle of a drag (a label that changed its width) keeps the preview.
  if (preview_) capture::DrawAnnotation(dc.Get(), *preview_);
  DrawFrame(dc.Get());
  PaintLoupe(dc.Get(), area);
  // The copy drawing needs is made once the frozen picture is on the screen:
  // a timer's message comes only when no other waits, after the thread has
  // handed its painting to the display.
  if (!surface_.KeptFrozen() && !std::exchange(keepFrozenTimer_, true))
    SetTimer(Handle(), kKeepFrozenTimer, kKeepFrozenDelayMs, nullptr);
}

LRESULT FrmScreenCapture::Command(WPARAM wParam, LPARAM lParam) {
  if (options_.Command(wParam, lParam)) return 0;
  if (reinterpret_cast<HWND>(lParam) == TextEdit() && HIWORD(wParam) == EN_CHANGE && session_)
    if (const auto text = textBox_.TextChanged()) session_->TextBoxChanged(*text);
  return 0;
}

LRESULT FrmScreenCapture::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsButtonPress(message)) {
    if (!Listening()) return 0;
    // Held until the last button goes up, so a drag keeps reaching the window.
    SetCapture(Handle());
    if (message == WM_LBUTTONDOWN) {
      POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(Handle(), &screen);
      textBox_.NoteFormPress(GetMessageTime(), screen);
    }
    session_->Press(ButtonOf(message), PointOf(lParam));
    if (message == WM_LBUTTONDBLCLK && Exists()) session_->DoubleClick(PointOf(lParam));
    return 0;
  }
  if (IsButtonRelease(message)) {
    if (Listening()) session_->Release(ButtonOf(message), PointOf(lParam));
    if (Exists() && !AnyButtonDown(wParam) && GetCapture() == Handle()) ReleaseCapture();
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      if (Listening()) session_->Move(ButtonBitsOf(wParam), PointOf(lParam));
      return 0;
    case WM_CHAR:
      if (Listening()) session_->KeyPress(static_cast<int>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (Listening())
        session_->KeyDown(static_cast<int>(wParam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
      return 0;
    case WM_COMMAND:
      return Command(wParam, lParam);
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == TextEdit())
        return reinterpret_cast<LRESULT>(textBox_.Colours(reinterpret_cast<HDC>(wParam)));
      return Window::HandleMessage(message, wParam, lParam);
    case WM_CAPTURECHANGED:
      // The mouse taken away in the middle of a drag: the drag ends there.
      if (session_ && reinterpret_cast<HWND>(lParam) != Handle()) session_->MouseLost();
      return 0;
    case WM_SETCURSOR:
      if (ShowAppPointer()) return TRUE;
      return Window::HandleMessage(message, wParam, lParam);
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kFrameColour);
      SetBkColor(dc, kLabelBackColour);
      return reinterpret_cast<LRESULT>(labelBrush_.Get());
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DPICHANGED:
      // The window covers every monitor whatever their dpi: it keeps its
      // place rather than take the size the system suggests for one monitor.
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      if (wParam != kKeepFrozenTimer) return Window::HandleMessage(message, wParam, lParam);
      KillTimer(Handle(), kKeepFrozenTimer);
      keepFrozenTimer_ = false;
      surface_.KeepFrozen();
      return 0;
    case WM_DESTROY:
      // The main window must not keep the capture's cross-hair.
      SetAppPointer(Pointer::Default);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

void ShowScreenCapture(HWND owner, win::Dialogs& dialogs) {
  win::Owned<FrmScreenCapture> capture(CaptureServices{dialogs});
  if (!capture.Open(owner)) {
    dialogs.ShowMessage(owner, L"无法截取屏幕：内存不足。", kCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  capture.RunModal(owner);
}

}  // namespace quillane::capture
