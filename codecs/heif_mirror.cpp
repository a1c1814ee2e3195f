#include "codecs/heif_mirror.h"

#include <libheif/heif.h>

#include <vector>

#include "codecs/iso_boxes.h"

namespace codecs {
namespace {

// Whether one of the 1-based property indices the ipma box gives the item
// names an imir box of ipco.
bool AssociatesMirror(Bytes ipma, const std::vector<Box>& properties, uint32_t item) {
  BoxReader r(ipma);
  const uint64_t version = r.Uint(1);
  const uint64_t flags = r.Uint(3);
  const uint64_t entries = r.Uint(4);
  for (uint64_t e = 0; e < entries && r.ok(); ++e) {
    const uint64_t id = r.Uint(version < 1 ? 2 : 4);
    const uint64_t count = r.Uint(1);
    for (uint64_t a = 0; a < count && r.ok(); ++a) {
      const uint64_t index = (flags & 1) ? r.Uint(2) & 0x7FFF : r.Uint(1) & 0x7F;
      if (r.ok() && id == item && index >= 1 && index <= properties.size() &&
          properties[size_t(index - 1)].type == FourCc("imir")) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool ItemIsMirrored(Bytes file, uint32_t item) {
  std::vector<Box> top, children, iprp, properties;
  if (!ReadBoxes(file, &top)) return false;
  const Box* meta = Find(top, FourCc("meta"));
  if (meta == nullptr || meta->body.size() < 4 || !ReadBoxes(meta->body.subspan(4), &children)) return false;
  const Box* propertyBoxes = Find(children, FourCc("iprp"));
  if (propertyBoxes == nullptr || !ReadBoxes(propertyBoxes->body, &iprp)) return false;
  const Box* ipco = Find(iprp, FourCc("ipco"));
  if (ipco == nullptr || !ReadBoxes(ipco->body, &properties)) return false;
  for (const Box& box : iprp) {
    if (box.type == FourCc("ipma") && AssociatesMirror(box.body, properties, item)) return true;
  }
  return false;
}

bool HeifMirrorsAcrossWrongAxis() { return heif_get_version_number() < 0x01100000; }

}  // namespace codecs
