#pragma once
// The date captions of a slide: one at the bottom right of the screen for a
// picture shown as always, and one at the bottom right of each photo's part
// of a slide laid out whole (a pair's halves). A still slide's captions are
// drawn into its laid-out picture once, so that its frames stay one picture
// copied one to one; over pan & zoom they stay lines over the moving
// picture, where the zoom cannot push them off the screen.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codecs/photo_date.h"
#include "slideshow/display_method.h"
#include "slideshow/photo_caption.h"
#include "slideshow/slide_layers.h"
#include "slideshow/load_picture.h"

namespace slideshow {

// The caption's text for a photo's date; empty for none.
using CaptionText = std::function<std::string(const std::optional<codecs::PhotoDate>& taken)>;

// `taken` is the date of a picture shown as always (none for the sample);
// `photos` those of a slide laid out whole.
void ShowSlideCaptions(Slide& slide, const std::optional<codecs::PhotoDate>& taken,
                       const std::vector<LaidOutPhoto>& photos, DisplayMethod method, const CaptionText& text,
                       const std::string& face, const RenderTextMask& render);

}  // namespace slideshow
