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

SaverShow::SaverShow(SaverHost& host, FrameCounters& counters, SaverShowSetup setup)
    : host_(host), counters_(counters), setup_(std::move(setup)) {}

void SaverShow::FormCreate() {
  motion_ = MotionState{};
  animation_ = AnimationState{};
  host_.SetTimerInterval(SaverTimer::Timer1, kFrameInterval);
  host_.SetTimerEnabled(SaverTimer::Timer1, true);
  host_.SetTimerInterval(SaverTimer::tmCom, kTickerInterval);
  host_.SetTimerEnabled(SaverTimer::tmCom, true);
  ClearBackBuffer(setup_.backBuffer);
}

void SaverShow::FormPaint() {
  // A reader that asks to end has the quit request posted at once; the rest
  // of the paint still runs before the message loop takes it.
  EndIfAsked(host_, host_.ReadSaverPictureSettings(settings_, list_));
  EndIfAsked(host_, host_.ReadSaverMessageSettings(settings_));
  host_.LayoutMessage(settings_);
  if (!settings_.useRegisteredList)
    ScanPictureFolder(settings_.pictureFolder, host_.PictureFolderSearch(), list_);
  LoadPicture();
  host_.HideApplicationWindow();
  host_.StretchBackBuffer();
  host_.SetTimerInterval(SaverTimer::tmGamen, SwitchInterval(settings_.switchSeconds));
  host_.SetTimerEnabled(SaverTimer::tmGamen, true);
}

void SaverShow::Timer1Timer() {
  ClearBackBuffer(setup_.backBuffer);
  const Size onScreen = PictureSizeOnScreen();
  if (settings_.floating)
    FloatStep(motion_, onScreen, setup_.backBuffer.size(), [this] { Bounce(); });
  else
    CentreStep(motion_, onScreen, host_.ScreenSize());
  FrameGeometry& g = picture_.geometry;
  if (!g.plainPicture) StepFrame(counters_, animation_, g.frameCount, g.frameSide, g.sourceRect);
  CopyPictureToBuffer(setup_.backBuffer, picture_.pictureBitmap, g.sourceRect, motion_.destRect);
  PresentFrame();
}

void SaverShow::tmGamenTimer() {
  host_.SetTimerEnabled(SaverTimer::Timer1, false);
  host_.SetTimerEnabled(SaverTimer::tmCom, false);
  ++list_.currentIndex;
  if (list_.currentIndex > list_.lastIndex) list_.currentIndex = 0;
  LoadPicture();
  host_.SetTimerInterval(SaverTimer::Timer1, kFrameInterval);
  host_.SetTimerInterval(SaverTimer::tmCom, kTickerInterval);
  host_.SetTimerEnabled(SaverTimer::Timer1, true);
  host_.SetTimerEnabled(SaverTimer::tmCom, true);
}

void SaverShow::FormDestroy() {
  host_.SetTimerEnabled(SaverTimer::Timer1, false);
  host_.SetTimerEnabled(SaverTimer::tmGamen, false);
}

uint32_t SaverShow::SwitchInterval(int32_t switchSeconds) {
  // A window timer takes at most 0x7FFFFFFF ms (about 24.8 days); beyond it,
  // and for negative values, an unchecked product would wrap into some short
  // interval and switch wildly.
  constexpr int64_t kLongest = std::numeric_limits<int32_t>::max();
  if (switchSeconds <= 0) return 0;
  return uint32_t(std::min<int64_t>(int64_t(switchSeconds) * 1000, kLongest));
}

void SaverShow::LoadPicture() {
  const LoadOutcome outcome = slideshow::LoadPicture(list_, settings_.floating, host_.ScreenSize(),
                                                     host_, setup_.samplePicture, picture_);
  if (outcome == LoadOutcome::ZeroHeight && !setup_.previewMode)
    host_.ShowMessage(kZeroHeightMessage);
}

void SaverShow::Bounce() {
  PlaySoundEffect();
  animation_.animForward = !animation_.animForward;
  ChangeTempo();
}

void SaverShow::PlaySoundEffect() {
  if (setup_.previewMode) return;
  if (settings_.soundEffect == settings::Beep) host_.MessageBeep(kSimpleBeep);
  if (settings_.soundEffect == settings::SystemSound) host_.MessageBeep(kDefaultSound);
}

void SaverShow::ChangeTempo() {
  const Tempo tempo = TempoAt(host_.NowSeconds());
  host_.SetTimerEnabled(SaverTimer::Timer1, false);
  host_.SetTimerInterval(SaverTimer::Timer1, tempo.timerInterval);
  host_.SetTimerEnabled(SaverTimer::Timer1, true);
  animation_.framePeriod = tempo.framePeriod;
}

void SaverShow::PresentFrame() {
  host_.DrawTicker();
  host_.StretchBackBuffer();
}

Size SaverShow::PictureSizeOnScreen() const {
  const FrameGeometry& g = picture_.geometry;
  if (g.plainPicture) return {picture_.pictureBitmap.width, picture_.pictureBitmap.height};
  return {g.frameSide, g.frameSide};
}

}  // namespace slideshow
