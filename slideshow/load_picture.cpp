#include "slideshow/load_picture.h"

#include <exception>

#include "slideshow/resample.h"

namespace slideshow {

const char kZeroHeightMessage[] =
    "\x89\xE6\x91\x9C\x83\x66\x81\x5B\x83\x5E\x82\xCC\x93\xE0\x97\x65\x82\xAA\x82\xA0\x82\xE8"
    "\x82\xDC\x82\xB9\x82\xF1(2)\x81\x44";

namespace {

std::optional<codecs::Image> DecodeCurrent(const PictureList& list, PictureDecoder& decoder) {
  if (list.entryCount == 0) return std::nullopt;
  try {
    return decoder.Decode(list.PathAt(list.currentIndex));
  } catch (const std::exception&) {
    // A decoder error, including running out of memory on a huge picture,
    // is a failed load like any other.
    return std::nullopt;
  }
}

}  // namespace

LoadOutcome LoadPicture(const PictureList& list, bool floating, Size screen,
                        PictureDecoder& decoder, const codecs::Image& samplePicture,
                        LoadedPicture& loaded) {
  std::optional<codecs::Image> decoded = DecodeCurrent(list, decoder);
  const codecs::Image& picture = decoded && !decoded->empty() ? *decoded : samplePicture;
  loaded.fitted = FitPicture(picture.width, picture.height, screen, floating);
  loaded.pictureBitmap = ResamplePicture(picture, loaded.fitted.width, loaded.fitted.height);
  const std::optional<FrameGeometry> geometry = FrameGeometryOf(loaded.fitted);
  if (!geometry) return LoadOutcome::ZeroHeight;
  loaded.geometry = *geometry;
  return LoadOutcome::Loaded;
}

}  // namespace slideshow
