#pragma once
// Random access to a file's bytes, for readers that need a few scattered
// parts of a file (its header, a metadata block at its end) rather than the
// whole of it.
#include <cstdint>
#include <cstring>
#include <span>

#include "codecs/byte_reader.h"

namespace codecs {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Fills `out` with the bytes at `offset`; false when they are not all in
  // the file or cannot be read.
  virtual bool ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;
};

// The bytes of a file already in memory.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(Bytes bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override {
    if (offset > bytes_.size() || !HasRange(bytes_, size_t(offset), out.size())) return false;
    if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
  }

 private:
  Bytes bytes_;
};

}  // namespace codecs
