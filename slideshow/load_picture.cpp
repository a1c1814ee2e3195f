#include "slideshow/load_picture.h"

#include <utility>

#include "slideshow/resample.h"

namespace slideshow {

const char kZeroHeightMessage[] = "画像データの内容がありません(2)．";

FittedPicture ReduceToFit(DecodedPicture decoded) {
  codecs::Image& picture = decoded.picture;
  const Size fitted = decoded.fitted;
  if (fitted == Size{picture.width, picture.height}) return {std::move(picture), fitted};
  codecs::Image reduced = ResamplePicture(picture, fitted.width, fitted.height);
  reduced.taken = picture.taken;
  return {std::move(reduced), fitted};
}

FitTarget FitFor(DisplayMethod method, Size screen) {
  return [method, screen](Size whole) { return ShownPictureSize(whole.width, whole.height, screen, method); };
}

FittedPicture FitToScreen(codecs::Image picture, DisplayMethod method, Size screen) {
  const Size fitted = ShownPictureSize(picture.width, picture.height, screen, method);
  return ReduceToFit({std::move(picture), fitted});
}

std::optional<DecodedPicture> DecodeForFit(const DecodeFunction& decode, const std::string& path,
                                           const FitTarget& target) {
  try {
    // Set when the decoder asks: it then knows the whole picture's size,
    // which the delivered pixels may no longer have.
    std::optional<Size> fitted;
    const codecs::ShownSize shown = [&](codecs::PictureSize whole) {
      fitted = target({whole.width, whole.height});
      return codecs::PictureSize{fitted->width, fitted->height};
    };
    std::optional<codecs::Image> decoded = decode(path, shown);
    if (!decoded || decoded->empty()) return std::nullopt;
    if (!fitted) fitted = target({decoded->width, decoded->height});
    return DecodedPicture{std::move(*decoded), *fitted};
  } catch (...) {
    // A decoder error, including running out of memory on a huge picture,
    // is a failed load like any other.
    return std::nullopt;
  }
}

std::optional<FittedPicture> DecodeAndFitTo(const DecodeFunction& decode, const std::string& path,
                                            const FitTarget& target) {
  std::optional<DecodedPicture> decoded = DecodeForFit(decode, path, target);
  if (!decoded) return std::nullopt;
  try {
    return ReduceToFit(std::move(*decoded));
  } catch (...) {
    return std::nullopt;  // no memory for the reduced picture
  }
}

std::optional<FittedPicture> DecodeAndFit(const DecodeFunction& decode, const std::string& path,
                                          DisplayMethod method, Size screen) {
  return DecodeAndFitTo(decode, path, FitFor(method, screen));
}

LoadOutcome LoadFittedPicture(PictureRead read, DisplayMethod method, Size screen,
                              const codecs::Image& samplePicture, LoadedPicture& loaded) {
  FittedPicture picture = read.state == PictureRead::State::Read
                              ? std::move(read.picture)
                              : FitToScreen(samplePicture, method, screen);
  loaded.fitted = picture.fitted;
  loaded.pictureBitmap = std::move(picture.bitmap);
  const std::optional<FrameGeometry> geometry = FrameGeometryOf(loaded.fitted);
  if (!geometry) return LoadOutcome::ZeroHeight;
  loaded.geometry = *geometry;
  return LoadOutcome::Loaded;
}

}  // namespace slideshow
