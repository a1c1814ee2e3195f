#include "codecs/exif_orientation.h"

#include "codecs/tiff_directory.h"

namespace codecs {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;

}  // namespace

int ExifOrientation(Bytes exif) {
  const std::optional<TiffDirectory> first = TiffDirectory::FirstOf(exif);
  if (!first) return 1;
  const std::optional<TiffDirectory::Entry> entry = first->Find(kOrientationTag);
  if (!entry || entry->type != kShortType) return 1;
  const std::optional<uint16_t> value = first->U16(entry->valueField);
  return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
}

}  // namespace codecs
