#include "codecs/exif_orientation.h"

#include <cstring>

namespace codecs {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kEntryBytes = 12;

}  // namespace

int ExifOrientation(Bytes exif) {
  if (exif.size() >= 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) exif = exif.subspan(6);
  if (exif.size() < 8) return 1;
  const std::optional<ByteOrder> order = TiffByteOrder(exif);
  if (!order || ReadU16(exif, 2, *order) != 42) return 1;
  const std::optional<uint32_t> ifd = ReadU32(exif, 4, *order);
  if (!ifd) return 1;
  const std::optional<uint16_t> count = ReadU16(exif, *ifd, *order);
  if (!count) return 1;
  for (size_t i = 0; i < *count; ++i) {
    const size_t entry = size_t(*ifd) + 2 + i * kEntryBytes;
    const std::optional<uint16_t> tag = ReadU16(exif, entry, *order);
    if (!tag) return 1;
    if (*tag != kOrientationTag) continue;
    if (ReadU16(exif, entry + 2, *order) != kShortType) return 1;
    const std::optional<uint16_t> value = ReadU16(exif, entry + 8, *order);
    return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
  }
  return 1;
}

}  // namespace codecs
