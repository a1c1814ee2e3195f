#pragma once
#include "codecs/image.h"

namespace codecs {

// Turns and mirrors a picture stored in EXIF orientation 1 to 8 so that it
// stands as it is meant to be seen; orientations 5 to 8 swap width and height.
// Any other value leaves the picture as it is.
Image Orient(Image image, int orientation);

}  // namespace codecs
