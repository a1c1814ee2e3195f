#include "slideshow/saver_engine.h"

#include <algorithm>
#include <utility>

namespace slideshow {

SaverEngine::SaverEngine(SaverHost& host, FrameCounters& counters, int32_t& tickerLine,
                         SaverEngineSetup setup)
    : timers_(std::move(setup.clock)),
      pacer_(setup.refreshPeriodNs),
      show_(host, timers_, counters, tickerLine, std::move(setup.show)) {
  show_.FormCreate();
}

SaverEngine::~SaverEngine() { show_.FormDestroy(); }

void SaverEngine::Paint() { show_.FormPaint(); }

void SaverEngine::Step(int64_t now) {
  show_.ReceiveReads();
  timers_.RunDue(now, [this](SaverTimer timer) { show_.OnTimer(timer); });
  if (!show_.HasFrameToPresent() || !pacer_.MayPresent(now)) return;
  show_.PresentFrame();
  pacer_.Presented(now);
}

// Nothing a tick does reaches the screen before the next present, so the
// ticks due before the next present slot wait for it and run together, each
// whole and in order, just before the frame is shown: one wake per display
// refresh at the fast tempos instead of one per tick.
std::optional<int64_t> SaverEngine::NextWake() const {
  const int64_t slot = pacer_.NextSlot(timers_.LogicalNow());
  if (show_.HasFrameToPresent()) return slot;
  const std::optional<int64_t> due = timers_.NextDue();
  if (!due) return std::nullopt;
  return std::max(*due, slot);
}

}  // namespace slideshow
