#include <cstddef>
#include <cstdint>

#include "codecs/heif_decoder.h"
#include "fuzz_check.h"

// One decode an input, by its size whole or asked for a third, which takes
// a thumbnail the file holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeHeif({data, size}, codecs::fuzzing::WholeOrAThird(size)));
  return 0;
}
