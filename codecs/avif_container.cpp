#include "codecs/avif_container.h"

#include "codecs/heif_items.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>

namespace codecs {
namespace {

constexpr std::string_view kAlphaUrn = "urn:mpeg:mpegB:cicp:systems:auxiliary:alpha";
constexpr std::string_view kHevcAlphaUrn = "urn:mpeg:hevc:2015:auxid:1";

// Rotation (quarter turns anticlockwise) then mirroring (0 none, 1 about the
// vertical axis, 2 about the horizontal one) as one EXIF orientation.
int OrientationOf(int quarterTurns, int mirror) {
  constexpr int kOrientation[4][3] = {{1, 2, 4}, {8, 7, 5}, {3, 4, 2}, {6, 5, 7}};
  return kOrientation[quarterTurns & 3][mirror];
}

bool IsAlpha(const HeifMeta& meta, const HeifItem& item) {
  for (uint32_t index : item.properties) {
    if (index > meta.properties.size()) continue;
    const Box& p = meta.properties[index - 1];
    if (p.type != FourCc("auxC") || p.body.size() < 4) continue;
    const Bytes urn = p.body.subspan(4);
    const auto end = std::find(urn.begin(), urn.end(), uint8_t(0));
    const std::string_view text(reinterpret_cast<const char*>(urn.data()), size_t(end - urn.begin()));
    if (text == kAlphaUrn || text == kHevcAlphaUrn) return true;
  }
  return false;
}

void ReadColr(Bytes body, AvifContainer* out) {
  BoxReader r(body);
  const uint32_t type = r.U32();
  if (!r.ok()) return;
  if (type == FourCc("prof") || type == FourCc("rICC")) {
    if (out->iccProfile.empty()) out->iccProfile.assign(r.rest().begin(), r.rest().end());
  } else if (type == FourCc("nclx") && !out->nclx) {
    AvifNclx nclx;
    nclx.colour.primaries = int(r.U16());
    nclx.colour.transfer = int(r.U16());
    nclx.matrix = int(r.U16());
    nclx.fullRange = (r.U8() & 0x80) != 0;
    if (r.ok()) out->nclx = nclx;
  }
}

}  // namespace

std::optional<AvifContainer> ReadAvifContainer(Bytes file) {
  std::vector<Box> top;
  if (!ReadBoxes(file, &top) || top.empty() || top[0].type != FourCc("ftyp")) return std::nullopt;
  const std::optional<HeifMeta> read = ReadHeifMeta(file);
  if (!read) return std::nullopt;
  const HeifMeta& meta = *read;
  const auto primary = meta.items.find(meta.primary);
  if (primary == meta.items.end() || primary->second.type != FourCc("av01")) return std::nullopt;
  AvifContainer out;
  std::optional<std::vector<uint8_t>> colour = ItemData(primary->second, file, meta.idat);
  if (!colour) return std::nullopt;
  out.colourData = std::move(*colour);
  int quarterTurns = 0, mirror = 0;
  for (uint32_t index : primary->second.properties) {
    if (index > meta.properties.size()) continue;
    const Box& p = meta.properties[index - 1];
    if (p.type == FourCc("colr")) ReadColr(p.body, &out);
    if (p.type == FourCc("irot") && !p.body.empty()) quarterTurns = p.body[0] & 3;
    if (p.type == FourCc("imir") && !p.body.empty()) mirror = 1 + (p.body[0] & 1);
  }
  out.orientation = OrientationOf(quarterTurns, mirror);
  for (const auto& [auxiliary, main] : meta.auxiliaries) {
    const auto item = meta.items.find(auxiliary);
    if (main != meta.primary || item == meta.items.end() || item->second.type != FourCc("av01") ||
        !IsAlpha(meta, item->second)) {
      continue;
    }
    std::optional<std::vector<uint8_t>> alpha = ItemData(item->second, file, meta.idat);
    if (alpha) {
      out.alphaData = std::move(*alpha);
      out.alphaPremultiplied =
          std::find(meta.premultiplied.begin(), meta.premultiplied.end(), meta.primary) !=
          meta.premultiplied.end();
    }
    break;
  }
  return out;
}

}  // namespace codecs
