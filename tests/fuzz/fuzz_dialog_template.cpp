// Any bytes either parse or throw std::runtime_error; a parse never holds more
// controls than the bytes could describe (each takes at least 24 bytes).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "platform/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const platform::DialogTemplate form = platform::ParseDialogTemplate(data, size);
    if (form.items.size() * 24 > size) std::abort();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
