#pragma once
// The items of a HEIF file's meta box (HEIF and AVIF alike): each item's
// type, where its data lies and which properties it has; the primary item;
// the auxiliary items (alpha), the items stored premultiplied and the images
// each derived image (a grid, an overlay) is made of. Everything
// is read within the bytes given, with counts bounded.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/iso_boxes.h"

namespace codecs {

struct HeifExtent {
  uint64_t offset;
  uint64_t length;
};

struct HeifItem {
  uint32_t type = 0;
  int constructionMethod = 0;
  std::vector<HeifExtent> extents;
  std::vector<uint32_t> properties;  // 1-based indices into ipco
};

struct HeifMeta {
  uint32_t primary = 0;
  std::map<uint32_t, HeifItem> items;
  std::vector<Box> properties;
  std::vector<std::pair<uint32_t, uint32_t>> auxiliaries;  // (auxiliary item, item it serves)
  std::vector<uint32_t> premultiplied;                     // items stored premultiplied by their alpha
  std::map<uint32_t, std::vector<uint32_t>> ingredients;   // derived item -> the images it is made of
  Bytes idat;
};

// The meta box of `file`; nothing when it is missing or any box it needs
// does not fit.
std::optional<HeifMeta> ReadHeifMeta(Bytes file);

// The item's data, its extents joined; nothing when one lies outside its source.
std::optional<std::vector<uint8_t>> ItemData(const HeifItem& item, Bytes file, Bytes idat);

}  // namespace codecs
