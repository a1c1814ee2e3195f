#include <cstddef>
#include <cstdint>

#include "codecs/avif_decoder.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodeAvif({data, size}));
  return 0;
}
