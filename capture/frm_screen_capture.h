#pragma once
// The screen-capture window `frmScreenCapture`: a borderless, topmost window
// over every monitor showing the desktop frozen as it was when it opened.
// The user drags out a region, moves it and resizes it with eight handles,
// and uses the toolbar under it: rectangles, ellipses, arrows and text in a
// chosen colour and font size, undo and redo, copying to the clipboard,
// saving to a file, closing. Esc or a right click on an empty
// screen closes it too. The state and the mouse logic live in
// CaptureSession; this window shows what it says and does the copying and
// saving, always from its own picture, never from the screen.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "capture/annotation_text_box.h"
#include "capture/capture_picture.h"
#include "capture/capture_session.h"
#include "capture/capture_surface.h"
#include "capture/loupe_painter.h"
#include "capture/picker_panel.h"
#include "capture/toolbar_strip.h"
#include "capture/window_list.h"
#include "export/app_cursor.h"
#include "export/file_output.h"
#include "win32/clipboard.h"
#include "win32/design_table.h"
#include "win32/dialogs.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace quillane::capture {

// The program's clipboard and pointer.
win::Clipboard& ProgramClipboard();
exporting::AppCursor& ProgramCursor();

// Everything the capture asks of a person or the system.
struct CaptureServices {
  win::Dialogs& Dialogs;
  win::Clipboard& Clipboard = ProgramClipboard();
  exporting::AppCursor& Cursor = ProgramCursor();
  exporting::FileOutput& Files = exporting::SystemFiles();
  // The monitors, in screen pixels.
  std::function<std::vector<Monitor>()> Monitors = SystemMonitors;
  // The top-level windows, topmost first, in screen pixels, for snapping.
  std::function<std::vector<WindowFacts>()> Windows = [] { return SystemWindowLister().TopLevelWindows(); };
};

class FrmScreenCapture : public win::Window, private CaptureView {
 public:
  explicit FrmScreenCapture(const CaptureServices& services, PictureCodec& codec = PropertyBagCodec());

  // The screen freeze: copies every monitor, then creates the window over
  // them, owned by `owner`, with the state of a fresh opening. The window is
  // shown by RunModal (or ShowWindow). False when the screen cannot be held.
  bool Open(HWND owner);

  CaptureSession& Session() { return *session_; }
  const CaptureSession& Session() const { return *session_; }
  const CaptureSurface& Surface() const { return surface_; }
  CaptureSurface& Surface() { return surface_; }
  HWND SizeLabel() const { return lblPos_; }
  HWND InfoLabel() const { return lblInfo_; }
  HWND Strip() const { return picture1_.Handle(); }
  const ToolbarStrip& Toolbar() const { return picture1_; }
  HWND OptionsPanel() const { return options_.Handle(); }
  HWND FontPanel() const { return options_.FontPanel(); }
  HWND ColourPanel() const { return options_.ColourPanel(); }
  const PickerPanel& Pickers() const { return options_; }
  HWND TextEdit() const { return textBox_.Handle(); }
  HWND HandleWindow(int index) const { return image1_.at(static_cast<std::size_t>(index)).Handle(); }

  // Design look of the frame and the labels.
  static constexpr COLORREF kFrameColour = RGB(0, 122, 236);
  static constexpr COLORREF kLabelBackColour = RGB(255, 255, 255);
  static constexpr COLORREF kPanelColour = RGB(222, 238, 255);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // CaptureView
  void ShowOverlay(const Overlay& overlay) override;
  void SetPointer(Pointer shape) override;
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) override;
  void Close() override;
  bool CopyRegion(const PixelBox& region) override;
  bool SaveRegion(const PixelBox& region) override;
  void ShowPreview(const Annotation& shape) override;
  void EndPreview() override;
  void DrawAnnotation(const Annotation& shape) override;
  void DrawBoxText(const TextBox& box) override;
  void ToggleSizeList() override;
  void Warn(std::wstring_view text) override;
  bool CloseSizeList() override;
  void PutPointer(PixelSpot at) override;
  // Keys go back to an open text box once a colour or a size is chosen.
  void RefocusTextBox();

  // The region onto the clipboard; nothing when the user had to be told why not.
  std::optional<win::ClipboardStamp> ScrnCap(const PixelBox& region);
  // The save dialog and the file; true when the region is in the file or
  // still on the clipboard.
  bool CutdSave(const win::Picture& picture, win::ClipboardStamp onClipboard);
  void Tell(std::wstring_view text, std::wstring_view title, UINT icon);
  // Input reaches the session only while none of our dialogs is open.
  bool Listening() const { return session_ && modal_ == 0; }

  bool CreateControls(win::DisplayDpi dpi);
  bool CreateOptionsPanel(win::DisplayDpi dpi);
  HWND CreateLabel(const wchar_t* caption);
  SIZE LabelSize(const std::wstring& text) const;
  void InvalidateFrame(const Overlay& overlay);
  void DrawFrame(HDC dc) const;
  // Shows the picture again where the preview lay.
  void ErasePreview(HDC dc);
  // The loupe brought up to date with the picture under the pointer; only
  // its old and new places, or what changed in it, are repainted.
  void ShowLoupe(const Overlay& overlay);
  void PaintLoupe(HDC dc, const RECT& area) const;
  // Keys must not go on reaching a control that was hidden with the focus.
  void KeepFocusVisible();
  LRESULT Command(WPARAM wParam, LPARAM lParam);
  void Paint();

  CaptureServices services_;
  CaptureSurface surface_;
  std::optional<CaptureSession> session_;
  Overlay shown_;  // what the controls show now
  win::Font labelFont_;
  int labelHeight_ = 0;
  SIZE sizeLabelSize_{};
  SIZE infoLabelSize_{};
  win::Brush frameBrush_;
  win::Brush labelBrush_;
  HWND lblPos_ = nullptr;   // owned by the window
  HWND lblInfo_ = nullptr;  // owned by the window
  int modal_ = 0;           // dialogs and message boxes of ours open now
  int handleSize_ = 4;      // pixels, from the design's twips at the display's dpi
  win::DisplayDpi dpi_;
  // The shape shown while it is dragged, and the pixels it may have set.
  std::optional<Annotation> preview_;
  std::vector<PixelBox> previewCover_;
  // Painted over the picture on the screen only (shown_.Loupe is its place);
  // copies and saved files come from the picture.
  LoupePainter loupe_;
  AnnotationTextBox textBox_;  // `TextEdit`
  ToolbarStrip picture1_;
  PickerPanel options_;  // `Picture2`
  std::array<win::Owned<CapturePicture>, kHandleCount> image1_;
};

// "截屏(screenshot)": runs a capture modally, owned by `owner`.
void ShowScreenCapture(HWND owner, win::Dialogs& dialogs);

}  // namespace quillane::capture
