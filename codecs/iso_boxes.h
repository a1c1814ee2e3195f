#pragma once
// The boxes of an ISO base media file (HEIF, AVIF): a size, a four-letter
// type and a body, nested. Everything is read within the bytes given.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/byte_reader.h"

namespace codecs {

// Big-endian reads that fail softly: a read past the end sets ok to false and
// yields 0, so a parser checks ok once after a group of reads.
class BoxReader {
 public:
  explicit BoxReader(Bytes bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
  Bytes rest() const { return ok_ ? bytes_.subspan(pos_) : Bytes(); }
  uint64_t Uint(int n) {
    if (!ok_ || n < 0 || n > 8 || size_t(n) > bytes_.size() - pos_) {
      ok_ = false;
      return 0;
    }
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | bytes_[pos_++];
    return v;
  }
  uint32_t U8() { return uint32_t(Uint(1)); }
  uint32_t U16() { return uint32_t(Uint(2)); }
  uint32_t U32() { return uint32_t(Uint(4)); }
  void Skip(size_t n) {
    if (!ok_ || n > bytes_.size() - pos_) {
      ok_ = false;
    } else {
      pos_ += n;
    }
  }

 private:
  Bytes bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

struct Box {
  uint32_t type;
  Bytes body;
};

constexpr uint32_t FourCc(const char (&s)[5]) {
  return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
         (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}

// The boxes of a span in order; false when one does not fit in it.
bool ReadBoxes(Bytes bytes, std::vector<Box>* boxes);

// The first box of that type; null when there is none.
const Box* Find(const std::vector<Box>& boxes, uint32_t type);

}  // namespace codecs
