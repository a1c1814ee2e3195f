#pragma once
#include <memory>
#include <string>

#include "codecs/byte_source.h"

namespace codecs {

// The file a UTF-8 path names, open for reading parts of it; nothing when it
// cannot be opened. On Windows the path goes through the wide API, so no file
// is lost to a code page.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

}  // namespace codecs
