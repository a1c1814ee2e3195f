#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/decode_limits.h"

namespace codecs {

// The whole content of a file named by a CP932 path; nothing when it cannot
// be opened or read, or is larger than maxBytes. On Windows the path goes
// through the wide API, so no file is lost to the code page of the system.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& cp932Path,
                                                  size_t maxBytes = kMaxFileBytes);

}  // namespace codecs
