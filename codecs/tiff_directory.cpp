#include "codecs/tiff_directory.h"

#include <cstring>

namespace codecs {
namespace {

constexpr size_t kEntryBytes = 12;

}  // namespace

std::optional<TiffDirectory> TiffDirectory::FirstOf(Bytes exif) {
  if (exif.size() >= 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) exif = exif.subspan(6);
  const std::optional<ByteOrder> order = TiffByteOrder(exif);
  if (!order || ReadU16(exif, 2, *order) != 42) return std::nullopt;
  const std::optional<uint32_t> first = ReadU32(exif, 4, *order);
  if (!first) return std::nullopt;
  return TiffDirectory(exif, *order, *first);
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
  if (!offset || length > tiff_.size()) return std::nullopt;
  return ReadBytes(tiff_, *offset, size_t(length));
}

}  // namespace codecs
