#include "codecs/heif_grid.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "codecs/heif_items.h"

namespace codecs {

std::optional<PictureSize> DeclaredGridSize(Bytes file, uint32_t item) {
  const std::optional<HeifMeta> meta = ReadHeifMeta(file);
  if (!meta) return std::nullopt;
  const auto grid = meta->items.find(item);
  if (grid == meta->items.end() || grid->second.type != FourCc("grid")) return std::nullopt;
  const std::optional<std::vector<uint8_t>> data = ItemData(grid->second, file, meta->idat);
  if (!data) return std::nullopt;
  BoxReader g(*data);
  g.Skip(1);  // version
  const uint32_t flags = g.U8();
  g.Skip(2);  // rows and columns, less one
  const int field = (flags & 1) ? 4 : 2;
  const uint64_t width = g.Uint(field), height = g.Uint(field);
  if (!g.ok()) return std::nullopt;
  return PictureSize{int32_t(std::min<uint64_t>(width, INT32_MAX)), int32_t(std::min<uint64_t>(height, INT32_MAX))};
}

}  // namespace codecs
