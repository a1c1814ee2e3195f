#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codecs/decode_limits.h"

namespace codecs {

// The whole content of a file named by a UTF-8 path; nothing when it cannot
// be opened or read, or is larger than maxBytes. On Windows the path goes
// through the wide API, so no file is lost to a code page.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path,
                                                  size_t maxBytes = kMaxFileBytes);

}  // namespace codecs
