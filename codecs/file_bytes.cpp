// The native build reads files with the C library; file_bytes_win.cpp is the
// Windows implementation.
#ifndef _WIN32
#include "codecs/file_bytes.h"

#include <cstdio>
#include <memory>

namespace codecs {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, size_t maxBytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[1 << 16];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, file.get())) {
    if (n > maxBytes - bytes.size()) return std::nullopt;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace codecs
#endif
