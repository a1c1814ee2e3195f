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

// The first image's descriptor has been read: the size it is shown at, on
// the logical screen; nothing when the frame cannot be shown.
std::optional<PictureSize> ShownSizeOf(const GifFileType* gif) {
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
  if (!SizeAllowed(width, height)) return std::nullopt;
  return PictureSize{int32_t(width), int32_t(height)};
}

// Reads the records up to the first image's descriptor; false when the file
// ends or breaks before it. `transparent` is what a graphic control block
// before it says.
bool ReachFirstImage(GifFileType* gif, int& transparent) {
  transparent = kNoTransparency;
  while (true) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
    if (type != EXTENSION_RECORD_TYPE || !ReadExtension(gif, transparent)) return false;
  }
}

// The file opened and read up to the first image's descriptor; null when it
// does not get that far.
GifHandle OpenAtFirstImage(MemoryInput& input, int& transparent) {
  int error = 0;
  GifHandle gif(DGifOpen(&input, ReadFromMemory, &error));
  if (!gif || !ReachFirstImage(gif.get(), transparent)) return nullptr;
  return gif;
}

}  // namespace

std::optional<PictureSize> GifSize(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  MemoryInput input{bytes};
  int transparent = kNoTransparency;
  const GifHandle gif = OpenAtFirstImage(input, transparent);
  if (!gif) return std::nullopt;
  return ShownSizeOf(gif.get());
}

std::optional<Image> DecodeGif(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  MemoryInput input{bytes};
  int transparent = kNoTransparency;
  const GifHandle gif = OpenAtFirstImage(input, transparent);
  const std::optional<PictureSize> size = gif ? ShownSizeOf(gif.get()) : std::nullopt;
  if (!size) return std::nullopt;
  const GifImageDesc& desc = gif->Image;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  std::optional<Image> image = AllocateImage(size->width, size->height);
  if (!image || !ReadRows(gif.get(), Frame{desc, *map, transparent}, *image)) return std::nullopt;
  return image;
}

}  // namespace codecs
