#pragma once
// When a composed frame may go onto the window: at most once per display
// refresh. Frames composed faster than the display shows them would only
// cost time; ticks in between still change the state, and the frame that is
// presented is the one of the latest tick.
#include <cstdint>
#include <optional>

namespace slideshow {

class PresentPacer {
 public:
  static constexpr int64_t kDefaultRefreshNs = 1'000'000'000 / 60;

  // `refreshHz` as the display reports it; 0 or 1 (which the system uses
  // for "the hardware default") and absurd values give 60 Hz.
  static int64_t RefreshPeriodNs(int32_t refreshHz);

  explicit PresentPacer(int64_t refreshPeriodNs = kDefaultRefreshNs)
      : periodNs_(refreshPeriodNs > 0 ? refreshPeriodNs : kDefaultRefreshNs) {}

  // True when a full refresh period has passed since the last present.
  bool MayPresent(int64_t now) const { return !last_ || now - *last_ >= periodNs_; }
  // The earliest time MayPresent is true.
  int64_t NextSlot(int64_t now) const { return MayPresent(now) ? now : *last_ + periodNs_; }
  void Presented(int64_t now) { last_ = now; }

 private:
  int64_t periodNs_;
  std::optional<int64_t> last_;
};

}  // namespace slideshow
