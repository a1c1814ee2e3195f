#pragma once
// Reduces a picture to its fitted size by area averaging: every output pixel
// is the mean of the source area it covers, partly covered source pixels
// counting by the share they cover. Separable and in exact integer coverage
// units, so a 24-megapixel photograph reduces in a few tens of milliseconds.
#include <cstddef>  // codecs/image.h uses size_t
#include <cstdint>

#include "codecs/image.h"
#include "slideshow/pixel_view.h"

namespace slideshow {

// The whole of `source` stretched into width x height. The same size is a
// copy; a larger size (never asked for by the fitting) falls back to the
// same coverage rule and enlarges blockwise. A size of 0 on either axis gives
// an empty image of that size.
codecs::Image ResamplePicture(const codecs::Image& source, int32_t width, int32_t height);
// The same by the coverage rule alone (no copy for the same size), written
// over the pixels of a view of the size wanted (a part of a larger picture,
// say); an empty source or view writes nothing.
void ResamplePictureInto(const codecs::Image& source, const PixelView& into);

}  // namespace slideshow
