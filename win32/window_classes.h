#pragma once
// The program's own window classes, named once: the skin tells forms and
// controls apart by these names.
namespace quillane::win {

inline constexpr const wchar_t* kMainWindowClass = L"QuillaneFlowers";
inline constexpr const wchar_t* kMixerPanelClass = L"QuillaneMixerPanel";
inline constexpr const wchar_t* kCaptureWindowClass = L"QuillaneScreenCapture";
// The capture window's handles and toolbar strip (pictures, not buttons).
inline constexpr const wchar_t* kCapturePictureClass = L"QuillaneCapturePicture";
inline constexpr const wchar_t* kConfigDialogClass = L"Quillane.frmConfig";
// The program's own option buttons: the system's auto radio buttons under a
// name of their own, so the skin paints them and leaves the system's dialogs'
// radio buttons alone.
inline constexpr const wchar_t* kOptionButtonClass = L"QuillaneOptionButton";

}  // namespace quillane::win
