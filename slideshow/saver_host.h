#pragma once
// What the saver's engine needs from the platform that hosts it: the
// settings store, text measuring and drawing, putting the back buffer on the
// window, sounds, message boxes, the screen, the time, the end. The saver
// window implements it with the registry and GDI; tests implement it with
// fakes. All calls come on the window's thread, from inside the engine; the
// pictures and the folder come from the picture supply, never from here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/saver_settings.h"
#include "settings/saver_store.h"
#include "slideshow/composition.h"
#include "slideshow/message_ticker.h"
#include "slideshow/photo_caption.h"
#include "settings/picture_list.h"
#include "slideshow/rect.h"

namespace slideshow {

// The store's readers, over the real settings key.
class SaverSettingsSource {
 public:
  virtual ~SaverSettingsSource() = default;
  virtual settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                         settings::PictureList& list) = 0;
  virtual settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& settings) = 0;
};

// The window and its drawing surface: text measured (TextMeasurer, for the
// ticker's layout) and drawn, the back buffer put on the window, the screen.
class SaverCanvas : public TextMeasurer {
 public:
  // The window's current width, which the ticker's pad must reach.
  virtual int32_t WindowWidth() = 0;
  // A rectangle holding every pixel that drawing `text` at (x, y) in `font`
  // may touch; too large costs a little time, too small leaves trails.
  virtual Rect TextBounds(const MessageFont& font, int32_t x, int32_t y,
                          const std::string& text) = 0;
  // Draws a line of text over the back buffer at (x, y) in `font`,
  // transparent background. Pending drawing must be flushed before the
  // engine next writes pixels.
  virtual void DrawText(const MessageFont& font, int32_t x, int32_t y, const std::string& text) = 0;
  // The date caption's text as a coverage mask (see RenderTextMask).
  virtual TextMask RenderCaptionText(const std::string& face, int32_t pixelHeight, const std::string& text) = 0;
  // Stretches the whole back buffer onto the whole window.
  virtual void StretchBackBuffer() = 0;
  // Puts what the window lacks onto it, one to one (FrameComposer's
  // WindowUpdate); a preview window may simply take the whole buffer scaled,
  // since its show keeps the whole frame in the buffer. All rectangles lie
  // inside the buffer; those from the buffer may overlap.
  virtual void PresentUpdate(const WindowUpdate& update) = 0;
  // Hides the application's own top-level window.
  virtual void HideApplicationWindow() = 0;
  // The screen the show is fitted to in pixels (the primary screen also in
  // preview mode; another monitor's own size for its window).
  virtual Size ScreenSize() = 0;
};

// What the rest of the system does for the show: the time, sounds, message
// boxes, the end.
class SaverSystem {
 public:
  virtual ~SaverSystem() = default;
  // Posts the quit request; the application ends once its loop takes it.
  virtual void RequestEnd() = 0;
  // The current time in whole seconds; seeds the bounce tempo.
  virtual int64_t NowSeconds() = 0;
  // MessageBeep with 0xFFFFFFFF (simple beep) or 0 (default sound).
  virtual void MessageBeep(uint32_t type) = 0;
  // A plain message box with an OK button; `text` in UTF-8.
  // No tick runs while it is open.
  virtual void ShowMessage(const std::string& text) = 0;
};

// All three, as one saver window gives them.
class SaverHost : public SaverSettingsSource, public SaverCanvas, public SaverSystem {};

}  // namespace slideshow
