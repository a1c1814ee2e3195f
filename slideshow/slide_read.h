#pragma once
// What the reader reads for one slide, on its own thread, never a window's.
// With pairs on, the headers of the slide's pick and of the next one in the
// order decide whether both share the slide (ShowsAsPair); each picture is
// then decoded once, to the size it is shown at in its half. With the
// backdrop on, a slide that leaves part of the screen uncovered gets its
// soft backdrop, made here once for the slide: one of the whole screen, or
// one per half of a pair from that half's picture. Such a slide is laid out
// whole here: its pictures drawn unchanged over their backdrops (or black)
// into one picture of the screen's size (each reduced straight into its
// place there, when it is shown at the size it is reduced to), which the
// show then shows as it shows any picture (a still show copies it one to
// one, pan & zoom moves the pair as one). Floating shows neither pairs nor
// backdrops.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "codecs/picture_header.h"
#include "settings/show_effects.h"
#include "slideshow/display_method.h"
#include "slideshow/load_picture.h"
#include "slideshow/rect.h"

namespace slideshow {

struct SlideChoices {
  bool pairs = false;
  bool backdrop = false;
  friend bool operator==(const SlideChoices&, const SlideChoices&) = default;
};
// The effects as a display method takes them: floating takes neither.
SlideChoices SlideChoicesFor(DisplayMethod method, const settings::ShowEffects& effects);

// Reads the header of the picture file a UTF-8 path names.
using HeaderFunction = std::function<codecs::PictureHeader(const std::string& path)>;

// The slide that begins with the picture at `path`: the picture fitted as
// always, or the slide laid out whole (with its photos); nothing for a
// picture that could not be decoded (the sample is shown). `nextPath` is the
// next pick in the order (empty: there is none). A pair one of whose
// pictures cannot be decoded is read as the first picture alone. Without a
// header function there are no pairs.
std::optional<FittedPicture> ReadSlide(const DecodeFunction& decode, const HeaderFunction& header, const std::string& path,
                    const std::string& nextPath, DisplayMethod method, Size screen, SlideChoices choices);

}  // namespace slideshow
