#pragma once
// Loading a picture: a picture file becomes the picture the tick shows,
// fitted to the screen, with the frame geometry of a strip. Any failure to
// decode shows the built-in sample strip instead, silently.
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <utility>

#include "codecs/image.h"
#include "codecs/shown_size.h"
#include "slideshow/picture_fitting.h"
#include "slideshow/rect.h"

namespace slideshow {

// Decodes a picture file chosen by its extension; nothing when the
// extension has no decoder or the file cannot be read or decoded. May also
// throw, which counts as a failure. A decoder that can reduce while decoding
// asks `shown` the size the picture is shown at and delivers no less than
// that (see codecs::ShownSize); any other delivers the picture whole. One
// that runs on another thread than the window's must touch nothing but the
// file it reads.
using DecodeFunction = std::function<std::optional<codecs::Image>(const std::string& path,
                                                                  const codecs::ShownSize& shown)>;

// One photo of a slide laid out whole by the reader (slide_read.h): the part
// of the screen it stands in (its date caption stands at the bottom right of
// it) and its date.
struct LaidOutPhoto {
  Rect area;
  std::optional<codecs::PhotoDate> taken;
  friend bool operator==(const LaidOutPhoto&, const LaidOutPhoto&) = default;
};

// A decoded picture reduced to the size it is shown at.
struct FittedPicture {
  codecs::Image bitmap;
  Size fitted;  // fittedWidth x fittedHeight, the bitmap's size
  // Of a slide laid out whole, each photo on it, the slide's own pick first;
  // empty for a picture shown as always.
  std::vector<LaidOutPhoto> photos;
  // How many picks of the order the picture shows: 2 for a pair.
  int32_t Span() const { return photos.size() == 2 ? 2 : 1; }
};

// Fits a decoded picture to the screen and reduces it; a picture that keeps
// its size is moved, not copied.
FittedPicture FitToScreen(codecs::Image picture, DisplayMethod method, Size screen);

// Decodes the file at `path` and fits it; nothing when the decoder
// gives nothing or an empty picture, or when decoding or reducing throws
// anything (running out of memory on a huge picture, for example): this is
// where a bad file becomes a failed read. The fitted size is
// always that of the whole picture, however much the decoder reduced it
// already. Runs on any thread if `decode` does.
std::optional<FittedPicture> DecodeAndFit(const DecodeFunction& decode, const std::string& path,
                                          DisplayMethod method, Size screen);

// The size a picture of that whole size is shown at.
using FitTarget = std::function<Size(Size whole)>;
// The size a show of that method shows a picture at on that screen.
FitTarget FitFor(DisplayMethod method, Size screen);
// Decodes and reduces as DecodeAndFit does, to the size `target` gives.
std::optional<FittedPicture> DecodeAndFitTo(const DecodeFunction& decode, const std::string& path,
                                            const FitTarget& target);

// A picture as decoded, and the size it is to be reduced to.
struct DecodedPicture {
  codecs::Image picture;
  Size fitted;
};
// Decodes as DecodeAndFitTo does and leaves the reducing to the caller (who
// may reduce it straight into its place in a larger picture); nothing when
// the decoder gives nothing or an empty picture, or throws.
std::optional<DecodedPicture> DecodeForFit(const DecodeFunction& decode, const std::string& path,
                                           const FitTarget& target);
// Reduces it to its fitted size; a picture that keeps its size is moved.
FittedPicture ReduceToFit(DecodedPicture decoded);
// A picture as read for a show: not read yet, failed (a file that could not
// be decoded, or an empty list: the sample is shown), or read and fitted.
struct PictureRead {
  enum class State { NotYet, Failed, Read };
  State state = State::NotYet;
  FittedPicture picture;  // when Read

  static PictureRead Of(std::optional<FittedPicture> fitted) {
    if (!fitted) return {State::Failed, {}};
    return {State::Read, std::move(*fitted)};
  }
  bool Ready() const { return state != State::NotYet; }
  bool Failed() const { return state == State::Failed; }
};

// What a load leaves behind for the tick.
struct LoadedPicture {
  codecs::Image pictureBitmap;
  Size fitted;  // fittedWidth x fittedHeight
  FrameGeometry geometry;
};

enum class LoadOutcome { Loaded, ZeroHeight };

// Text shown (outside preview mode) when the fitted height comes out 0;
// "画像データの内容がありません(2)．".
extern const char kZeroHeightMessage[];

// Loads a picture read (by the prefetch worker, or on the window's thread
// without one); a failed read shows the sample. On ZeroHeight the bitmap
// is W x 0 and the geometry of the previous picture stays, so nothing is
// visible until the next switch.
LoadOutcome LoadFittedPicture(PictureRead read, DisplayMethod method, Size screen,
                              const codecs::Image& samplePicture, LoadedPicture& loaded);

}  // namespace slideshow
