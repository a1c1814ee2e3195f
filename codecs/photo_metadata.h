#pragma once
// What a photo file says about how its pixels are to be shown, beside the
// pixels themselves: which way up it stands and which colours its numbers mean.
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/colour_profile.h"
#include "codecs/image.h"

namespace codecs {

struct PhotoMetadata {
  int orientation = 1;               // EXIF orientation, 1 to 8
  std::vector<uint8_t> iccProfile;   // empty when the file has none
  std::optional<CodedColour> coded;  // used when there is no ICC profile
  // The EXIF block where the format keeps it apart from the pixels (HEIF),
  // for what else it says; its orientation is already in `orientation`, or
  // not to be applied at all, as in HEIF, whose own transformations count.
  std::vector<uint8_t> exif;
};

// The picture in sRGB, standing upright: the colour conversion first, on the
// pixels as stored, then the orientation.
Image ApplyPhotoMetadata(Image image, const PhotoMetadata& metadata);

}  // namespace codecs
