#include "codecs/webp_decoder.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <utility>

#include "codecs/decode_limits.h"
#include "codecs/exif_orientation.h"
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
  if (flags & EXIF_FLAG) metadata.orientation = ExifOrientation(ChunkPayload(demux, "EXIF"));
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

}  // namespace

std::optional<Image> DecodeWebp(Bytes bytes) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  const WebPData data = {bytes.data(), bytes.size()};
  std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
  if (!demux) return std::nullopt;
  std::optional<Image> image = AllocateImage(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH),
                                             WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
  if (!image) return std::nullopt;
  WebPIterator frame{};
  if (!WebPDemuxGetFrame(demux.get(), 1, &frame)) return std::nullopt;
  std::unique_ptr<WebPIterator, IteratorReleaser> release(&frame);
  if (frame.width <= 0 || frame.height <= 0 || frame.x_offset < 0 || frame.y_offset < 0 ||
      frame.x_offset + frame.width > image->width ||
      frame.y_offset + frame.height > image->height) {
    return std::nullopt;
  }
  uint32_t* first = image->row(frame.y_offset) + frame.x_offset;
  if (!DecodeFrameInto(frame, first, image->width)) return std::nullopt;
  for (int32_t y = 0; y < frame.height; ++y) {
    uint32_t* row = image->row(frame.y_offset + y) + frame.x_offset;
    if (frame.has_alpha) {
      CompositeOverBlack(row, size_t(frame.width));
    } else {
      for (int32_t x = 0; x < frame.width; ++x) row[x] &= 0x00FFFFFFu;
    }
  }
  return ApplyPhotoMetadata(std::move(*image), MetadataOf(demux.get()));
}

}  // namespace codecs
