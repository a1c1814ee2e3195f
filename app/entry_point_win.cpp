// The program's start: the single-instance lock, the mode from the command
// line, the windows of that mode, the message loop, the exit code.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/preview_window_win.h"
#include "app/explore_photo_win.h"
#include "app/saver_monitors_win.h"
#include "app/saver_window_win.h"
#include "app/settings_mode_win.h"
#include "codecs/wic_decoder_win.h"
#include "platform/application_win.h"
#include "platform/message_box_win.h"
#include "platform/single_instance_win.h"
#include "platform/utf16.h"

namespace {

constexpr wchar_t kMutexName[] = L"Quillmar_ScreenSaver";
constexpr int kExitNormal = 0;
constexpr int kExitAnotherInstance = 1;

void RunSettingsMode() {
  const app::SettingsForms forms;
  platform::Application::Instance().Run();
}

// Explorer opens on the photo asked for once every saver window is gone.
void RunSaverMode() {
  std::string photoToExplore;
  {
    app::TForm1 form;
    form.SetBounds(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const app::SaverMonitors otherMonitors(form);
    platform::Application::Instance().Run();
    photoToExplore = form.PhotoToExplore();
  }
  if (!photoToExplore.empty()) app::ShowPhotoInExplorer(photoToExplore);
}

// The preview is created screen-sized and then shrunk to the preview window,
// so its back buffer keeps the screen's size and shows the picture scaled.
void RunPreviewMode(const std::vector<std::string>& arguments) {
  auto& application = platform::Application::Instance();
  ::ShowWindow(application.Handle(), SW_HIDE);
  const int32_t handle = app::PreviewHandleFromArguments(arguments);
  app::previewWnd = reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
  if (!::IsWindow(app::previewWnd)) return;
  ::ShowWindow(app::previewWnd, SW_SHOW);
  RECT r{};
  ::GetWindowRect(app::previewWnd, &r);
  app::TForm1 form;
  form.SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
  form.Invalidate();
  application.Run();
}

void RunPasswordMode() {
  platform::Application::Instance().ProcessMessages();
  platform::ShowMessage(L"パスワードはサポートしていません");
}

void Dispatch(const std::vector<std::string>& arguments) {
  switch (app::ModeFromArguments(arguments)) {
    case app::SaverMode::Settings:
      RunSettingsMode();
      break;
    case app::SaverMode::Saver:
      RunSaverMode();
      break;
    case app::SaverMode::Preview:
      RunPreviewMode(arguments);
      break;
    case app::SaverMode::Password:
      RunPasswordMode();
      break;
    case app::SaverMode::None:
      ::MessageBeep(0);
      break;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  auto& application = platform::Application::Instance();
  application.ProcessMessages();
  platform::SingleInstanceLock lock(kMutexName);
  if (lock.HeldElsewhere()) return kExitAnotherInstance;
  app::previewWnd = nullptr;
  try {
    application.Initialize(instance);
    codecs::InstallWicCodecs();
    Dispatch(app::SplitCommandLine(platform::Utf8FromWide(::GetCommandLineW())));
  } catch (const std::exception& error) {
    application.ShowException(error);
  }
  lock.Release();
  return kExitNormal;
}
