#include "app/saver_monitors_win.h"

#include <windows.h>

#include <algorithm>

namespace app {
namespace {

constexpr int64_t kLookEveryNs = 1'000'000'000;

slideshow::Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The primary screen and the other monitors, in the order the system lists
// them, in physical pixels.
MonitorLayout CurrentLayout() {
  MonitorLayout layout{{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, {}};
  const auto collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
      reinterpret_cast<MonitorLayout*>(data)->others.push_back(FromRect(info.rcMonitor));
    return TRUE;
  };
  ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&layout));
  return layout;
}

int64_t Now() { return platform::Application::Instance().Clock().NowNanoseconds(); }

}  // namespace

SaverMonitors::SaverMonitors(TForm1& primary) : primary_(primary) {
  Listen(primary_);
  covered_ = CurrentLayout();
  for (const slideshow::Rect& area : covered_.others) Open(area);
  FollowAll();
  lastLook_ = Now();
  platform::Application::Instance().SetClockwork(this);
}

SaverMonitors::~SaverMonitors() {
  auto& application = platform::Application::Instance();
  if (application.Clockwork() == this) application.SetClockwork(nullptr);
  primary_.OnDisplayChange(nullptr);
  primary_.OnSteer(nullptr);
}

void SaverMonitors::Listen(TForm1& form) {
  form.OnDisplayChange([this] { lookSoon_ = true; });
  form.OnSteer([this](slideshow::KeyCommand command) { Steer(command); });
}

void SaverMonitors::Steer(slideshow::KeyCommand command) {
  if (command == slideshow::KeyCommand::Explore) return primary_.EndRunToExplore();
  shows_->Steer(command);
}

void SaverMonitors::Open(const slideshow::Rect& area) {
  const RECT r{area.left, area.top, area.right, area.bottom};
  auto form = std::make_unique<TForm1>(OtherMonitor{r, FreeOffset(), &primary_.Supply()});
  Listen(*form);
  ::ShowWindow(form->Handle(), SW_SHOWNA);
  others_.push_back({area, std::move(form)});
}

// The smallest distance from the primary's picture that no other monitor
// shows, so a monitor that comes back shows what it showed before.
int32_t SaverMonitors::FreeOffset() const {
  for (int32_t offset = 1;; ++offset) {
    const bool used = std::any_of(others_.begin(), others_.end(), [&](const Other& o) {
      return o.form->Engine().Show().Offset() == offset;
    });
    if (!used) return offset;
  }
}

void SaverMonitors::FollowAll() {
  shows_.emplace(primary_.Engine());
  for (Other& other : others_) shows_->AddFollower(other.form->Engine());
}

void SaverMonitors::Step() {
  const int64_t now = Now();
  shows_->Step(now);
  if (lookSoon_ || now - lastLook_ >= kLookEveryNs) LookAtLayout(now);
}

std::optional<int64_t> SaverMonitors::NextWake() const {
  const int64_t look = lookSoon_ ? lastLook_ : lastLook_ + kLookEveryNs;
  const std::optional<int64_t> wake = shows_->NextWake();
  return wake ? std::min(*wake, look) : look;
}

void SaverMonitors::LookAtLayout(int64_t now) {
  lastLook_ = now;
  lookSoon_ = false;
  const MonitorLayout layout = CurrentLayout();
  const LayoutChange change = CompareLayouts(covered_, layout);
  if (change.Empty()) return;
  shows_.reset();
  std::erase_if(others_, [&](const Other& other) {
    return std::find(change.closed.begin(), change.closed.end(), other.area) != change.closed.end();
  });
  if (change.refitPrimary) primary_.FitToScreen();
  for (const slideshow::Rect& area : change.opened) Open(area);
  FollowAll();
  covered_ = layout;
}

}  // namespace app
