#include "slideshow/saver_show.h"

#include <algorithm>
#include <limits>
#include <utility>


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
      supply_(*setup_.supply),
      seat_(supply_.Join(setup_.followsSwitches ? setup_.pictureOffset : 0)),
      ticker_(tickerLine) {}

SaverShow::~SaverShow() { supply_.Leave(seat_); }

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
  // of the paint still runs before the message loop takes it. In registered
  // mode the store fills the list; the leading show hands it to the supply,
  // which in folder mode scans the folder instead.
  settings::PictureList stored = supply_.List();
  EndIfAsked(host_, host_.ReadSaverPictureSettings(settings_, stored));
  EndIfAsked(host_, host_.ReadSaverMessageSettings(settings_));
  ticker_.LayoutMessage(settings_.message, host_, host_.WindowWidth());
  if (!setup_.followsSwitches) supply_.Refresh(settings_.picture, stored);
  supply_.ReadCurrentAgain(seat_);
  paintWaits_ = true;
  ReceiveReads();
  host_.HideApplicationWindow();
  composer_.CompleteBuffer();
  host_.StretchBackBuffer();
  composer_.WindowShowsBuffer();
}

void SaverShow::ReceiveReads() {
  supply_.Deliver();
  if (paintWaits_) {
    std::optional<PictureRead> read = supply_.TakeCurrent(seat_, Fit());
    if (!read) return;
    FinishPaint(std::move(*read));
  }
  if (setup_.followsSwitches)
    FollowIfRead();
  else if (switchOwed_)
    SwitchIfRead();
}

void SaverShow::FinishPaint(PictureRead read) {
  paintWaits_ = false;
  shownMoves_ = supply_.Moves();
  ShowRead(std::move(read));
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
  switchOwed_ = true;
  if (paintWaits_)
    HoldSwitchTimer();
  else
    ReceiveReads();
}

// The switch timer waits with the switch it owes, so no more pile up.
void SaverShow::HoldSwitchTimer() {
  if (!timers_.Enabled(SaverTimer::tmGamen)) return;
  timers_.SetEnabled(SaverTimer::tmGamen, false);
  switchLate_ = true;
}

void SaverShow::SwitchIfRead() {
  std::optional<PictureRead> read = supply_.TakeNext(seat_, Fit());
  if (!read) return HoldSwitchTimer();
  switchOwed_ = false;
  supply_.Advance();
  shownMoves_ = supply_.Moves();
  Switch(std::move(*read));
  if (switchLate_) {
    switchLate_ = false;
    timers_.SetEnabled(SaverTimer::tmGamen, true);
  }
}

// Another monitor's show goes straight to the position the leading show has
// reached, however many moves it missed while its read was late.
void SaverShow::FollowIfRead() {
  if (shownMoves_ == supply_.Moves()) return;
  const int64_t moves = supply_.Moves();
  std::optional<PictureRead> read = supply_.TakeCurrent(seat_, Fit());
  if (!read) return;
  shownMoves_ = moves;
  Switch(std::move(*read));
}

void SaverShow::Switch(PictureRead read) {
  ComposeDueFrame();
  timers_.SetEnabled(SaverTimer::Timer1, false);
  timers_.SetEnabled(SaverTimer::tmCom, false);
  ++switches_;
  ShowRead(std::move(read));
  timers_.SetInterval(SaverTimer::Timer1, kFrameInterval);
  timers_.SetInterval(SaverTimer::tmCom, kTickerInterval);
  timers_.SetEnabled(SaverTimer::Timer1, true);
  timers_.SetEnabled(SaverTimer::tmCom, true);
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

ShowFit SaverShow::Fit() { return {settings_.message.floating, host_.ScreenSize()}; }

void SaverShow::ShowRead(PictureRead read) {
  shownPath_ = supply_.CurrentPath(seat_);
  composer_.PictureChanging();
  const LoadOutcome outcome = LoadFittedPicture(std::move(read), settings_.message.floating,
                                                host_.ScreenSize(), setup_.samplePicture, picture_);
  pictureShown_ = true;
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
