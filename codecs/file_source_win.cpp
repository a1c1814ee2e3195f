#include <windows.h>

#include <algorithm>
#include <utility>

#include "codecs/file_source.h"
#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

namespace codecs {
namespace {

class Win32FileSource final : public ByteSource {
 public:
  Win32FileSource(platform::UniqueFile file, uint64_t size) : file_(std::move(file)), size_(size) {}
  uint64_t size() const override { return size_; }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override {
    if (offset > size_ || out.size() > size_ - offset) return false;
    size_t done = 0;
    while (done < out.size()) {
      // On a handle opened for synchronous reads, the offset in OVERLAPPED
      // says where the read starts and the call waits for it.
      OVERLAPPED at{};
      const uint64_t position = offset + done;
      at.Offset = DWORD(position);
      at.OffsetHigh = DWORD(position >> 32);
      const DWORD chunk = DWORD(std::min<size_t>(out.size() - done, 1u << 24));
      DWORD read = 0;
      if (!ReadFile(file_.get(), out.data() + done, chunk, &read, &at) || read == 0) return false;
      done += read;
    }
    return true;
  }

 private:
  platform::UniqueFile file_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
  const std::wstring name = platform::FileSystemPath(platform::WideFromUtf8(path));
  platform::UniqueFile file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return nullptr;
  return std::make_unique<Win32FileSource>(std::move(file), uint64_t(size.QuadPart));
}

}  // namespace codecs
