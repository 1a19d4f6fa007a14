#include "config/run_config_dialog.h"

#include <memory>

#include "config/frm_config.h"

namespace quillane::win {
namespace {

// The modeless dialog outlives the call that shows it.
std::unique_ptr<frmConfig>& ModelessDialog() {
  static std::unique_ptr<frmConfig> dialog;
  return dialog;
}

int RunModal(SettingsStore& store) {
  Owned<frmConfig> dialog(store);
  if (!dialog.Create()) return -1;
  dialog.Show();
  MSG message{};
  while (dialog.Exists()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!dialog.RouteDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return dialog.Result() == frmConfig::Outcome::Confirmed ? IDOK : IDCANCEL;
}

int ShowModeless(SettingsStore& store) {
  auto& dialog = ModelessDialog();
  if (dialog && dialog->Exists()) {
    dialog->Show();
    return 0;
  }
  dialog = std::make_unique<Owned<frmConfig>>(store);
  dialog->SetOnClosed([] { PostQuitMessage(0); });
  if (!dialog->Create()) {
    dialog.reset();
    return -1;
  }
  dialog->Show();
  return 0;
}

}  // namespace

int RunConfigDialog(bool modal, SettingsStore& store) { return modal ? RunModal(store) : ShowModeless(store); }

bool RouteConfigDialogMessage(MSG& message) {
  const auto& dialog = ModelessDialog();
  return dialog && dialog->RouteDialogMessage(message);
}

}  // namespace quillane::win
