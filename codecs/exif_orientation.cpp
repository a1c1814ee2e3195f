#include "codecs/exif_orientation.h"

#include <cstring>

namespace codecs {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kEntryBytes = 12;

class TiffReader {
 public:
  TiffReader(Bytes tiff, bool bigEndian) : tiff_(tiff), bigEndian_(bigEndian) {}
  std::optional<uint16_t> U16(size_t offset) const {
    std::optional<uint16_t> v = ReadU16(tiff_, offset);
    if (v && bigEndian_) return uint16_t((*v >> 8) | (*v << 8));
    return v;
  }
  std::optional<uint32_t> U32(size_t offset) const {
    std::optional<uint32_t> v = ReadU32(tiff_, offset);
    if (v && bigEndian_) return __builtin_bswap32(*v);
    return v;
  }

 private:
  Bytes tiff_;
  bool bigEndian_;
};

}  // namespace

int ExifOrientation(Bytes exif) {
  if (exif.size() >= 6 && std::memcmp(exif.data(), "Exif\0\0", 6) == 0) exif = exif.subspan(6);
  if (exif.size() < 8) return 1;
  bool bigEndian;
  if (exif[0] == 'I' && exif[1] == 'I') {
    bigEndian = false;
  } else if (exif[0] == 'M' && exif[1] == 'M') {
    bigEndian = true;
  } else {
    return 1;
  }
  const TiffReader tiff(exif, bigEndian);
  if (tiff.U16(2) != 42) return 1;
  const std::optional<uint32_t> ifd = tiff.U32(4);
  if (!ifd) return 1;
  const std::optional<uint16_t> count = tiff.U16(*ifd);
  if (!count) return 1;
  for (size_t i = 0; i < *count; ++i) {
    const size_t entry = size_t(*ifd) + 2 + i * kEntryBytes;
    const std::optional<uint16_t> tag = tiff.U16(entry);
    if (!tag) return 1;
    if (*tag != kOrientationTag) continue;
    if (tiff.U16(entry + 2) != kShortType) return 1;
    const std::optional<uint16_t> value = tiff.U16(entry + 8);
    return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
  }
  return 1;
}

}  // namespace codecs
