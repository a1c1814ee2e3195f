#pragma once
// Text rendered by GDI into a coverage mask, for the date caption.
#include <string>

#include "slideshow/photo_caption.h"

namespace app {

// Greyscale-antialiased white text on black in a bitmap of the text's own
// extent, read back as coverage: no colour fringes, whatever the display's
// font smoothing, since the portable side colours and outlines it.
slideshow::TextMask RenderTextMask(const std::string& face, int32_t pixelHeight, const std::string& text);

}  // namespace app
