#include "codecs/heif_limits.h"

#include <optional>

#include "codecs/decode_limits.h"
#include "codecs/heif_grid.h"
#include "codecs/heif_items.h"

namespace codecs {
namespace {

bool IsDerived(uint32_t type) {
  return type == FourCc("grid") || type == FourCc("iovl") || type == FourCc("iden");
}

}  // namespace

bool HeifWithinLimits(Bytes file) {
  const std::optional<HeifMeta> meta = ReadHeifMeta(file);
  if (!meta) return false;
  for (const auto& [id, item] : meta->items) {
    if (item.type != FourCc("grid") && item.type != FourCc("iovl")) continue;
    const std::optional<PictureSize> canvas = DeclaredCanvasSize(*meta, file, id);
    if (!canvas || !SizeAllowed(canvas->width, canvas->height)) return false;
  }
  for (const auto& [derived, ingredients] : meta->ingredients) {
    if (ingredients.size() > kMaxHeifIngredients) return false;
    for (uint32_t ingredient : ingredients) {
      const auto item = meta->items.find(ingredient);
      if (item != meta->items.end() && IsDerived(item->second.type)) return false;
    }
  }
  return true;
}

}  // namespace codecs
