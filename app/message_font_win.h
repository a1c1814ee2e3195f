#pragma once
// The ticker's font in GDI: the message font of the settings as a LOGFONT
// (size in points at the DC's resolution, a Japanese face where the named one
// is missing), and the measuring of text on the saver window's own DC.
#include <windows.h>

#include <optional>
#include <string_view>

#include "slideshow/message_ticker.h"
#include "platform/handles_win.h"

namespace app {

LOGFONTW MessageLogFont(const slideshow::MessageFont& font, HDC dc);

// Measures on the window's DC for as long as it lives; the font of the last
// measurement stays selected, so a layout's many measurements make one font.
class WindowTextMeasurer : public slideshow::TextMeasurer {
 public:
  explicit WindowTextMeasurer(HWND window) : dc_(window) {}
  Extent MeasureText(const slideshow::MessageFont& font, std::string_view text) override;

 private:
  platform::WindowDc dc_;
  std::optional<slideshow::MessageFont> current_;
  platform::UniqueFont font_;
  std::optional<platform::SelectionGuard> selection_;
};

}  // namespace app
