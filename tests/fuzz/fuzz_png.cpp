#include <cstddef>
#include <cstdint>

#include "codecs/png_decoder.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::fuzzing::CheckResult(codecs::DecodePng({data, size}));
  return 0;
}
