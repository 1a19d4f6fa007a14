#pragma once
// The tool options panel `Picture2` on Win32, with its two pickers: the
// palette panel `PicColor` (sixteen swatches `Pcolor`(0..15) and the
// current-colour box `Pcolor`(16), drawn by the panel itself) and the
// font-size panel `PicFont` (the letter icon `Image3`, the face `PicCombox`
// with the size text `Text1` on it, and the combo box `Combo1` under the
// face, whose list the face opens).
#include <windows.h>

#include <functional>
#include <string>

#include "capture/capture_picture.h"
#include "capture/capture_pickers.h"
#include "capture/capture_toolbar.h"
#include "win32/design_table.h"
#include "win32/gdi.h"

namespace quillane::capture {

// Opens the combo box's list when it is closed and closes it when it is open.
void OpenCombo(HWND Chwnd);

class PickerPanel {
 public:
  struct Events {
    std::function<void()> PanelHover;               // over `Picture2` itself
    std::function<void(int swatch)> PaletteHover;   // kNoSwatch: between the swatches
    std::function<void(int swatch)> PaletteRelease;
    std::function<void(bool overFace)> FontHover;
    std::function<void()> FacePress;
    std::function<void(const std::wstring&)> SizeTextChanged;
    std::function<void()> SizeTextDone;                     // Enter, or the focus gone
    std::function<void(const std::wstring&)> SizeChosen;   // an entry of the list
  };

  // Created hidden in `form`; `font` is the font of the size text and the
  // list, and must outlive the panel.
  bool Create(HWND form, win::DisplayDpi dpi, HFONT font, Events events);
  // Lays the pickers out at another dpi with another font (as for Create);
  // the panel's own size and shape follow from the form (ShowShape).
  void LayOut(win::DisplayDpi dpi, HFONT font);

  HWND Handle() const { return picture2_.Handle(); }
  HWND FontPanel() const { return picFont_.Handle(); }
  HWND ColourPanel() const { return picColor_.Handle(); }
  HWND Face() const { return picCombox_.Handle(); }
  HWND SizeText() const { return text1_; }
  HWND SizeList() const { return combo1_; }
  const PaletteLayout& Palette() const { return palette_; }

  // The panel's width and inner parts for a tool.
  void ShowShape(const PanelShape& shape);
  void ShowPickers(std::uint32_t colour, const std::array<bool, kSwatchCount>& borders, FaceLook face);
  // The size text, when it is not what `Text1` shows already.
  void ShowSizeText(const std::wstring& text);
  // WM_COMMAND from its controls (their notifications reach the form); true when it was theirs.
  bool Command(WPARAM wParam, LPARAM lParam);

  static constexpr COLORREF kFill = RGB(222, 238, 255);
  static constexpr COLORREF kFrame = RGB(0, 122, 236);

 private:
  void PaintPalette(HDC dc) const;
  void PaintFace(HDC dc, const RECT& client) const;
  void PaintFontPanel(HDC dc) const;
  // The pickers' places and the letter's font at that dpi.
  void Measure(win::DisplayDpi dpi);
  // `Combo1` with its list.
  RECT ComboPlace() const;

  Events events_;
  PaletteLayout palette_{};
  FontPanelLayout fontLayout_{};
  RECT fontPlace_{};
  RECT colourPlace_{};
  int listHeight_ = 0;
  std::uint32_t colour_ = kStartColour;
  std::array<bool, kSwatchCount> borders_{};
  FaceLook face_ = FaceLook::Normal;
  HFONT font_ = nullptr;
  bool settingText_ = false;
  win::Font letterFont_;
  HWND text1_ = nullptr;   // owned by the face
  HWND combo1_ = nullptr;  // owned by the font panel
  win::Owned<CapturePicture> picture2_;
  win::Owned<CapturePicture> picFont_;
  win::Owned<CapturePicture> picColor_;
  win::Owned<CapturePicture> picCombox_;
};

}  // namespace quillane::capture
