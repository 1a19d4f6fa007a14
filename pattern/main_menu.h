#pragma once
// The main window's menu bar.
#include <windows.h>

namespace quillane {

enum MainMenuCommand : UINT {
  kMenuDeploy = 101,          // "调配(&deploy)": show the mixer panel
  kMenuBackColour,            // "背景色(&B color)"
  kMenuRestoreBackColour,     // "恢复背景色(&restorB color)"
  kMenuCapture,               // "抓图(&capture)"
  kMenuSaveNotice,            // "图案较大存图时稍等", a notice without action
  kMenuDrawing,               // "绘图(drawing)"
  kMenuPause,                 // "暂停(pause)"
  kMenuScreenshot,            // "截屏(screenshot)"
  kMenuRemove,                // "清除(remove)"
  kMenuAbout,                 // "关于Tessmar(on Lonwick)"
};

// Position of "保存(save)" on the bar: opening it is what saves.
inline constexpr int kSaveMenuPosition = 2;

// The whole bar; the window that gets it owns and destroys it.
HMENU BuildMainMenu();

}  // namespace quillane
