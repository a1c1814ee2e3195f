#include "codecs/photo_metadata.h"

#include <utility>

#include "codecs/orientation.h"

namespace codecs {

Image ApplyPhotoMetadata(Image image, const PhotoMetadata& metadata) {
  if (!metadata.iccProfile.empty()) {
    ConvertIccToSrgb(image, metadata.iccProfile);
  } else if (metadata.coded) {
    ConvertCodedToSrgb(image, *metadata.coded);
  }
  return Orient(std::move(image), metadata.orientation);
}

}  // namespace codecs
