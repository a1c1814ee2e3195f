#include "codecs/heif_mirror.h"

#include <libheif/heif.h>

#include <optional>
#include <vector>

namespace codecs {
namespace {

// Big-endian reads that fail softly: a read past the end sets ok to false.
class Reader {
 public:
  explicit Reader(Bytes bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool done() const { return !ok_ || pos_ == bytes_.size(); }
  Bytes rest() const { return ok_ ? bytes_.subspan(pos_) : Bytes(); }
  uint64_t Uint(size_t n) {
    if (!ok_ || n > bytes_.size() - pos_) {
      ok_ = false;
      return 0;
    }
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = (v << 8) | bytes_[pos_++];
    return v;
  }
  void Skip(size_t n) {
    if (!ok_ || n > bytes_.size() - pos_) {
      ok_ = false;
    } else {
      pos_ += n;
    }
  }

 private:
  Bytes bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

constexpr uint32_t FourCc(const char (&s)[5]) {
  return uint32_t(uint8_t(s[0])) << 24 | uint32_t(uint8_t(s[1])) << 16 | uint32_t(uint8_t(s[2])) << 8 |
         uint32_t(uint8_t(s[3]));
}

struct Box {
  uint32_t type;
  Bytes body;
};

// The boxes of a span in order; nothing when one does not fit in it.
std::optional<std::vector<Box>> Boxes(Bytes bytes) {
  std::vector<Box> boxes;
  Reader r(bytes);
  while (!r.done()) {
    const size_t start = bytes.size() - r.rest().size();
    uint64_t size = r.Uint(4);
    const uint32_t type = uint32_t(r.Uint(4));
    size_t header = 8;
    if (size == 1) {
      size = r.Uint(8);
      header = 16;
    } else if (size == 0) {
      size = bytes.size() - start;
    }
    if (!r.ok() || size < header || size > bytes.size() - start) return std::nullopt;
    boxes.push_back({type, bytes.subspan(start + header, size_t(size) - header)});
    r.Skip(size_t(size) - header);
  }
  return boxes;
}

std::optional<Bytes> Child(Bytes container, uint32_t type) {
  const std::optional<std::vector<Box>> boxes = Boxes(container);
  if (!boxes) return std::nullopt;
  for (const Box& box : *boxes) {
    if (box.type == type) return box.body;
  }
  return std::nullopt;
}

// Whether one of the 1-based property indices the ipma box gives the item
// names an imir box of ipco.
bool AssociatesMirror(Bytes ipma, const std::vector<Box>& properties, uint32_t item) {
  Reader r(ipma);
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
  const std::optional<Bytes> meta = Child(file, FourCc("meta"));
  if (!meta || meta->size() < 4) return false;
  const std::optional<Bytes> iprp = Child(meta->subspan(4), FourCc("iprp"));
  if (!iprp) return false;
  const std::optional<Bytes> ipco = Child(*iprp, FourCc("ipco"));
  const std::optional<std::vector<Box>> properties = ipco ? Boxes(*ipco) : std::nullopt;
  const std::optional<std::vector<Box>> children = Boxes(*iprp);
  if (!properties || !children) return false;
  for (const Box& box : *children) {
    if (box.type == FourCc("ipma") && AssociatesMirror(box.body, *properties, item)) return true;
  }
  return false;
}

bool HeifMirrorsAcrossWrongAxis() { return heif_get_version_number() < 0x01100000; }

}  // namespace codecs
