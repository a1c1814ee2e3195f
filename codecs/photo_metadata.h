#pragma once
// What a photo file says beside its pixels: which way up it stands, which
// colours its numbers mean, and the day it was taken.
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/colour_profile.h"
#include "codecs/image.h"

namespace codecs {

struct PhotoMetadata {
  int orientation = 1;               // EXIF orientation, 1 to 8
  std::vector<uint8_t> iccProfile;   // empty when the file has none
  std::optional<CodedColour> coded;  // used when there is no ICC profile
  std::optional<PhotoDate> taken;    // from EXIF; none when the file does not say
};

// The orientation and the day of taking that an EXIF block holds (see
// ExifOrientation and ExifDateTaken).
void ReadExifInto(PhotoMetadata& metadata, Bytes exif);

// The picture in sRGB, standing upright, with the day it was taken: the
// colour conversion first, on the pixels as stored, then the orientation.
Image ApplyPhotoMetadata(Image image, const PhotoMetadata& metadata);

}  // namespace codecs
