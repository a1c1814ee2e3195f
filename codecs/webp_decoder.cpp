#include "codecs/webp_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <utility>

#include "codecs/decode_limits.h"
#include "codecs/over_black.h"
#include "codecs/photo_metadata.h"

namespace codecs {
namespace {

struct DemuxDeleter {
  void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};

struct IteratorReleaser {
  void operator()(WebPIterator* it) const { WebPDemuxReleaseIterator(it); }
};

struct ChunkReleaser {
  void operator()(WebPChunkIterator* it) const { WebPDemuxReleaseChunkIterator(it); }
};

// The payload of the first chunk with that fourcc; empty when there is none.
std::vector<uint8_t> ChunkPayload(WebPDemuxer* demux, const char* fourcc) {
  WebPChunkIterator chunk{};
  if (!WebPDemuxGetChunk(demux, fourcc, 1, &chunk)) return {};
  std::unique_ptr<WebPChunkIterator, ChunkReleaser> release(&chunk);
  return std::vector<uint8_t>(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
}

PhotoMetadata MetadataOf(WebPDemuxer* demux) {
  PhotoMetadata metadata;
  const uint32_t flags = WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS);
  if (flags & EXIF_FLAG) ReadExifInto(metadata, ChunkPayload(demux, "EXIF"));
  if (flags & ICCP_FLAG) metadata.iccProfile = ChunkPayload(demux, "ICCP");
  return metadata;
}

// Decodes one frame as bytes B, G, R, A into rows of the given stride.
bool DecodeFrameInto(const WebPIterator& frame, uint32_t* first, int32_t stridePixels) {
  const size_t strideBytes = size_t(stridePixels) * 4;
  const size_t bufferBytes = strideBytes * size_t(frame.height - 1) + size_t(frame.width) * 4;
  return WebPDecodeBGRAInto(frame.fragment.bytes, frame.fragment.size,
                            reinterpret_cast<uint8_t*>(first), bufferBytes,
                            int(strideBytes)) != nullptr;
}

// Decodes a frame that covers the whole canvas reduced to the image's size by
// the decoder's own scaler, which works on the frame as it decodes it.
bool DecodeScaledInto(const WebPIterator& frame, Image& image) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return false;
  config.options.use_scaling = 1;
  config.options.scaled_width = image.width;
  config.options.scaled_height = image.height;
  config.output.colorspace = MODE_BGRA;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = reinterpret_cast<uint8_t*>(image.pixels.data());
  config.output.u.RGBA.stride = image.width * 4;
  config.output.u.RGBA.size = image.pixels.size() * 4;
  const bool decoded = WebPDecode(frame.fragment.bytes, frame.fragment.size, &config) == VP8_STATUS_OK;
  WebPFreeDecBuffer(&config.output);
  return decoded;
}

// The size the frame is decoded at: what `shown` asks for when the frame
// fills the canvas, the canvas otherwise (a frame placed on a larger canvas
// is decoded whole into its place).
PictureSize DecodedSize(const WebPIterator& frame, PictureSize canvas, const ShownSize& shown,
                        int orientation) {
  if (frame.x_offset != 0 || frame.y_offset != 0 || frame.width != canvas.width ||
      frame.height != canvas.height) {
    return canvas;
  }
  const PictureSize least = LeastStoredSize(shown, canvas, orientation);
  return least.width > 0 && least.height > 0 ? least : canvas;
}

}  // namespace

std::optional<Image> DecodeWebp(Bytes bytes, const ShownSize& shown) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  const WebPData data = {bytes.data(), bytes.size()};
  std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
  if (!demux) return std::nullopt;
  const PictureSize canvas{int32_t(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH)),
                           int32_t(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT))};
  if (!SizeAllowed(canvas.width, canvas.height)) return std::nullopt;
  WebPIterator frame{};
  if (!WebPDemuxGetFrame(demux.get(), 1, &frame)) return std::nullopt;
  std::unique_ptr<WebPIterator, IteratorReleaser> release(&frame);
  if (frame.width <= 0 || frame.height <= 0 || frame.x_offset < 0 || frame.y_offset < 0 ||
      frame.x_offset + frame.width > canvas.width ||
      frame.y_offset + frame.height > canvas.height) {
    return std::nullopt;
  }
  const PhotoMetadata metadata = MetadataOf(demux.get());
  const PictureSize size = DecodedSize(frame, canvas, shown, metadata.orientation);
  Image image(size.width, size.height);
  int32_t left = frame.x_offset, top = frame.y_offset, width = frame.width, height = frame.height;
  if (size == canvas) {
    if (!DecodeFrameInto(frame, image.row(top) + left, image.width)) return std::nullopt;
  } else {
    if (!DecodeScaledInto(frame, image)) return std::nullopt;
    width = size.width;
    height = size.height;
  }
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* row = image.row(top + y) + left;
    if (frame.has_alpha) {
      CompositeOverBlack(row, size_t(width));
    } else {
      for (int32_t x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
    }
  }
  return ApplyPhotoMetadata(std::move(image), metadata);
}

}  // namespace codecs
