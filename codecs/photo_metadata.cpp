#include "codecs/photo_metadata.h"

#include <utility>

#include "codecs/exif_date.h"
#include "codecs/exif_orientation.h"
#include "codecs/orientation.h"

namespace codecs {

void ReadExifInto(PhotoMetadata& metadata, Bytes exif) {
  metadata.orientation = ExifOrientation(exif);
  metadata.taken = ExifDateTaken(exif);
}

Image ApplyPhotoMetadata(Image image, const PhotoMetadata& metadata) {
  if (!metadata.iccProfile.empty()) {
    ConvertIccToSrgb(image, metadata.iccProfile);
  } else if (metadata.coded) {
    ConvertCodedToSrgb(image, *metadata.coded);
  }
  Image upright = Orient(std::move(image), metadata.orientation);
  upright.taken = metadata.taken;
  return upright;
}

}  // namespace codecs
