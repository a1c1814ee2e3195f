// The native build reads files with the C library; file_source_win.cpp is the
// Windows implementation.
#ifndef _WIN32
#include "codecs/file_source.h"

#include <sys/types.h>

#include <cstdio>

namespace codecs {
namespace {

class CFileSource final : public ByteSource {
 public:
  CFileSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  CFileSource(const CFileSource&) = delete;
  CFileSource& operator=(const CFileSource&) = delete;
  ~CFileSource() override { std::fclose(file_); }
  uint64_t size() const override { return size_; }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override {
    if (offset > size_ || out.size() > size_ - offset) return false;
    if (fseeko(file_, off_t(offset), SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), file_) == out.size();
  }

 private:
  std::FILE* file_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  const off_t size = fseeko(file, 0, SEEK_END) == 0 ? ftello(file) : off_t(-1);
  if (size < 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<CFileSource>(file, uint64_t(size));
}

}  // namespace codecs
#endif
