// giflib is driven record by record from memory. DGifSlurp is avoided: it
// allocates width * height for every frame before it reads any data, and it
// decodes frames we never show.
#include "codecs/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "codecs/decode_limits.h"

namespace codecs {
namespace {

struct MemoryInput {
  Bytes bytes;
  size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const size_t n = std::min(size_t(std::max(length, 0)), in->bytes.size() - in->position);
  std::memcpy(out, in->bytes.data() + in->position, n);
  in->position += n;
  return int(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

constexpr int kNoTransparency = -1;

// Reads one extension; a graphic control block sets the transparent index of
// the image that follows it.
bool ReadExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
    transparent = (block[1] & 1) ? block[4] : kNoTransparency;
  }
  while (block) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

struct Frame {
  const GifImageDesc& desc;
  const ColorMapObject& map;
  int transparent;
};

void PutLine(const Frame& f, const std::vector<GifPixelType>& line, int32_t frameRow, Image& image) {
  const int64_t y = int64_t(f.desc.Top) + frameRow;
  if (y >= image.height) return;
  uint32_t* out = image.row(int32_t(y));
  const int64_t visible = std::min<int64_t>(f.desc.Width, int64_t(image.width) - f.desc.Left);
  for (int64_t x = 0; x < visible; ++x) {
    const int index = line[size_t(x)];
    if (index == f.transparent || index >= f.map.ColorCount) continue;  // stays black
    const GifColorType& c = f.map.Colors[index];
    out[f.desc.Left + x] = Rgb(c.Red, c.Green, c.Blue);
  }
}

bool ReadRows(GifFileType* gif, const Frame& f, Image& image) {
  std::vector<GifPixelType> line(size_t(f.desc.Width));
  auto readRow = [&](int32_t row) {
    if (DGifGetLine(gif, line.data(), f.desc.Width) == GIF_ERROR) return false;
    PutLine(f, line, row, image);
    return true;
  };
  if (!f.desc.Interlace) {
    for (int32_t row = 0; row < f.desc.Height; ++row) {
      if (!readRow(row)) return false;
    }
    return true;
  }
  constexpr int32_t kStart[] = {0, 4, 2, 1};
  constexpr int32_t kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int32_t row = kStart[pass]; row < f.desc.Height; row += kStep[pass]) {
      if (!readRow(row)) return false;
    }
  }
  return true;
}

std::optional<Image> ReadFirstImage(GifFileType* gif, int transparent) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
  const GifImageDesc& desc = gif->Image;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || !SizeAllowed(desc.Width, desc.Height) || desc.Left < 0 || desc.Top < 0) {
    return std::nullopt;
  }
  // Some writers leave the logical screen 0 x 0; the frame then sets the size.
  int64_t width = gif->SWidth, height = gif->SHeight;
  if (width == 0 || height == 0) {
    width = int64_t(desc.Left) + desc.Width;
    height = int64_t(desc.Top) + desc.Height;
  }
  std::optional<Image> image = AllocateImage(width, height);
  if (!image || !ReadRows(gif, Frame{desc, *map, transparent}, *image)) return std::nullopt;
  return image;
}

}  // namespace

std::optional<Image> DecodeGif(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  MemoryInput input{bytes};
  int error = 0;
  GifHandle gif(DGifOpen(&input, ReadFromMemory, &error));
  if (!gif) return std::nullopt;
  int transparent = kNoTransparency;
  while (true) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) return std::nullopt;
    if (type == IMAGE_DESC_RECORD_TYPE) return ReadFirstImage(gif.get(), transparent);
    if (type != EXTENSION_RECORD_TYPE || !ReadExtension(gif.get(), transparent)) return std::nullopt;
  }
}

}  // namespace codecs
