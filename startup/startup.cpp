#include "startup/startup.h"

#include <windows.h>

#include "config/saver_settings_store.h"
#include "pattern/run_mode.h"
#include "win32/message_loop.h"

namespace quillane {

namespace {

std::unique_ptr<FrmScreenSaver> BeginSaver(const Launch& launch, ProgramServices& services) {
  // Another saver already runs under the host's well-known title.
  if (FindWindowW(nullptr, std::wstring(kRunModeSaver).c_str())) return nullptr;
  auto window = std::make_unique<win::Owned<FrmScreenSaver>>(services.Window);
  window->SetStartParams(LoadStartParams(services.Settings));
  if (!window->Load(launch.FullScreen ? WindowPlacement::FullScreen : WindowPlacement::Normal)) return nullptr;
  window->Show();
  return window;
}

std::unique_ptr<FrmScreenSaver> BeginPreview(const Launch& launch, ProgramServices& services) {
  auto window = std::make_unique<win::Owned<FrmScreenSaver>>(services.Window);
  window->SetStartParams(LoadStartParams(services.Settings));
  if (!window->Load(WindowPlacement::PreviewChild)) return nullptr;
  const HWND parent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(launch.PreviewParent));
  if (!window->AdoptAsPreviewOf(parent)) {
    window->Destroy();
    return nullptr;
  }
  ShowWindow(window->Handle(), SW_SHOWNA);
  return window;
}

}  // namespace

std::unique_ptr<FrmScreenSaver> BeginLaunch(const Launch& launch, ProgramServices& services) {
  SetRunMode(RunModeFor(launch.Mode));
  switch (launch.Mode) {
    case LaunchMode::Saver: return BeginSaver(launch, services);
    case LaunchMode::Preview: return BeginPreview(launch, services);
    case LaunchMode::ConfigModal: services.ShowConfig(true); return nullptr;
    case LaunchMode::ConfigModeless: services.ShowConfig(false); return nullptr;
    case LaunchMode::ChangePassword: services.Window.Host.ChangePassword(); return nullptr;
  }
  return nullptr;
}

int RunProgram(std::wstring_view arguments, ProgramServices& services) {
  const Launch launch = ParseLaunch(arguments);
  const auto window = BeginLaunch(launch, services);
  if (window) win::RunUntilClosed(window->Handle());
  return 0;
}

}  // namespace quillane
