#include "codecs/heif_mirror.h"

#include <libheif/heif.h>

#include <vector>

#include "codecs/heif_items.h"

namespace codecs {

bool ItemIsMirrored(Bytes file, uint32_t item) {
  const std::optional<HeifMeta> meta = ReadHeifMeta(file);
  if (!meta) return false;
  const auto found = meta->items.find(item);
  if (found == meta->items.end()) return false;
  for (uint32_t index : found->second.properties) {
    if (index <= meta->properties.size() && meta->properties[index - 1].type == FourCc("imir")) return true;
  }
  return false;
}

bool HeifMirrorsAcrossWrongAxis() { return heif_get_version_number() < 0x01100000; }

}  // namespace codecs
