#include "heif_assembly.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace codecs::testing {
namespace {

void Put(ByteVector& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutText(ByteVector& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

ByteVector MakeBox(std::string_view type, const ByteVector& body) {
  ByteVector box;
  Put(box, 8 + body.size(), 4);
  PutText(box, type);
  box.insert(box.end(), body.begin(), body.end());
  return box;
}

ByteVector FullBox(std::string_view type, int version, const ByteVector& body, uint32_t flags = 0) {
  ByteVector full;
  Put(full, uint64_t(version) << 24 | flags, 4);
  full.insert(full.end(), body.begin(), body.end());
  return MakeBox(type, full);
}

ByteVector Join(std::initializer_list<ByteVector> parts) {
  ByteVector out;
  for (const ByteVector& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The whole box (header included) of the first box of that type anywhere in
// the bytes, searched by name: enough for heif-enc's small files.
ByteVector FindBox(const ByteVector& file, std::string_view type) {
  for (size_t i = 4; i + 4 <= file.size(); ++i) {
    if (std::memcmp(file.data() + i, type.data(), 4) != 0) continue;
    const size_t size = size_t(file[i - 4]) << 24 | size_t(file[i - 3]) << 16 | size_t(file[i - 2]) << 8 | file[i - 1];
    if (size >= 8 && i - 4 + size <= file.size()) return ByteVector(file.begin() + ptrdiff_t(i - 4), file.begin() + ptrdiff_t(i - 4 + size));
  }
  return {};
}

struct CodedTile {
  ByteVector hvcC, colr, ispe, data;
};

CodedTile ReadTile(const std::string& path) {
  const ByteVector file = ReadAll(path);
  CodedTile tile{FindBox(file, "hvcC"), FindBox(file, "colr"), FindBox(file, "ispe"), FindBox(file, "mdat")};
  tile.data.erase(tile.data.begin(), tile.data.begin() + 8);
  return tile;
}

struct Item {
  uint32_t id;
  std::string_view type;
  ByteVector data;
  std::vector<int> properties;  // 1-based into ipco
};

}  // namespace

ByteVector AssembleHeif(const HeifLayout& layout) {
  std::vector<ByteVector> properties;
  auto add = [&](const ByteVector& box) {
    properties.push_back(box);
    return int(properties.size());
  };
  std::vector<Item> items;
  const bool grid = layout.tiles.size() > 1;
  if (grid) {
    const int rows = int(layout.tiles.size()) / layout.columns;
    ByteVector data = {0, 0, uint8_t(rows - 1), uint8_t(layout.columns - 1)};
    Put(data, uint64_t(layout.width), 2);
    Put(data, uint64_t(layout.height), 2);
    ByteVector ispe;
    Put(ispe, uint64_t(layout.width), 4);
    Put(ispe, uint64_t(layout.height), 4);
    items.push_back({1, "grid", data, {add(FullBox("ispe", 0, ispe))}});
  }
  for (const std::string& path : layout.tiles) {
    const CodedTile tile = ReadTile(path);
    Item item{uint32_t(items.size() + 1), "hvc1", tile.data, {add(tile.hvcC), add(tile.ispe)}};
    if (!tile.colr.empty() && layout.colr.empty()) item.properties.push_back(add(tile.colr));
    items.push_back(item);
  }
  if (!layout.colr.empty()) items[0].properties.push_back(add(MakeBox("colr", layout.colr)));
  if (layout.irot >= 0) items[0].properties.push_back(add(MakeBox("irot", {uint8_t(layout.irot)})));
  if (layout.imir >= 0) items[0].properties.push_back(add(MakeBox("imir", {uint8_t(layout.imir)})));
  if (!layout.exif.empty()) items.push_back({uint32_t(items.size() + 1), "Exif", layout.exif, {}});

  ByteVector infos, associations, references;
  Put(infos, items.size(), 2);
  Put(associations, items.size(), 4);
  for (const Item& item : items) {
    ByteVector entry;
    Put(entry, item.id, 2);
    Put(entry, 0, 2);
    PutText(entry, item.type);
    entry.push_back(0);
    const bool tile = grid && item.type == "hvc1";
    infos = Join({infos, FullBox("infe", 2, entry, tile ? 1 : 0)});  // tiles hidden
    Put(associations, item.id, 2);
    Put(associations, item.properties.size(), 1);
    for (int index : item.properties) Put(associations, uint64_t(0x80 | index), 1);
  }
  if (grid) {
    ByteVector dimg;
    Put(dimg, 1, 2);
    Put(dimg, layout.tiles.size(), 2);
    for (size_t t = 0; t < layout.tiles.size(); ++t) Put(dimg, t + 2, 2);
    references = Join({references, MakeBox("dimg", dimg)});
  }
  if (!layout.exif.empty()) {
    ByteVector cdsc;
    Put(cdsc, items.back().id, 2);
    Put(cdsc, 1, 2);
    Put(cdsc, 1, 2);
    references = Join({references, MakeBox("cdsc", cdsc)});
  }
  ByteVector ipco;
  for (const ByteVector& p : properties) ipco = Join({ipco, p});
  const ByteVector ftyp = MakeBox("ftyp", Join({ByteVector{'h', 'e', 'i', 'c', 0, 0, 0, 0}, ByteVector{'m', 'i', 'f', '1', 'h', 'e', 'i', 'c'}}));
  auto meta = [&](uint64_t dataStart) {
    ByteVector locations;
    Put(locations, 0x4400, 2);
    Put(locations, items.size(), 2);
    uint64_t offset = dataStart;
    for (const Item& item : items) {
      Put(locations, item.id, 2);
      Put(locations, 0, 2);
      Put(locations, 1, 2);
      Put(locations, offset, 4);
      Put(locations, item.data.size(), 4);
      offset += item.data.size();
    }
    ByteVector handler(4, 0);
    PutText(handler, "pict");
    handler.resize(handler.size() + 13, 0);
    ByteVector primary;
    Put(primary, 1, 2);
    return FullBox("meta", 0, Join({FullBox("hdlr", 0, handler), FullBox("pitm", 0, primary),
                                    FullBox("iinf", 0, infos),
                                    references.empty() ? ByteVector() : FullBox("iref", 0, references),
                                    MakeBox("iprp", Join({MakeBox("ipco", ipco), FullBox("ipma", 0, associations)})),
                                    FullBox("iloc", 0, locations)}));
  };
  const size_t metaSize = meta(0).size();
  ByteVector data;
  for (const Item& item : items) data = Join({data, item.data});
  return Join({ftyp, meta(ftyp.size() + metaSize + 8), MakeBox("mdat", data)});
}

}  // namespace codecs::testing
