#include "app/saver_monitors_win.h"

#include <windows.h>

namespace app {
namespace {

// The monitors other than the primary, in the order the system lists them.
std::vector<RECT> OtherMonitorAreas() {
  std::vector<RECT> areas;
  const auto collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
      reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcMonitor);
    return TRUE;
  };
  ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

SaverMonitors::SaverMonitors(TForm1& primary) : shows_(primary.Engine()) {
  int32_t offset = 0;
  for (const RECT& area : OtherMonitorAreas()) {
    auto form = std::make_unique<TForm1>(OtherMonitor{area, ++offset, &primary.Supply()});
    shows_.AddFollower(form->Engine());
    ::ShowWindow(form->Handle(), SW_SHOWNA);
    others_.push_back(std::move(form));
  }
  platform::Application::Instance().SetClockwork(this);
}

SaverMonitors::~SaverMonitors() {
  auto& application = platform::Application::Instance();
  if (application.Clockwork() == this) application.SetClockwork(nullptr);
}

void SaverMonitors::Step() {
  shows_.Step(platform::Application::Instance().Clock().NowNanoseconds());
}

}  // namespace app
