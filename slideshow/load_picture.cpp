#include "slideshow/load_picture.h"

#include <exception>
#include <utility>

#include "slideshow/resample.h"

namespace slideshow {

const char kZeroHeightMessage[] = "画像データの内容がありません(2)．";

FittedPicture FitToScreen(codecs::Image picture, bool floating, Size screen) {
  const Size fitted = FitPicture(picture.width, picture.height, screen, floating);
  if (fitted == Size{picture.width, picture.height}) return {std::move(picture), fitted};
  return {ResamplePicture(picture, fitted.width, fitted.height), fitted};
}

std::optional<FittedPicture> DecodeAndFit(const DecodeFunction& decode, const std::string& path,
                                          bool floating, Size screen) {
  try {
    std::optional<codecs::Image> decoded = decode(path);
    if (!decoded || decoded->empty()) return std::nullopt;
    return FitToScreen(std::move(*decoded), floating, screen);
  } catch (const std::exception&) {
    // A decoder error, including running out of memory on a huge picture,
    // is a failed load like any other.
    return std::nullopt;
  }
}

LoadOutcome LoadFittedPicture(std::optional<FittedPicture> picture, bool floating, Size screen,
                              const codecs::Image& samplePicture, LoadedPicture& loaded) {
  if (!picture) picture = FitToScreen(samplePicture, floating, screen);
  loaded.fitted = picture->fitted;
  loaded.pictureBitmap = std::move(picture->bitmap);
  const std::optional<FrameGeometry> geometry = FrameGeometryOf(loaded.fitted);
  if (!geometry) return LoadOutcome::ZeroHeight;
  loaded.geometry = *geometry;
  return LoadOutcome::Loaded;
}

}  // namespace slideshow
