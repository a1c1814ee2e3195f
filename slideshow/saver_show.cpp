#include "slideshow/saver_show.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "slideshow/picture_scan.h"

namespace slideshow {
namespace {

constexpr uint32_t kFrameInterval = 50;   // Timer1, at creation and after each switch
constexpr uint32_t kTickerInterval = 200;  // tmCom
constexpr uint32_t kSimpleBeep = 0xFFFFFFFF;
constexpr uint32_t kDefaultSound = 0;

void EndIfAsked(SaverHost& host, settings::ReadOutcome outcome) {
  if (outcome == settings::ReadOutcome::EndApplication) host.RequestEnd();
}

}  // namespace

SaverShow::SaverShow(SaverHost& host, TickScheduler& timers, FrameCounters& counters,
                     int32_t& tickerLine, SaverShowSetup setup)
    : host_(host),
      timers_(timers),
      counters_(counters),
      setup_(std::move(setup)),
      composer_(setup_.backBuffer, setup_.pictureToWindow),
      ticker_(tickerLine) {
  const bool onWorker = setup_.reading.decode && setup_.reading.scan;
  PrefetchReaders readers = setup_.reading;
  if (!onWorker) {
    readers.decode = [this](const std::string& path, const codecs::ShownSize& shown) {
      return host_.Decode(path, shown);
    };
    readers.scan = [this](const std::string& folder, settings::PictureList& list) {
      ScanPictureFolder(folder, host_.PictureFolderSearch(), list);
    };
  }
  prefetch_ = std::make_unique<PicturePrefetch>(std::move(readers), onWorker);
}

void SaverShow::FormCreate() {
  motion_ = MotionState{};
  animation_ = AnimationState{};
  timers_.SetInterval(SaverTimer::Timer1, kFrameInterval);
  timers_.SetEnabled(SaverTimer::Timer1, true);
  timers_.SetInterval(SaverTimer::tmCom, kTickerInterval);
  timers_.SetEnabled(SaverTimer::tmCom, true);
  composer_.ClearAll();
  frameDue_ = false;
}

void SaverShow::FormPaint() {
  // The layout changes the ticker's font and the load the picture: the frame
  // of the last tick is composed with the old ones first.
  ComposeDueFrame();
  // A reader that asks to end has the quit request posted at once; the rest
  // of the paint still runs before the message loop takes it.
  EndIfAsked(host_, host_.ReadSaverPictureSettings(settings_, list_));
  EndIfAsked(host_, host_.ReadSaverMessageSettings(settings_));
  ticker_.LayoutMessage(settings_.message, host_, host_.WindowWidth());
  if (settings_.picture.useRegisteredList) {
    StartPaintPicture();
  } else {
    scanTicket_ = prefetch_->RequestScan(settings_.picture.folder, list_);
    paintWait_ = PaintWait::List;
  }
  ReceiveReads();
  host_.HideApplicationWindow();
  composer_.CompleteBuffer();
  host_.StretchBackBuffer();
  composer_.WindowShowsBuffer();
}

void SaverShow::ReceiveReads() {
  if (paintWait_ == PaintWait::List) {
    std::optional<settings::PictureList> scanned = prefetch_->TakeScan(scanTicket_);
    if (!scanned) return;
    const int32_t current = list_.currentIndex;
    list_ = std::move(*scanned);
    list_.currentIndex = current;
    StartPaintPicture();
  }
  if (paintWait_ == PaintWait::Picture) {
    const Size screen = host_.ScreenSize();
    std::optional<PrefetchResult> read = Read(list_.currentIndex, screen);
    if (!read) return;
    FinishPaint(std::move(*read), screen);
  }
  while (switchesOwed_ > 0 && SwitchIfRead()) {
  }
}

// The list is there: the picture at the current index is next.
void SaverShow::StartPaintPicture() {
  // The offset moves the start once; a repaint keeps the picture shown.
  if (setup_.pictureOffset > 0 && list_.lastIndex > 0)
    list_.currentIndex = (list_.currentIndex + setup_.pictureOffset) % (list_.lastIndex + 1);
  setup_.pictureOffset = 0;
  paintWait_ = PaintWait::Picture;
}

void SaverShow::FinishPaint(PrefetchResult read, Size screen) {
  paintWait_ = PaintWait::Nothing;
  ShowRead(std::move(read), screen);
  if (setup_.followsSwitches) return;
  timers_.SetInterval(SaverTimer::tmGamen, SwitchInterval(settings_.message.switchSeconds));
  timers_.SetEnabled(SaverTimer::tmGamen, true);
}

void SaverShow::Timer1Timer() {
  // Nothing to move yet: only the ticker is drawn.
  if (!pictureShown_) {
    frameDue_ = true;
    return;
  }
  const Size onScreen = PictureSizeOnScreen();
  if (settings_.message.floating)
    FloatStep(motion_, onScreen, setup_.backBuffer.size(), [this] { Bounce(); });
  else
    CentreStep(motion_, onScreen, host_.ScreenSize());
  FrameGeometry& g = picture_.geometry;
  if (!g.plainPicture) StepFrame(counters_, animation_, g.frameCount, g.frameSide, g.sourceRect);
  frameDue_ = true;
}

void SaverShow::tmComTimer() {
  ComposeDueFrame();
  ticker_.tmComTimer(setup_.backBuffer.height);
}

void SaverShow::OnTimer(SaverTimer timer) {
  switch (timer) {
    case SaverTimer::Timer1:
      return Timer1Timer();
    case SaverTimer::tmCom:
      return tmComTimer();
    case SaverTimer::tmGamen:
      return tmGamenTimer();
  }
}

// A switch that falls while the paint still waits for its list or picture
// comes once the paint is done.
void SaverShow::tmGamenTimer() {
  ++switchesOwed_;
  if (paintWait_ == PaintWait::Nothing)
    ReceiveReads();
  else
    HoldSwitchTimer();
}

// The switch timer waits with the switch it owes, so no more pile up.
void SaverShow::HoldSwitchTimer() {
  if (!timers_.Enabled(SaverTimer::tmGamen)) return;
  timers_.SetEnabled(SaverTimer::tmGamen, false);
  switchLate_ = true;
}

bool SaverShow::SwitchIfRead() {
  const int32_t next = list_.currentIndex + 1 > list_.lastIndex ? 0 : list_.currentIndex + 1;
  const Size screen = host_.ScreenSize();
  std::optional<PrefetchResult> read = Read(next, screen);
  if (!read) {
    HoldSwitchTimer();
    return false;
  }
  --switchesOwed_;
  ComposeDueFrame();
  timers_.SetEnabled(SaverTimer::Timer1, false);
  timers_.SetEnabled(SaverTimer::tmCom, false);
  ++switches_;
  list_.currentIndex = next;
  ShowRead(std::move(*read), screen);
  timers_.SetInterval(SaverTimer::Timer1, kFrameInterval);
  timers_.SetInterval(SaverTimer::tmCom, kTickerInterval);
  timers_.SetEnabled(SaverTimer::Timer1, true);
  timers_.SetEnabled(SaverTimer::tmCom, true);
  if (switchLate_) {
    switchLate_ = false;
    timers_.SetEnabled(SaverTimer::tmGamen, true);
  }
  return true;
}

void SaverShow::FormDestroy() {
  timers_.SetEnabled(SaverTimer::Timer1, false);
  timers_.SetEnabled(SaverTimer::tmGamen, false);
}

uint32_t SaverShow::SwitchInterval(int32_t switchSeconds) {
  // A window timer takes at most 0x7FFFFFFF ms (about 24.8 days); beyond it,
  // and for negative values, an unchecked product would wrap into some short
  // interval and switch wildly.
  constexpr int64_t kLongest = std::numeric_limits<int32_t>::max();
  if (switchSeconds <= 0) return 0;
  return uint32_t(std::min<int64_t>(int64_t(switchSeconds) * 1000, kLongest));
}

// The picture at `index` once it has been read, asking for it until then;
// an empty list has nothing to read and shows the sample.
std::optional<PrefetchResult> SaverShow::Read(int32_t index, Size screen) {
  if (list_.entryCount == 0) return PrefetchResult{};
  const PrefetchKey key{list_.PathAt(index), settings_.message.floating, screen};
  std::optional<PrefetchResult> read = prefetch_->Take(key);
  if (read) return read;
  prefetch_->Request(key);
  return prefetch_->Take(key);
}

void SaverShow::ShowRead(PrefetchResult read, Size screen) {
  composer_.PictureChanging();
  const LoadOutcome outcome = LoadFittedPicture(std::move(read.picture), settings_.message.floating,
                                                screen, setup_.samplePicture, picture_);
  pictureShown_ = true;
  PrefetchNext(screen);
  if (outcome == LoadOutcome::ZeroHeight && !Quiet()) TellZeroHeight();
}

// While the box is open the switch timer waits, and its countdown starts
// afresh when the box has closed: otherwise a list of pictures that all give
// the message would stack one box on another every switch.
void SaverShow::TellZeroHeight() {
  const bool switching = timers_.Enabled(SaverTimer::tmGamen);
  timers_.SetEnabled(SaverTimer::tmGamen, false);
  host_.ShowMessage(kZeroHeightMessage);
  timers_.SetEnabled(SaverTimer::tmGamen, switching);
}

// The picture the next switch will load, unless a paint rebuilds the list
// first (the switch then finds the key changed and asks for its own).
void SaverShow::PrefetchNext(Size screen) {
  if (list_.entryCount == 0) return;
  const int32_t next = list_.currentIndex + 1 > list_.lastIndex ? 0 : list_.currentIndex + 1;
  prefetch_->Request({list_.PathAt(next), settings_.message.floating, screen});
}

void SaverShow::Bounce() {
  PlaySoundEffect();
  animation_.animForward = !animation_.animForward;
  ChangeTempo();
}

void SaverShow::PlaySoundEffect() {
  if (Quiet()) return;
  if (settings_.message.soundEffect == settings::Beep) host_.MessageBeep(kSimpleBeep);
  if (settings_.message.soundEffect == settings::SystemSound) host_.MessageBeep(kDefaultSound);
}

void SaverShow::ChangeTempo() {
  const Tempo tempo = TempoAt(host_.NowSeconds());
  timers_.SetEnabled(SaverTimer::Timer1, false);
  timers_.SetInterval(SaverTimer::Timer1, tempo.timerInterval);
  timers_.SetEnabled(SaverTimer::Timer1, true);
  animation_.framePeriod = tempo.framePeriod;
}

void SaverShow::ComposeDueFrame() {
  if (!frameDue_) return;
  frameDue_ = false;
  const FrameGeometry& g = picture_.geometry;
  composer_.Compose(picture_.pictureBitmap, g.sourceRect, motion_.destRect, CurrentTickerLine());
}

TickerLine SaverShow::CurrentTickerLine() {
  if (ticker_.tickerText().empty()) return {{}, ticker_.revision(), nullptr};
  const int32_t x = 0, y = ticker_.tickerY();
  return {host_.TextBounds(ticker_.font(), x, y, ticker_.tickerText()), ticker_.revision(),
          [this, x, y] { host_.DrawText(ticker_.font(), x, y, ticker_.tickerText()); }};
}

void SaverShow::PresentFrame() {
  ComposeDueFrame();
  if (!composer_.HasUpdate()) return;
  host_.PresentUpdate(composer_.TakeUpdate());
}

Size SaverShow::PictureSizeOnScreen() const {
  const FrameGeometry& g = picture_.geometry;
  if (g.plainPicture) return {picture_.pictureBitmap.width, picture_.pictureBitmap.height};
  return {g.frameSide, g.frameSide};
}

}  // namespace slideshow
