#pragma once
// The slideshow of the saver window: the settings it read, the picture list,
// the current picture and its geometry, the motion and animation state. The
// window forwards its creation, paint, timer ticks and destruction here and
// implements SaverHost; the show composes every frame into the window's back
// buffer and asks the host to put it on the window.
#include <cstddef>  // codecs/image.h uses size_t
#include <cstdint>

#include "codecs/image.h"
#include "settings/saver_settings.h"
#include "slideshow/animation_strip.h"
#include "slideshow/composition.h"
#include "slideshow/floating_motion.h"
#include "slideshow/load_picture.h"
#include "slideshow/picture_list.h"
#include "slideshow/saver_host.h"

namespace slideshow {

struct SaverShowSetup {
  PixelView backBuffer;         // screen-sized, owned by the host, outlives the show
  codecs::Image samplePicture;  // TOLVEX, 128 x 32
  bool previewMode = false;     // previewWnd != 0: no sound, no message box
};

class SaverShow {
 public:
  // `counters` are the process-wide frame counters; they outlive the show.
  SaverShow(SaverHost& host, FrameCounters& counters, SaverShowSetup setup);

  // The show's part of window creation: motion and animation start values,
  // Timer1 at 50 ms and tmCom at 200 ms running, the buffer black.
  void FormCreate();
  // Settings, ticker layout, list, current picture, the buffer onto the
  // window, tmGamen at switchSeconds.
  void FormPaint();
  // One frame: clear, move or centre, step a strip, copy, ticker, present.
  void Timer1Timer();
  // Next picture: Timer1 and tmCom stopped, next index, load, both restarted.
  void tmGamenTimer();
  // The show's part of destruction: Timer1 and tmGamen off.
  void FormDestroy();

  const settings::SaverSettings& Settings() const { return settings_; }
  const PictureList& List() const { return list_; }
  const LoadedPicture& Picture() const { return picture_; }
  const MotionState& Motion() const { return motion_; }
  const AnimationState& Animation() const { return animation_; }

  // tmGamen's interval for a number of seconds: 0 (never fires) for 0 or
  // less, and at most the largest interval a window timer takes.
  static uint32_t SwitchInterval(int32_t switchSeconds);

 private:
  void LoadPicture();
  void ChangeTempo();
  void PlaySoundEffect();
  void Bounce();
  void PresentFrame();
  Size PictureSizeOnScreen() const;

  SaverHost& host_;
  FrameCounters& counters_;
  SaverShowSetup setup_;
  settings::SaverSettings settings_;
  PictureList list_;
  LoadedPicture picture_;
  MotionState motion_;
  AnimationState animation_;
};

}  // namespace slideshow
