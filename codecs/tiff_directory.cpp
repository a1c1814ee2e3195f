#include "codecs/tiff_directory.h"

#include <cstring>

namespace codecs {
namespace {

constexpr size_t kEntryBytes = 12;

}  // namespace

std::optional<TiffDirectory> TiffDirectory::FirstOf(Bytes exif) {
  if (exif.size() >= 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) exif = exif.subspan(6);
  if (exif.size() < 8) return std::nullopt;
  bool bigEndian;
  if (exif[0] == 'I' && exif[1] == 'I') {
    bigEndian = false;
  } else if (exif[0] == 'M' && exif[1] == 'M') {
    bigEndian = true;
  } else {
    return std::nullopt;
  }
  const TiffDirectory header(exif, bigEndian, 0);
  if (header.U16(2) != 42) return std::nullopt;
  const std::optional<uint32_t> first = header.U32(4);
  if (!first) return std::nullopt;
  return header.At(*first);
}

std::optional<uint16_t> TiffDirectory::U16(size_t offset) const {
  const std::optional<uint16_t> v = ReadU16(tiff_, offset);
  if (v && bigEndian_) return uint16_t((*v >> 8) | (*v << 8));
  return v;
}

std::optional<uint32_t> TiffDirectory::U32(size_t offset) const {
  const std::optional<uint32_t> v = ReadU32(tiff_, offset);
  if (v && bigEndian_) {
    return (*v >> 24) | ((*v >> 8) & 0xFF00u) | ((*v << 8) & 0xFF0000u) | (*v << 24);
  }
  return v;
}

std::optional<TiffDirectory::Entry> TiffDirectory::Find(uint16_t tag) const {
  const std::optional<uint16_t> count = U16(offset_);
  if (!count) return std::nullopt;
  for (size_t i = 0; i < *count; ++i) {
    const size_t entry = size_t(offset_) + 2 + i * kEntryBytes;
    const std::optional<uint16_t> entryTag = U16(entry);
    if (!entryTag) return std::nullopt;
    if (*entryTag != tag) continue;
    const std::optional<uint16_t> type = U16(entry + 2);
    const std::optional<uint32_t> values = U32(entry + 4);
    if (!type || !values || !HasRange(tiff_, entry + 8, 4)) return std::nullopt;
    return Entry{*type, *values, entry + 8};
  }
  return std::nullopt;
}

std::optional<Bytes> TiffDirectory::ValueBytes(const Entry& entry, size_t bytesPerValue) const {
  const uint64_t length = uint64_t(entry.count) * bytesPerValue;
  if (length <= 4) return tiff_.subspan(entry.valueField, size_t(length));
  const std::optional<uint32_t> offset = U32(entry.valueField);
  if (!offset || length > tiff_.size() || !HasRange(tiff_, *offset, size_t(length))) return std::nullopt;
  return tiff_.subspan(*offset, size_t(length));
}

}  // namespace codecs
