#include "codecs/heif_grid.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "codecs/iso_boxes.h"

namespace codecs {
namespace {

// Whether iinf lists `item` with the type grid.
bool IsGrid(Bytes iinf, uint32_t item) {
  BoxReader r(iinf);
  const uint32_t version = r.U8();
  r.Skip(3);
  r.Uint(version == 0 ? 2 : 4);  // entry count: the boxes that follow say it
  std::vector<Box> entries;
  if (!r.ok() || !ReadBoxes(r.rest(), &entries)) return false;
  for (const Box& entry : entries) {
    if (entry.type != FourCc("infe")) continue;
    BoxReader e(entry.body);
    const uint32_t infeVersion = e.U8();
    e.Skip(3);
    if (infeVersion < 2) continue;
    const uint32_t id = infeVersion == 2 ? e.U16() : e.U32();
    e.Skip(2);  // protection index
    if (e.U32() == FourCc("grid") && e.ok() && id == item) return true;
  }
  return false;
}

// Where iloc puts the first extent of `item`: in the file, or in idat.
std::optional<Bytes> ItemData(Bytes file, Bytes iloc, Bytes idat, uint32_t item) {
  BoxReader r(iloc);
  const uint32_t version = r.U8();
  r.Skip(3);
  const uint32_t sizes = r.U16();
  const int offsetSize = int(sizes >> 12), lengthSize = int((sizes >> 8) & 15);
  const int baseSize = int((sizes >> 4) & 15), indexSize = version >= 1 ? int(sizes & 15) : 0;
  const uint32_t count = version < 2 ? r.U16() : r.U32();
  for (uint32_t i = 0; i < count && r.ok(); ++i) {
    const uint32_t id = version < 2 ? r.U16() : r.U32();
    const uint32_t method = version >= 1 ? r.U16() & 15 : 0;
    r.Skip(2);  // data reference index
    const uint64_t base = r.Uint(baseSize);
    const uint32_t extents = r.U16();
    for (uint32_t x = 0; x < extents && r.ok(); ++x) {
      r.Uint(indexSize);
      const uint64_t offset = base + r.Uint(offsetSize), length = r.Uint(lengthSize);
      if (!r.ok() || id != item || x > 0) continue;
      const Bytes from = method == 1 ? idat : method == 0 ? file : Bytes();
      if (offset > from.size() || length > from.size() - offset) return std::nullopt;
      return from.subspan(size_t(offset), length == 0 ? from.size() - size_t(offset) : size_t(length));
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<PictureSize> DeclaredGridSize(Bytes file, uint32_t item) {
  std::vector<Box> top, children;
  if (!ReadBoxes(file, &top)) return std::nullopt;
  const Box* meta = Find(top, FourCc("meta"));
  if (meta == nullptr || meta->body.size() < 4 || !ReadBoxes(meta->body.subspan(4), &children)) return std::nullopt;
  const Box* iinf = Find(children, FourCc("iinf"));
  const Box* iloc = Find(children, FourCc("iloc"));
  if (iinf == nullptr || iloc == nullptr || !IsGrid(iinf->body, item)) return std::nullopt;
  const Box* idat = Find(children, FourCc("idat"));
  const std::optional<Bytes> data = ItemData(file, iloc->body, idat ? idat->body : Bytes(), item);
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
