#include "config/run_config_dialog.h"

#include <memory>

#include "config/frm_config.h"
#include "win32/message_loop.h"

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
  RunUntilClosed(dialog.Handle());
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


}  // namespace quillane::win
