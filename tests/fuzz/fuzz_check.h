#pragma once
// What every fuzz target asserts beyond "no crash, no sanitizer report": a
// decoded picture is within the size cap, its pixel buffer matches its size,
// and every pixel keeps the top byte clear.
#include <cstdlib>
#include <optional>

#include "codecs/decode_limits.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs::fuzzing {

inline void CheckResult(const std::optional<Image>& image) {
  if (!image) return;
  if (!SizeAllowed(image->width, image->height)) std::abort();
  if (image->pixels.size() != size_t(image->width) * size_t(image->height)) std::abort();
  for (uint32_t p : image->pixels) {
    if (p >> 24) std::abort();
  }
}

// Asks a decoder that can reduce while decoding for a third of the picture,
// so the scaled paths are fuzzed too.
inline PictureSize AThird(PictureSize whole) { return {whole.width / 3, whole.height / 3}; }

// The whole picture for inputs of even size, a third for odd ones: each input
// is one decode, so the time an input may take is the time a decode may.
inline ShownSize WholeOrAThird(size_t size) { return size % 2 ? ShownSize(AThird) : nullptr; }

}  // namespace codecs::fuzzing
