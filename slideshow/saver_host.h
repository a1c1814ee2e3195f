#pragma once
// What the show needs from the saver window that hosts it. The window
// implements this with its timers, the settings store, the decoders, GDI and
// message boxes; tests implement it with fakes. All calls come on the
// window's thread, from inside the show's handlers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/image.h"
#include "settings/directory_search.h"
#include "settings/saver_settings.h"
#include "settings/saver_store.h"
#include "slideshow/load_picture.h"
#include "slideshow/picture_list.h"
#include "slideshow/rect.h"

namespace slideshow {

enum class SaverTimer { Timer1, tmCom, tmGamen };

// Decode (from PictureDecoder) reads a picture file and decodes it by its
// extension, on the window's thread. The prefetch worker decodes through a
// separate function (SaverShowSetup::prefetchDecode), never through this
// interface: every call here comes on the window's thread.
class SaverHost : public PictureDecoder {
 public:
  // The store's readers, over the real settings key.
  virtual settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                         PictureList& list) = 0;
  virtual settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& settings) = 0;
  // The wildcard search over the file system, for folder mode.
  virtual settings::DirectorySearch& PictureFolderSearch() = 0;
  // Posts the quit request; the application ends once its loop takes it.
  virtual void RequestEnd() = 0;

  // The ticker's layout (font, line height, pad) from the message settings
  // just read, measured against the window's current width.
  virtual void LayoutMessage(const settings::SaverSettings& settings) = 0;
  // The ticker's step on each tick of tmCom (tmComTimer of the ticker).
  virtual void StepTicker() = 0;
  // Draws the ticker text over the back buffer at (0, tickerY), transparent
  // background, and returns a rectangle holding every pixel the drawing may
  // have touched, for example (0, tickerY, text width + overhang, tickerY +
  // lineHeight); too large costs a little time, too small leaves trails.
  // Pending GDI drawing must be flushed before the show next writes pixels.
  virtual Rect DrawTicker() = 0;
  // Stretches the whole back buffer onto the whole window.
  virtual void StretchBackBuffer() = 0;
  // Puts the given parts of the back buffer onto the window: where they are,
  // full screen; a preview window may simply take the whole buffer scaled.
  // The rectangles lie inside the buffer and may overlap.
  virtual void PresentBackBuffer(const std::vector<Rect>& dirty) = 0;
  // Hides the application's own top-level window.
  virtual void HideApplicationWindow() = 0;

  // Window timers with these rules: setting a value it already has changes
  // nothing; a real change stops it and, if it is on, starts its countdown
  // afresh; an interval of 0 never fires.
  virtual void SetTimerInterval(SaverTimer timer, uint32_t milliseconds) = 0;
  virtual void SetTimerEnabled(SaverTimer timer, bool enabled) = 0;

  // The primary screen in pixels, also in preview mode.
  virtual Size ScreenSize() = 0;
  // The current time in whole seconds; seeds the bounce tempo.
  virtual int64_t NowSeconds() = 0;
  // MessageBeep with 0xFFFFFFFF (simple beep) or 0 (default sound).
  virtual void MessageBeep(uint32_t type) = 0;
  // A plain message box with an OK button; `text` in code page 932.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace slideshow
