#pragma once
// Bounds-checked reads from a byte span. Every read past the end yields
// nothing, so a decoder cannot step outside the file it was given. Numbers
// are little-endian unless a byte order says otherwise (TIFF and Exif carry
// theirs in the header; ISO boxes are big-endian).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace codecs {

using Bytes = std::span<const uint8_t>;

enum class ByteOrder { LittleEndian, BigEndian };

inline bool HasRange(Bytes bytes, size_t offset, size_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

// `length` bytes from `offset`, or nothing when they are not all there.
inline std::optional<Bytes> ReadBytes(Bytes bytes, size_t offset, size_t length) {
  if (!HasRange(bytes, offset, length)) return std::nullopt;
  return bytes.subspan(offset, length);
}

template <class Unsigned>
std::optional<Unsigned> ReadUnsigned(Bytes bytes, size_t offset, ByteOrder order) {
  if (!HasRange(bytes, offset, sizeof(Unsigned))) return std::nullopt;
  Unsigned value = 0;
  for (size_t i = 0; i < sizeof(Unsigned); ++i) {
    const size_t at = order == ByteOrder::BigEndian ? i : sizeof(Unsigned) - 1 - i;
    value = Unsigned((value << 8) | bytes[offset + at]);
  }
  return value;
}

inline std::optional<uint8_t> ReadU8(Bytes bytes, size_t offset) {
  if (!HasRange(bytes, offset, 1)) return std::nullopt;
  return bytes[offset];
}

inline std::optional<uint16_t> ReadU16(Bytes bytes, size_t offset,
                                       ByteOrder order = ByteOrder::LittleEndian) {
  return ReadUnsigned<uint16_t>(bytes, offset, order);
}

inline std::optional<uint32_t> ReadU32(Bytes bytes, size_t offset,
                                       ByteOrder order = ByteOrder::LittleEndian) {
  return ReadUnsigned<uint32_t>(bytes, offset, order);
}

// The byte order a TIFF structure (an Exif block's body) states in its first
// two bytes: "II" little-endian, "MM" big-endian.
inline std::optional<ByteOrder> TiffByteOrder(Bytes tiff) {
  const std::optional<uint16_t> mark = ReadU16(tiff, 0);
  if (mark == 0x4949) return ByteOrder::LittleEndian;
  if (mark == 0x4D4D) return ByteOrder::BigEndian;
  return std::nullopt;
}

// A sequential reader for streams of packets (RLE and friends).
class ByteCursor {
 public:
  explicit ByteCursor(Bytes bytes, size_t offset = 0) : bytes_(bytes), pos_(offset) {}
  bool Has(size_t n) const { return HasRange(bytes_, pos_, n); }
  size_t position() const { return pos_; }
  // Callers check Has() first; a read at the end returns 0 and stays there.
  uint8_t Next() { return pos_ < bytes_.size() ? bytes_[pos_++] : 0; }
  // The next byte, or nothing at the end.
  std::optional<uint8_t> Read() {
    if (!Has(1)) return std::nullopt;
    return bytes_[pos_++];
  }
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
