#pragma once
// Reading the image directories of a TIFF structure, as EXIF blocks hold
// them, in either byte order. Every read is bounds-checked against the block.
#include <cstdint>
#include <optional>

#include "codecs/byte_reader.h"

namespace codecs {

class TiffDirectory {
 public:
  // The block's header, optionally after JPEG's "Exif\0\0" prefix; nothing
  // when it is not a TIFF header.
  static std::optional<TiffDirectory> FirstOf(Bytes exif);
  // The directory at an offset from the header, in the same block.
  TiffDirectory At(uint32_t offset) const { return TiffDirectory(tiff_, order_, offset); }

  struct Entry {
    uint16_t type = 0;
    uint32_t count = 0;
    size_t valueField = 0;  // offset of the entry's 4-byte value or offset field
  };
  // The directory's entry with this tag; nothing when it has none or the
  // directory runs past the block.
  std::optional<Entry> Find(uint16_t tag) const;

  std::optional<uint16_t> U16(size_t offset) const { return ReadU16(tiff_, offset, order_); }
  std::optional<uint32_t> U32(size_t offset) const { return ReadU32(tiff_, offset, order_); }
  // The bytes of an entry's value: inside the entry when they fit in four,
  // else where its offset points; nothing when they lie outside the block.
  std::optional<Bytes> ValueBytes(const Entry& entry, size_t bytesPerValue) const;

 private:
  TiffDirectory(Bytes tiff, ByteOrder order, uint32_t offset) : tiff_(tiff), order_(order), offset_(offset) {}

  Bytes tiff_;
  ByteOrder order_ = ByteOrder::LittleEndian;
  uint32_t offset_ = 0;
};

}  // namespace codecs
