#pragma once
// Bounds-checked little-endian reads from a byte span. Every read past the end
// yields nothing, so a decoder cannot step outside the file it was given.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace codecs {

using Bytes = std::span<const uint8_t>;

inline bool HasRange(Bytes bytes, size_t offset, size_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline std::optional<uint8_t> ReadU8(Bytes bytes, size_t offset) {
  if (!HasRange(bytes, offset, 1)) return std::nullopt;
  return bytes[offset];
}

inline std::optional<uint16_t> ReadU16(Bytes bytes, size_t offset) {
  if (!HasRange(bytes, offset, 2)) return std::nullopt;
  return uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::optional<uint32_t> ReadU32(Bytes bytes, size_t offset) {
  if (!HasRange(bytes, offset, 4)) return std::nullopt;
  return uint32_t(bytes[offset]) | (uint32_t(bytes[offset + 1]) << 8) |
         (uint32_t(bytes[offset + 2]) << 16) | (uint32_t(bytes[offset + 3]) << 24);
}

// A sequential reader for streams of packets (RLE and friends).
class ByteCursor {
 public:
  explicit ByteCursor(Bytes bytes, size_t offset = 0) : bytes_(bytes), pos_(offset) {}
  bool Has(size_t n) const { return HasRange(bytes_, pos_, n); }
  size_t position() const { return pos_; }
  // Callers check Has() first; a read at the end returns 0 and stays there.
  uint8_t Next() { return pos_ < bytes_.size() ? bytes_[pos_++] : 0; }
  const uint8_t* Take(size_t n) {
    if (!Has(n)) return nullptr;
    const uint8_t* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
  }

 private:
  Bytes bytes_;
  size_t pos_;
};

}  // namespace codecs
