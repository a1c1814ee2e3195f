#include <cstddef>
#include <cstdint>

#include "codecs/webp_decoder.h"
#include "fuzz_check.h"

// One decode an input, by its size whole or reduced to a third while decoding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeWebp({data, size}, codecs::fuzzing::WholeOrAThird(size)));
  return 0;
}
