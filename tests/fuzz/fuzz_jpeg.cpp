#include <cstddef>
#include <cstdint>

#include "codecs/jpeg_decoder.h"
#include "fuzz_check.h"

// Each input is one decode, so that the time an input may take is the time a
// decode may take: by the input's size, the saver's setting or the
// thumbnail's fast one, whole or reduced while decoding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using codecs::JpegQuality;
  const JpegQuality quality = size % 2 ? JpegQuality::Thumbnail : JpegQuality::Saver;
  const codecs::ShownSize shown = codecs::fuzzing::WholeOrAThird(size / 2);
  codecs::fuzzing::CheckResult(codecs::DecodeJpeg({data, size}, quality, shown));
  return 0;
}
