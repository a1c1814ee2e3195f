#include <cstddef>
#include <cstdint>

#include "codecs/decode_picture.h"
#include "fuzz_check.h"

// The AVIF road: our own reader with dav1d, and libheif for what it does not
// read; one decode an input, by its size whole or asked for a third.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodePicture("avif", {data, size}, codecs::JpegQuality::Saver,
                                                     codecs::fuzzing::WholeOrAThird(size)));
  return 0;
}
