#include "pattern/main_menu.h"

namespace quillane {

HMENU BuildMainMenu() {
  const HMENU bar = CreateMenu();

  const HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kMenuDeploy, L"调配(&deploy)");
  AppendMenuW(file, MF_STRING, kMenuBackColour, L"背景色(&B color)");
  AppendMenuW(file, MF_STRING, kMenuRestoreBackColour, L"恢复背景色(&restorB color)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&file)");

  AppendMenuW(bar, MF_STRING, kMenuCapture, L"抓图(&capture)");

  const HMENU save = CreatePopupMenu();
  AppendMenuW(save, MF_STRING, kMenuSaveNotice, L"图案较大存图时稍等");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(save), L"保存(save)");

  AppendMenuW(bar, MF_STRING, kMenuDrawing, L"绘图(drawing)");
  AppendMenuW(bar, MF_STRING, kMenuPause, L"暂停(pause)");
  AppendMenuW(bar, MF_STRING, kMenuScreenshot, L"截屏(screenshot)");
  AppendMenuW(bar, MF_STRING, kMenuRemove, L"清除(remove)");

  const HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kMenuAbout, L"关于Tessmar(on Lonwick)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"帮助(help)");
  return bar;
}

}  // namespace quillane
