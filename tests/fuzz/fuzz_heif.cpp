#include <cstddef>
#include <cstdint>

#include "codecs/heif_decoder.h"
#include "fuzz_check.h"

// Whole, and asked for a third, which takes a thumbnail the file holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeHeif({data, size}));
  codecs::fuzzing::CheckResult(codecs::DecodeHeif({data, size}, codecs::fuzzing::AThird));
  return 0;
}
