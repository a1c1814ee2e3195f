#pragma once
#include "codecs/image.h"

namespace codecs {

// The built-in sample picture, the bitmap resource TOLVEX (128 x 32, a strip
// of four frames); an empty image if the resource is missing or damaged.
codecs::Image LoadSamplePicture();

}  // namespace codecs
