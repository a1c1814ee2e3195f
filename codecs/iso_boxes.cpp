#include "codecs/iso_boxes.h"

namespace codecs {

bool ReadBoxes(Bytes bytes, std::vector<Box>* boxes) {
  BoxReader r(bytes);
  while (r.remaining() > 0) {
    const size_t start = bytes.size() - r.remaining();
    uint64_t size = r.U32();
    const uint32_t type = r.U32();
    size_t header = 8;
    if (size == 1) {
      size = r.Uint(8);
      header = 16;
    } else if (size == 0) {
      size = bytes.size() - start;
    }
    if (!r.ok() || size < header || size > bytes.size() - start) return false;
    boxes->push_back({type, bytes.subspan(start + header, size_t(size) - header)});
    r.Skip(size_t(size) - header);
  }
  return true;
}

const Box* Find(const std::vector<Box>& boxes, uint32_t type) {
  for (const Box& b : boxes) {
    if (b.type == type) return &b;
  }
  return nullptr;
}

}  // namespace codecs
