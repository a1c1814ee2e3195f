#include <cstddef>
#include <cstdint>

#include "codecs/webp_decoder.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeWebp({data, size}));
  codecs::fuzzing::CheckResult(codecs::DecodeWebp({data, size}, codecs::fuzzing::AThird));
  return 0;
}
