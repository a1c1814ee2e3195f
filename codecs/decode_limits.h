#pragma once
// Bounds every decoder enforces before it allocates. One load keeps below
// 1 GiB at its peak: the file's bytes (at most kMaxFileBytes), the decoded
// Image (at most kMaxPixels * 4 bytes = 160 MB), libjpeg's working memory
// (at most kJpegWorkingMemory) and the caller's copy of the Image into a
// bitmap (another 160 MB). A 24-megapixel photo and a 16000 x 1000 panorama
// pass; kMaxSide also keeps width * 1000 within signed 32 bits for fitting.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "codecs/image.h"

namespace codecs {

inline constexpr int64_t kMaxPixels = 40'000'000;
inline constexpr int64_t kMaxSide = 32'767;
inline constexpr size_t kMaxFileBytes = size_t(256) << 20;
inline constexpr long kJpegWorkingMemory = 320L << 20;
// Display and camera profiles take kilobytes, the largest printer profiles a
// few megabytes; a larger one is left out as a damaged one is.
inline constexpr size_t kMaxIccProfileBytes = size_t(4) << 20;

inline bool SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

// An all-black Image of that size, or nothing when the size is refused.
inline std::optional<Image> AllocateImage(int64_t width, int64_t height) {
  if (!SizeAllowed(width, height)) return std::nullopt;
  return Image(int32_t(width), int32_t(height));
}

}  // namespace codecs
