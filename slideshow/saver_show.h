#pragma once
// The slideshow of one saver window: the settings it read, the picture list,
// the current picture and its geometry, the motion and animation state, the
// message ticker. Its handlers run on the ticks of the engine's timers
// (SaverEngine), which it sets as the window's timers were set.
//
// A tick of Timer1 advances the motion and the animation and defines the
// frame of that moment; the frame is composed (FrameComposer: only what
// changed) when it is presented, at most once per display refresh
// (SaverEngine), or at once before anything it shows would change: the
// ticker's step, a switch, a paint. So what reaches the window is always
// exactly what composing every tick would have shown at that moment.
//
// What a frame shows is the layers the display method makes of the slides on
// the screen at that moment (FrameAt): the current slide, and during a
// crossfade the outgoing one under it. A crossfade or pan & zoom changes the
// frame with time alone, so while one runs a frame is due at every refresh.
#include <cstddef>  // codecs/image.h uses size_t
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/image.h"
#include "settings/saver_settings.h"
#include "slideshow/animation_strip.h"
#include "slideshow/composition.h"
#include "slideshow/display_method.h"
#include "slideshow/floating_motion.h"
#include "slideshow/key_command.h"
#include "slideshow/load_picture.h"
#include "slideshow/message_ticker.h"
#include "slideshow/pause_mark.h"
#include "slideshow/photo_caption.h"
#include "slideshow/picture_supply.h"
#include "slideshow/saver_host.h"
#include "slideshow/slide_layers.h"
#include "slideshow/tick_scheduler.h"

namespace slideshow {

struct SaverShowSetup {
  PixelView backBuffer;         // screen-sized, owned by the host, outlives the show
  codecs::Image samplePicture;  // TOLVEX, 128 x 32
  bool previewMode = false;     // previewWnd != 0: no sound, no message box
  // Where the pictures come from; it outlives the show.
  PictureSupply* supply = nullptr;
  // Another monitor's show: silent, no message box, no switch timer of its
  // own (it follows each move of the supply's position), and showing this
  // many pictures further along the list than the leading show.
  bool followsSwitches = false;
  int32_t pictureOffset = 0;
  // The picture goes to the window from its own bitmap and only the
  // ticker's band is composed in the buffer (FrameComposer); a host that
  // stretches the whole buffer (the preview) leaves it off.
  bool pictureToWindow = false;
};

class SaverShow {
 public:
  // `timers` run the handlers; `counters` and `tickerLine` are the frame
  // counters and the ticker's line count (process-wide for the primary
  // screen); all three outlive the show.
  SaverShow(SaverHost& host, TickScheduler& timers, FrameCounters& counters, int32_t& tickerLine,
            SaverShowSetup setup);
  ~SaverShow();
  SaverShow(const SaverShow&) = delete;
  SaverShow& operator=(const SaverShow&) = delete;

  // The show's part of window creation: motion and animation start values,
  // Timer1 at 50 ms and tmCom at 200 ms running, the buffer black.
  void FormCreate();
  // Settings, ticker layout, list, current picture, the buffer onto the
  // window, tmGamen at switchSeconds. The list and the picture are asked
  // for and come when they have been read (ReceiveReads): until the first
  // picture is there, nothing moves and the ticker runs over black; a
  // repaint keeps the picture shown until the new one is read.
  void FormPaint();
  // Takes whatever the supply has read and goes on with the paint or the
  // switch that waited for it, or, following, with the supply's latest
  // position; the engine calls it every wake.
  void ReceiveReads();
  // One tick: move or centre, step a strip; the frame is due.
  void Timer1Timer();
  // The ticker's step, after the frame due is composed.
  void tmComTimer();
  // Next picture: Timer1 and tmCom stopped, next index, load, both restarted.
  // If the next picture has not been read yet, the current one stays and
  // tmGamen waits; the switch comes as soon as it has been read, and tmGamen
  // counts afresh from there.
  void tmGamenTimer();
  // The handler of a timer, for a host that dispatches by timer.
  void OnTimer(SaverTimer timer);
  // The viewer's key, given to every monitor's show, the leading one first:
  // the leading show moves the sequence (next, back, hide the photo it
  // shows) or pauses it, and restarts tmGamen's countdown; every other show
  // follows the move. Every show marks a pause and its end. Other commands
  // are not the show's.
  void Steer(KeyCommand command);
  // The show's part of destruction: Timer1 and tmGamen off.
  void FormDestroy();

  // True when the window lacks something of the buffer: a frame is due or
  // composed frames have not yet been presented.
  bool HasFrameToPresent() const { return frameDue_ || composer_.HasUpdate() || Animating(); }
  // Composes the frame due and puts what the window lacks of it there.
  void PresentFrame();

  const settings::SaverSettings& Settings() const { return settings_; }
  const settings::PictureList& List() const { return supply_.List(); }
  // How many pictures along from the leading show's this one shows.
  int32_t Offset() const { return setup_.followsSwitches ? setup_.pictureOffset : 0; }
  // The file of the picture shown (empty for the sample of an empty list).
  const std::string& ShownPath() const { return shownPath_; }
  const LoadedPicture& Picture() const { return current_.picture; }
  const MotionState& Motion() const { return motion_; }
  const AnimationState& Animation() const { return animation_; }
  const MessageTicker& Ticker() const { return ticker_; }
  // How many switches the show has made.
  int64_t Switches() const { return switches_; }
  DisplayMethod Method() const;
  bool Crossfading() const { return slides_ == SlideState::Crossfading; }
  // The layers of the frame at a clock time, as the show composes it then;
  // how many frames it has composed, and when the last one.
  FrameLayers FrameAt(int64_t nowNs);
  int64_t Compositions() const { return compositions_; }
  int64_t ComposedAt() const { return composedAtNs_; }

  // tmGamen's interval for a number of seconds: 0 (never fires) for 0 or
  // less, and at most the largest interval a window timer takes.
  static uint32_t SwitchInterval(int32_t switchSeconds);

 private:
  // What is on the screen: nothing yet, the current slide, or the current
  // slide fading in over the outgoing one.
  enum class SlideState { Nothing, Showing, Crossfading };
  // What waits for a picture to be read: the paint's, a switch's, or the
  // paint's and then a switch's (tmGamen fell while the paint waited).
  enum class ReadWait { Nothing, Paint, PaintThenSwitch, Switch };

  void ComposeDueFrame();
  bool Animating() const;
  void StartSlide(int64_t nowNs);
  void StartCrossfade(int64_t nowNs);
  void EndCrossfade();
  void DropOutgoing();
  bool FadesAtSwitch() const;
  void FinishPaint(PictureRead read);
  void SwitchIfRead();
  void FollowIfRead();
  void Switch(PictureRead read);
  void HoldSwitchTimer();
  void RestartSwitchTimer();
  ShowFit Fit();
  void ShowRead(PictureRead read);
  void ShowCaption(LoadOutcome outcome, const std::vector<LaidOutPhoto>& photos);
  void ChangeTempo();
  void PlaySoundEffect();
  void TellZeroHeight();
  bool Quiet() const { return setup_.previewMode || setup_.followsSwitches; }
  TextLayer CurrentTickerLine();
  void AddCaptionLayers(const Slide& slide, double opacity, FrameLayers& frame) const;
  void Bounce();
  Size PictureSizeOnScreen() const;

  SaverHost& host_;
  TickScheduler& timers_;
  FrameCounters& counters_;
  SaverShowSetup setup_;
  FrameComposer composer_;
  bool frameDue_ = false;
  settings::SaverSettings settings_;
  PictureSupply& supply_;
  const int seat_;
  Slide current_;
  std::optional<Slide> outgoing_;  // while crossfading
  Rect outgoingPlace_;             // where the outgoing slide stood
  SlideState slides_ = SlideState::Nothing;
  ReadWait wait_ = ReadWait::Nothing;
  bool switchTimerHeld_ = false;  // tmGamen stopped while a switch waits
  int64_t fadeStartNs_ = 0, fadeNs_ = 0;
  int64_t composedAtNs_ = 0, compositions_ = 0;
  MotionState motion_;
  AnimationState animation_;
  MessageTicker ticker_;
  int64_t switches_ = 0;
  int64_t shownMoves_ = 0;  // the supply's position this show has reached
  PauseMark pauseMark_;
  std::string shownPath_;
};

}  // namespace slideshow
