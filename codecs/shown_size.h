#pragma once
// A caller that shows a picture smaller than it is lets a decoder that can
// reduce while decoding (JPEG, WebP) make fewer pixels. The decoder reads the
// picture's size from the header and asks the caller, through ShownSize, at
// which size the picture is shown; it then delivers the picture at no less
// than that on either axis, as near to it as its scaling allows, and the
// caller reduces the rest of the way. Sizes are of the picture standing
// upright, as the decoder delivers it.
#include <cstdint>
#include <functional>

namespace codecs {

struct PictureSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Given the size the decoder would deliver the picture at, the size it is
// shown at. An empty function asks for the whole picture.
using ShownSize = std::function<PictureSize(PictureSize whole)>;

// The size a picture stored at `stored` stands at once turned by its EXIF
// `orientation`: 5 to 8 swap the axes.
PictureSize UprightSize(PictureSize stored, int orientation);

// What `shown` asks for a picture stored at `stored` with EXIF
// `orientation`, turned to the stored orientation; `stored` itself when
// there is no `shown`.
PictureSize ShownStoredSize(const ShownSize& shown, PictureSize stored, int orientation);

// The least size a decoder must deliver a picture stored at `stored` with
// EXIF `orientation`, in the stored orientation (orientations 5 to 8 swap the
// axes): what `shown` asks for, never more than `stored`; `stored` itself
// when there is no `shown`.
PictureSize LeastStoredSize(const ShownSize& shown, PictureSize stored, int orientation);

}  // namespace codecs
