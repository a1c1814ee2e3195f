#include <cstddef>
#include <cstdint>

#include "codecs/jpeg_decoder.h"
#include "fuzz_check.h"

// Both decode settings, the saver's and the thumbnail's fast one, whole and
// reduced while decoding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Saver));
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Thumbnail));
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Saver, codecs::fuzzing::AThird));
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, codecs::JpegQuality::Thumbnail, codecs::fuzzing::AThird));
  return 0;
}
