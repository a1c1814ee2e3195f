#pragma once
// LoadPicture: the path at the list's current index becomes the picture the
// tick shows, fitted to the screen, with the frame geometry of a strip. Any
// failure to decode shows the built-in sample strip instead, silently.
#include <optional>
#include <string>

#include "codecs/image.h"
#include "slideshow/picture_fitting.h"
#include "slideshow/picture_list.h"
#include "slideshow/rect.h"

namespace slideshow {

// Decodes a picture file chosen by its extension; nothing when the
// extension has no decoder or the file cannot be read or decoded. May also
// throw, which counts as a failure.
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  virtual std::optional<codecs::Image> Decode(const std::string& cp932Path) = 0;
};

// What a load leaves behind for the tick.
struct LoadedPicture {
  codecs::Image pictureBitmap;
  Size fitted;  // fittedWidth x fittedHeight
  FrameGeometry geometry;
};

enum class LoadOutcome { Loaded, ZeroHeight };

// Text shown (outside preview mode) when the fitted height comes out 0;
// CP932 bytes of "画像データの内容がありません(2)．".
extern const char kZeroHeightMessage[];

// Loads `list.PathAt(list.currentIndex)`, or the sample when the list is
// empty. On ZeroHeight the bitmap is W x 0 and the geometry of the previous
// picture stays, so nothing is visible until the next switch.
LoadOutcome LoadPicture(const PictureList& list, bool floating, Size screen,
                        PictureDecoder& decoder, const codecs::Image& samplePicture,
                        LoadedPicture& loaded);

}  // namespace slideshow
