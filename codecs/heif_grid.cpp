#include "codecs/heif_grid.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace codecs {

std::optional<PictureSize> DeclaredCanvasSize(const HeifMeta& meta, Bytes file, uint32_t item) {
  const auto found = meta.items.find(item);
  if (found == meta.items.end()) return std::nullopt;
  const uint32_t type = found->second.type;
  if (type != FourCc("grid") && type != FourCc("iovl")) return std::nullopt;
  const std::optional<std::vector<uint8_t>> data = ItemData(found->second, file, meta.idat);
  if (!data) return std::nullopt;
  BoxReader g(*data);
  g.Skip(1);  // version
  const uint32_t flags = g.U8();
  // A grid's rows and columns, less one; an overlay's fill colour.
  g.Skip(type == FourCc("grid") ? 2 : 8);
  const int field = (flags & 1) ? 4 : 2;
  const uint64_t width = g.Uint(field), height = g.Uint(field);
  if (!g.ok()) return std::nullopt;
  return PictureSize{int32_t(std::min<uint64_t>(width, INT32_MAX)), int32_t(std::min<uint64_t>(height, INT32_MAX))};
}

std::optional<PictureSize> DeclaredGridSize(Bytes file, uint32_t item) {
  const std::optional<HeifMeta> meta = ReadHeifMeta(file);
  if (!meta) return std::nullopt;
  const auto found = meta->items.find(item);
  if (found == meta->items.end() || found->second.type != FourCc("grid")) return std::nullopt;
  return DeclaredCanvasSize(*meta, file, item);
}

}  // namespace codecs
