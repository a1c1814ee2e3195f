#include "codecs/avif_decoder.h"

#include <dav1d/dav1d.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "codecs/avif_container.h"
#include "codecs/decode_limits.h"
#include "codecs/photo_metadata.h"
#include "codecs/yuv_to_rgb.h"

namespace codecs {
namespace {

void Silent(void*, const char*, va_list) {}

struct Decoder {
  Dav1dContext* context = nullptr;
  Decoder() = default;
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;
  ~Decoder() {
    if (context != nullptr) dav1d_close(&context);
  }
};

struct Picture {
  Dav1dPicture picture{};
  bool held = false;
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture() {
    if (held) dav1d_picture_unref(&picture);
  }
};

// Decodes the one frame of an item's AV1 data.
bool DecodeFrame(const std::vector<uint8_t>& obus, Picture* out) {
  Dav1dSettings settings;
  dav1d_default_settings(&settings);
  settings.max_frame_delay = 1;
  settings.all_layers = 0;
  settings.frame_size_limit = unsigned(kMaxPixels);
  settings.logger.callback = Silent;
  Decoder decoder;
  if (dav1d_open(&decoder.context, &settings) != 0) return false;
  Dav1dData data{};
  uint8_t* buffer = dav1d_data_create(&data, obus.size());
  if (buffer == nullptr) return false;
  std::memcpy(buffer, obus.data(), obus.size());
  for (;;) {
    if (data.sz > 0) {
      const int sent = dav1d_send_data(decoder.context, &data);
      if (sent < 0 && sent != DAV1D_ERR(EAGAIN)) break;
    }
    const int got = dav1d_get_picture(decoder.context, &out->picture);
    if (got == 0) {
      out->held = true;
      break;
    }
    if (got != DAV1D_ERR(EAGAIN) || data.sz == 0) break;
  }
  dav1d_data_unref(&data);
  return out->held;
}

// dav1d allocates each chroma plane at the luma's size reduced by the layout.
YuvPlanes PlanesOf(const Dav1dPicture& p) {
  YuvPlanes planes;
  planes.y = {p.data[0], p.stride[0], p.p.w, p.p.h};
  planes.bitDepth = p.p.bpc;
  planes.chromaShiftX = p.p.layout == DAV1D_PIXEL_LAYOUT_I444 ? 0 : 1;
  planes.chromaShiftY = p.p.layout == DAV1D_PIXEL_LAYOUT_I420 ? 1 : 0;
  if (p.p.layout != DAV1D_PIXEL_LAYOUT_I400) {
    const int32_t width = (p.p.w + planes.chromaShiftX) >> planes.chromaShiftX;
    const int32_t height = (p.p.h + planes.chromaShiftY) >> planes.chromaShiftY;
    planes.u = {p.data[1], p.stride[1], width, height};
    planes.v = {p.data[2], p.stride[1], width, height};
  }
  return planes;
}

}  // namespace

std::optional<Image> DecodeAvif(Bytes bytes) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  std::optional<AvifContainer> container = ReadAvifContainer(bytes);
  if (!container) return std::nullopt;
  Picture colour;
  if (!DecodeFrame(container->colourData, &colour)) return std::nullopt;
  const Dav1dPicture& p = colour.picture;
  std::optional<Image> image = AllocateImage(p.p.w, p.p.h);
  if (!image || p.seq_hdr == nullptr) return std::nullopt;
  int matrix = int(p.seq_hdr->mtrx);
  bool fullRange = p.seq_hdr->color_range != 0;
  PhotoMetadata metadata;
  metadata.orientation = container->orientation;
  metadata.iccProfile = std::move(container->iccProfile);
  metadata.coded = CodedColour{int(p.seq_hdr->pri), int(p.seq_hdr->trc)};
  if (container->nclx) {
    matrix = container->nclx->matrix;
    fullRange = container->nclx->fullRange;
    metadata.coded = container->nclx->colour;
  }
  if (!YuvToRgb(PlanesOf(p), matrix, fullRange, *image)) return std::nullopt;
  Picture alpha;
  if (!container->alphaData.empty() && !container->alphaPremultiplied &&
      DecodeFrame(container->alphaData, &alpha) && alpha.picture.p.w == p.p.w &&
      alpha.picture.p.h == p.p.h && alpha.picture.seq_hdr != nullptr) {
    const Dav1dPicture& a = alpha.picture;
    ApplyAlphaPlane({a.data[0], a.stride[0], a.p.w, a.p.h}, a.p.bpc, a.seq_hdr->color_range != 0, *image);
  }
  return ApplyPhotoMetadata(std::move(*image), metadata);
}

}  // namespace codecs
