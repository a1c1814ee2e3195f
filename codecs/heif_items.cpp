#include "codecs/heif_items.h"

namespace codecs {
namespace {

constexpr int kMaxItems = 4096;
constexpr int kMaxExtents = 1024;
bool ReadPitm(Bytes body, HeifMeta* meta) {
  BoxReader r(body);
  const uint32_t version = r.U8();
  r.Skip(3);
  meta->primary = version == 0 ? r.U16() : r.U32();
  return r.ok();
}

bool ReadIloc(Bytes body, HeifMeta* meta) {
  BoxReader r(body);
  const uint32_t version = r.U8();
  r.Skip(3);
  const uint32_t sizes = r.U8();
  const uint32_t moreSizes = r.U8();
  const int offsetSize = int(sizes >> 4), lengthSize = int(sizes & 15);
  const int baseOffsetSize = int(moreSizes >> 4);
  const int indexSize = version >= 1 ? int(moreSizes & 15) : 0;
  const uint32_t count = version < 2 ? r.U16() : r.U32();
  if (!r.ok() || version > 2 || count > kMaxItems) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t id = version < 2 ? r.U16() : r.U32();
    HeifItem& item = meta->items[id];
    if (version >= 1) item.constructionMethod = int(r.U16() & 15);
    r.Skip(2);  // data reference index: the data is in this file
    const uint64_t base = r.Uint(baseOffsetSize);
    const uint32_t extents = r.U16();
    if (!r.ok() || extents > kMaxExtents) return false;
    for (uint32_t e = 0; e < extents; ++e) {
      r.Uint(indexSize);
      const uint64_t offset = r.Uint(offsetSize);
      const uint64_t length = r.Uint(lengthSize);
      if (offset > UINT64_MAX - base) return false;
      item.extents.push_back({base + offset, length});
    }
  }
  return r.ok();
}

bool ReadIinf(Bytes body, HeifMeta* meta) {
  BoxReader r(body);
  const uint32_t version = r.U8();
  r.Skip(3);
  r.Skip(version == 0 ? 2 : 4);  // entry count; the boxes that follow tell it
  std::vector<Box> entries;
  if (!r.ok() || !ReadBoxes(r.rest(), &entries) || entries.size() > kMaxItems) return false;
  for (const Box& entry : entries) {
    if (entry.type != FourCc("infe")) continue;
    BoxReader e(entry.body);
    const uint32_t entryVersion = e.U8();
    e.Skip(3);
    if (entryVersion < 2) continue;
    const uint32_t id = entryVersion == 2 ? e.U16() : e.U32();
    e.Skip(2);  // protection index
    const uint32_t type = e.U32();
    if (!e.ok()) return false;
    meta->items[id].type = type;
  }
  return true;
}

bool ReadIref(Bytes body, HeifMeta* meta) {
  BoxReader r(body);
  const uint32_t version = r.U8();
  r.Skip(3);
  std::vector<Box> references;
  if (!r.ok() || !ReadBoxes(r.rest(), &references)) return false;
  for (const Box& ref : references) {
    BoxReader e(ref.body);
    const uint32_t from = version == 0 ? e.U16() : e.U32();
    const uint32_t count = e.U16();
    for (uint32_t i = 0; i < count && e.ok(); ++i) {
      const uint32_t to = version == 0 ? e.U16() : e.U32();
      if (!e.ok()) break;
      if (ref.type == FourCc("auxl")) meta->auxiliaries.push_back({from, to});
      if (ref.type == FourCc("prem")) meta->premultiplied.push_back(from);
      if (ref.type == FourCc("dimg")) meta->ingredients[from].push_back(to);
    }
    if (!e.ok()) return false;
  }
  return true;
}

bool ReadIprp(Bytes body, HeifMeta* meta) {
  std::vector<Box> children;
  if (!ReadBoxes(body, &children)) return false;
  const Box* ipco = Find(children, FourCc("ipco"));
  if (ipco == nullptr || !ReadBoxes(ipco->body, &meta->properties)) return false;
  for (const Box& box : children) {
    if (box.type != FourCc("ipma")) continue;
    BoxReader r(box.body);
    const uint32_t version = r.U8();
    const uint32_t flags = r.Uint(3);
    const uint32_t count = r.U32();
    if (!r.ok() || count > kMaxItems) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t id = version < 1 ? r.U16() : r.U32();
      const uint32_t associations = r.U8();
      for (uint32_t a = 0; a < associations; ++a) {
        const uint32_t index = (flags & 1) ? (r.U16() & 0x7FFF) : (r.U8() & 0x7F);
        if (r.ok() && index > 0) meta->items[id].properties.push_back(index);
      }
      if (!r.ok()) return false;
    }
  }
  return true;
}

bool ReadMeta(Bytes body, HeifMeta* meta) {
  std::vector<Box> children;
  if (body.size() < 4 || !ReadBoxes(body.subspan(4), &children)) return false;
  const Box* hdlr = Find(children, FourCc("hdlr"));
  if (hdlr == nullptr) return false;
  BoxReader h(hdlr->body);
  h.Skip(8);
  if (h.U32() != FourCc("pict") || !h.ok()) return false;
  const Box* pitm = Find(children, FourCc("pitm"));
  const Box* iloc = Find(children, FourCc("iloc"));
  const Box* iinf = Find(children, FourCc("iinf"));
  const Box* iprp = Find(children, FourCc("iprp"));
  const Box* iref = Find(children, FourCc("iref"));
  const Box* idat = Find(children, FourCc("idat"));
  if (pitm == nullptr || iloc == nullptr || iinf == nullptr || iprp == nullptr) return false;
  if (idat != nullptr) meta->idat = idat->body;
  return ReadPitm(pitm->body, meta) && ReadIloc(iloc->body, meta) && ReadIinf(iinf->body, meta) &&
         ReadIprp(iprp->body, meta) && (iref == nullptr || ReadIref(iref->body, meta));
}

}  // namespace

std::optional<HeifMeta> ReadHeifMeta(Bytes file) {
  // As libheif does, the top level is read up to the first box that does not
  // fit: a cut or padded end of the media data leaves the meta box readable.
  std::vector<Box> top;
  ReadBoxes(file, &top);
  const Box* metaBox = Find(top, FourCc("meta"));
  HeifMeta meta;
  if (metaBox == nullptr || !ReadMeta(metaBox->body, &meta)) return std::nullopt;
  return meta;
}

std::optional<std::vector<uint8_t>> ItemData(const HeifItem& item, Bytes file, Bytes idat) {
  if (item.constructionMethod > 1 || item.extents.empty()) return std::nullopt;
  const Bytes source = item.constructionMethod == 0 ? file : idat;
  std::vector<uint8_t> data;
  for (const HeifExtent& e : item.extents) {
    if (e.offset > source.size()) return std::nullopt;
    const uint64_t length = e.length == 0 ? source.size() - e.offset : e.length;
    if (length > source.size() - e.offset) return std::nullopt;
    data.insert(data.end(), source.begin() + ptrdiff_t(e.offset),
                source.begin() + ptrdiff_t(e.offset + length));
  }
  return data;
}


}  // namespace codecs
