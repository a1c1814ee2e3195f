#include <cstddef>
#include <cstdint>

#include "codecs/jpeg_decoder.h"
#include "fuzz_check.h"

// Both decode settings: the saver's and the thumbnail's scaled, fast path.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Saver));
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Thumbnail));
  return 0;
}
