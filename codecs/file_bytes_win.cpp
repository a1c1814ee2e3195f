#include <windows.h>

#include <algorithm>

#include "codecs/file_bytes.h"
#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

namespace codecs {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, size_t maxBytes) {
  const std::wstring name = platform::FileSystemPath(platform::WideFromUtf8(path));
  const platform::UniqueFile file(CreateFileW(name.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || uint64_t(size.QuadPart) > maxBytes) {
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(size_t(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 24));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) return std::nullopt;
    done += read;
  }
  return bytes;
}

}  // namespace codecs
