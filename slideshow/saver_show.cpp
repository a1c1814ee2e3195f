#include "slideshow/saver_show.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "slideshow/crossfade.h"
#include "slideshow/photo_date_text.h"
#include "slideshow/slide_captions.h"

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
      current_(setup_.backBuffer),
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
  const bool switchWaits = wait_ == ReadWait::Switch || wait_ == ReadWait::PaintThenSwitch;
  wait_ = switchWaits ? ReadWait::PaintThenSwitch : ReadWait::Paint;
  ReceiveReads();
  host_.HideApplicationWindow();
  composer_.CompleteBuffer();
  host_.StretchBackBuffer();
  composer_.WindowShowsBuffer();
}

void SaverShow::ReceiveReads() {
  supply_.Deliver();
  if (wait_ == ReadWait::Paint || wait_ == ReadWait::PaintThenSwitch) {
    PictureRead read = supply_.TakeCurrent(seat_, Fit());
    if (!read.Ready()) return;
    FinishPaint(std::move(read));
  }
  if (setup_.followsSwitches || shownMoves_ != supply_.Moves())
    FollowIfRead();
  else if (wait_ == ReadWait::Switch)
    SwitchIfRead();
}

void SaverShow::FinishPaint(PictureRead read) {
  wait_ = wait_ == ReadWait::PaintThenSwitch ? ReadWait::Switch : ReadWait::Nothing;
  shownMoves_ = supply_.Moves();
  const bool first = slides_ == SlideState::Nothing;
  ShowRead(std::move(read));
  if (first) StartSlide(timers_.LogicalNow());
  if (setup_.followsSwitches) return;
  timers_.SetInterval(SaverTimer::tmGamen, SwitchInterval(settings_.message.switchSeconds));
  timers_.SetEnabled(SaverTimer::tmGamen, true);
}

void SaverShow::Timer1Timer() {
  // Nothing to move yet: only the ticker is drawn.
  if (slides_ == SlideState::Nothing) {
    frameDue_ = true;
    return;
  }
  const Size onScreen = PictureSizeOnScreen();
  if (Method() == DisplayMethod::Floating)
    FloatStep(motion_, onScreen, setup_.backBuffer.size(), [this] { Bounce(); });
  else
    CentreStep(motion_, onScreen, host_.ScreenSize());
  FrameGeometry& g = current_.picture.geometry;
  if (!g.plainPicture) StepFrame(counters_, animation_, g.frameCount, g.frameSide, g.sourceRect);
  // The outgoing strip plays on in step with the current one.
  if (outgoing_ && !outgoing_->picture.geometry.plainPicture) {
    FrameGeometry& out = outgoing_->picture.geometry;
    out.sourceRect = StripFrameRect(counters_.frameIndex, out.frameSide);
  }
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
// comes once the paint is done. Paused, the countdown goes round for nothing.
void SaverShow::tmGamenTimer() {
  if (supply_.Paused()) return;
  if (wait_ == ReadWait::Paint || wait_ == ReadWait::PaintThenSwitch) {
    wait_ = ReadWait::PaintThenSwitch;
    HoldSwitchTimer();
  } else {
    wait_ = ReadWait::Switch;
    ReceiveReads();
  }
}

// The switch timer waits with the switch it owes, so no more pile up.
void SaverShow::HoldSwitchTimer() {
  if (!timers_.Enabled(SaverTimer::tmGamen)) return;
  timers_.SetEnabled(SaverTimer::tmGamen, false);
  switchTimerHeld_ = true;
}

void SaverShow::SwitchIfRead() {
  PictureRead read = supply_.TakeNext(seat_, Fit());
  if (!read.Ready()) return HoldSwitchTimer();
  wait_ = ReadWait::Nothing;
  // Held before the move asks for the picture after it.
  if (FadesAtSwitch()) supply_.HoldNext(seat_, true);
  supply_.Advance();
  shownMoves_ = supply_.Moves();
  Switch(std::move(read));
  if (switchTimerHeld_) {
    switchTimerHeld_ = false;
    timers_.SetEnabled(SaverTimer::tmGamen, true);
  }
}

// Another monitor's show goes straight to the position the leading show has
// reached, however many moves it missed while its read was late; so does the
// leading show after the viewer moved it, and a switch it owed is dropped.
void SaverShow::FollowIfRead() {
  if (shownMoves_ == supply_.Moves()) return;
  const int64_t moves = supply_.Moves();
  PictureRead read = supply_.TakeCurrent(seat_, Fit());
  if (!read.Ready()) return;
  shownMoves_ = moves;
  Switch(std::move(read));
  if (setup_.followsSwitches || wait_ != ReadWait::Switch) return;
  wait_ = ReadWait::Nothing;
  RestartSwitchTimer();
}

// A switch owed when the viewer moves or pauses the show is dropped, and the
// countdown starts over.
void SaverShow::Steer(KeyCommand command) {
  const bool leading = !setup_.followsSwitches;
  switch (command) {
    case KeyCommand::Pause:
      if (leading) supply_.Pause(!supply_.Paused());
      pauseMark_.Show(supply_.Paused(), timers_.LogicalNow());
      frameDue_ = true;
      break;
    case KeyCommand::Next:
      if (leading) supply_.Next();
      break;
    case KeyCommand::Back:
      if (leading && !supply_.Back()) return;
      break;
    case KeyCommand::Hide:
      if (leading) supply_.Hide(shownPath_);
      break;
    default:
      return;
  }
  if (!leading) return;
  if (wait_ == ReadWait::Switch) wait_ = ReadWait::Nothing;
  if (wait_ == ReadWait::PaintThenSwitch) wait_ = ReadWait::Paint;
  RestartSwitchTimer();
  ReceiveReads();
}

// The countdown starts afresh, also one held for a switch that is dropped.
void SaverShow::RestartSwitchTimer() {
  if (!timers_.Enabled(SaverTimer::tmGamen) && !switchTimerHeld_) return;
  switchTimerHeld_ = false;
  timers_.SetEnabled(SaverTimer::tmGamen, false);
  timers_.SetEnabled(SaverTimer::tmGamen, true);
}

void SaverShow::Switch(PictureRead read) {
  ComposeDueFrame();
  timers_.SetEnabled(SaverTimer::Timer1, false);
  timers_.SetEnabled(SaverTimer::tmCom, false);
  ++switches_;
  const int64_t now = timers_.LogicalNow();
  const bool fade = FadesAtSwitch();
  if (fade) supply_.HoldNext(seat_, true);
  if (slides_ == SlideState::Crossfading) DropOutgoing();
  if (fade) {
    composer_.PictureChanging();
    outgoingPlace_ = motion_.destRect;
    outgoing_.emplace(std::move(current_));
    current_ = Slide(setup_.backBuffer);
    // A picture that gives no geometry keeps the last one's, as without a fade.
    current_.picture.geometry = outgoing_->picture.geometry;
  }
  ShowRead(std::move(read));
  StartSlide(now);
  if (fade) StartCrossfade(now);
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

DisplayMethod SaverShow::Method() const {
  return DisplayMethodOf(settings_.message.floating, settings_.effects.panZoom);
}

ShowFit SaverShow::Fit() { return {Method(), host_.ScreenSize(), SlideChoicesFor(Method(), settings_.effects)}; }

void SaverShow::ShowRead(PictureRead read) {
  shownPath_ = supply_.CurrentPath(seat_);
  composer_.PictureChanging();
  const std::vector<LaidOutPhoto> photos =
      read.state == PictureRead::State::Read ? std::move(read.picture.photos) : std::vector<LaidOutPhoto>{};
  const LoadOutcome outcome =
      LoadFittedPicture(std::move(read), Method(), host_.ScreenSize(), setup_.samplePicture, current_.picture);
  if (slides_ == SlideState::Nothing) slides_ = SlideState::Showing;
  ShowCaption(outcome, photos);
  if (outcome == LoadOutcome::ZeroHeight && !Quiet()) TellZeroHeight();
}

void SaverShow::ShowCaption(LoadOutcome outcome, const std::vector<LaidOutPhoto>& photos) {
  const std::optional<codecs::PhotoDate> taken =
      outcome == LoadOutcome::Loaded ? current_.picture.pictureBitmap.taken : std::nullopt;
  ShowSlideCaptions(
      current_, taken, photos, Method(),
      [this](const std::optional<codecs::PhotoDate>& day) {
        return day ? PhotoDateText(*day, settings_.picture.dateCaption) : std::string();
      },
      settings_.message.fontName,
      [this](const std::string& face, int32_t height, const std::string& text) {
        return host_.RenderCaptionText(face, height, text);
      });
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

// A slide starts its time on the screen, and pan & zoom its path, drawn
// from the show's own count so that a repaint finds the same path. A path
// spans the slide's whole time on screen, the fades at both ends included.
void SaverShow::StartSlide(int64_t nowNs) {
  current_.shownSinceNs = nowNs;
  const int64_t interval = int64_t(SwitchInterval(settings_.message.switchSeconds)) * 1'000'000;
  const int64_t fade = settings_.effects.fade ? CrossfadeDurationNs(settings_.message.switchSeconds) : 0;
  const uint64_t seed = uint64_t(switches_) * 0x100000001B3ull + uint64_t(seat_ + 1) * 0x9E3779B1ull;
  current_.panZoom = PanZoomPath(seed, interval > 0 ? interval + fade : 0);
}

// The incoming slide stands where the show places it from the first frame of
// the fade on: a floating one where the last picture was, a still one in the
// centre.
void SaverShow::StartCrossfade(int64_t nowNs) {
  slides_ = SlideState::Crossfading;
  fadeStartNs_ = nowNs;
  fadeNs_ = CrossfadeDurationNs(settings_.message.switchSeconds);
  const Size onScreen = PictureSizeOnScreen();
  if (Method() == DisplayMethod::Floating)
    motion_.destRect = {motion_.posX, motion_.posY, motion_.posX + onScreen.width, motion_.posY + onScreen.height};
  else
    CentreStep(motion_, onScreen, host_.ScreenSize());
}

// A switch fades when the show has a slide to fade from (or is fading to
// one) and switches at all.
bool SaverShow::FadesAtSwitch() const {
  return settings_.effects.fade && slides_ != SlideState::Nothing &&
         CrossfadeDurationNs(settings_.message.switchSeconds) > 0;
}

void SaverShow::DropOutgoing() {
  composer_.PictureChanging();
  outgoing_.reset();
  slides_ = SlideState::Showing;
}

// The last frame of a fade is the incoming slide alone, exactly; the next
// picture is read from then on.
void SaverShow::EndCrossfade() {
  DropOutgoing();
  supply_.HoldNext(seat_, false);
}

bool SaverShow::Animating() const {
  if (slides_ == SlideState::Crossfading) return true;
  return slides_ == SlideState::Showing && Method() == DisplayMethod::PanZoom &&
         current_.picture.geometry.plainPicture;
}

void SaverShow::ComposeDueFrame() {
  if (!frameDue_ && !Animating()) return;
  frameDue_ = false;
  const int64_t now = timers_.LogicalNow();
  if (slides_ == SlideState::Crossfading && now - fadeStartNs_ >= fadeNs_) EndCrossfade();
  composedAtNs_ = now;
  ++compositions_;
  composer_.Compose(FrameAt(now));
}

FrameLayers SaverShow::FrameAt(int64_t nowNs) {
  FrameLayers frame;
  const Size screen = setup_.backBuffer.size();
  const bool fading = slides_ == SlideState::Crossfading && outgoing_;
  const double in = fading ? CrossfadeOpacity(nowNs - fadeStartNs_, fadeNs_) : 1;
  if (fading) AddSlideLayers(Method(), *outgoing_, outgoingPlace_, nowNs, screen, 1, false, frame);
  AddSlideLayers(Method(), current_, motion_.destRect, nowNs, screen, in, fading, frame);
  if (fading) AddCaptionLayers(*outgoing_, 1 - in, frame);
  AddCaptionLayers(current_, in, frame);
  frame.texts.push_back(CurrentTickerLine());
  if (std::optional<TextLayer> mark = pauseMark_.LayerAt(nowNs, setup_.backBuffer))
    frame.texts.push_back(std::move(*mark));
  return frame;
}

// A pair's second caption only where it shows: a frame of one picture, its
// caption and the ticker stays one the composer takes its fast ways with.
void SaverShow::AddCaptionLayers(const Slide& slide, double opacity, FrameLayers& frame) const {
  for (const PhotoCaption* caption : {&slide.caption, &slide.secondCaption}) {
    if (caption == &slide.secondCaption && caption->Bounds().empty()) continue;
    TextLayer line = caption->Line();
    line.opacity = opacity;
    frame.texts.push_back(std::move(line));
  }
}

TextLayer SaverShow::CurrentTickerLine() {
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
  const FrameGeometry& g = current_.picture.geometry;
  if (g.plainPicture) return {current_.picture.pictureBitmap.width, current_.picture.pictureBitmap.height};
  return {g.frameSide, g.frameSide};
}

}  // namespace slideshow
