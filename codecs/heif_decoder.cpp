#include "codecs/heif_decoder.h"

#include <libheif/heif.h>

#include <cstdlib>
#include <algorithm>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "codecs/decode_limits.h"
#include "codecs/exif_date.h"
#include "codecs/heif_limits.h"
#include "codecs/heif_mirror.h"
#include "codecs/photo_metadata.h"
#include "codecs/yuv_to_rgb.h"

namespace codecs {
namespace {

struct ContextFreer {
  void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleReleaser {
  void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageReleaser {
  void operator()(heif_image* i) const { heif_image_release(i); }
};
struct NclxFreer {
  void operator()(heif_color_profile_nclx* n) const { heif_nclx_color_profile_free(n); }
};
using Context = std::unique_ptr<heif_context, ContextFreer>;
using Handle = std::unique_ptr<heif_image_handle, HandleReleaser>;
using HeifImage = std::unique_ptr<heif_image, ImageReleaser>;

bool Ok(heif_error error) { return error.code == heif_error_Ok; }

// The size with the file's transformations applied.
PictureSize SizeOf(const heif_image_handle* handle) {
  return {heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)};
}

bool SameShape(PictureSize a, PictureSize b) {
  return a.width > 0 && b.width > 0 &&
         std::llabs(int64_t(a.height) * b.width / a.width - b.height) <= 1;
}

struct Item {
  Handle handle;
  heif_item_id id = 0;
};

// The smallest thumbnail of the picture's shape that covers `least` on both
// axes; nothing when none does.
Item CoveringThumbnail(heif_image_handle* primary, PictureSize least) {
  Item best;
  const int count = heif_image_handle_get_number_of_thumbnails(primary);
  if (count <= 0) return best;
  std::vector<heif_item_id> ids(static_cast<size_t>(count));
  const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
  for (int i = 0; i < listed; ++i) {
    heif_image_handle* raw = nullptr;
    if (!Ok(heif_image_handle_get_thumbnail(primary, ids[size_t(i)], &raw))) continue;
    Handle thumbnail(raw);
    const PictureSize size = SizeOf(raw);
    if (size.width < least.width || size.height < least.height || !SameShape(size, SizeOf(primary))) continue;
    const PictureSize bestSize = best.handle ? SizeOf(best.handle.get()) : PictureSize{};
    if (!best.handle || int64_t(size.width) * size.height < int64_t(bestSize.width) * bestSize.height) {
      best = {std::move(thumbnail), ids[size_t(i)]};
    }
  }
  return best;
}

// The file's EXIF block as a TIFF structure: HEIF stores it after four bytes
// that give the offset of the TIFF header.
std::vector<uint8_t> ExifBlock(const heif_image_handle* handle) {
  heif_item_id id = 0;
  if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1) return {};
  std::vector<uint8_t> block(heif_image_handle_get_metadata_size(handle, id));
  if (block.size() < 4 || !Ok(heif_image_handle_get_metadata(handle, id, block.data()))) return {};
  const std::optional<uint32_t> offset = ReadU32(block, 0, ByteOrder::BigEndian);
  if (!offset || *offset > block.size() - 4) return {};
  block.erase(block.begin(), block.begin() + 4 + ptrdiff_t(*offset));
  return block;
}

// The colour the item declares in its colr box: an ICC profile, or coded
// primaries and transfer. (libheif's conversion to RGB drops what the coded
// stream itself says.)
PhotoMetadata ColourOf(const heif_image_handle* handle) {
  PhotoMetadata metadata;
  const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
  if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
    metadata.iccProfile.resize(heif_image_handle_get_raw_color_profile_size(handle));
    if (!Ok(heif_image_handle_get_raw_color_profile(handle, metadata.iccProfile.data()))) {
      metadata.iccProfile.clear();
    }
  }
  heif_color_profile_nclx* raw = nullptr;
  // libheif 1.15 hands over the profile it allocated also when it refuses
  // the code points in it.
  const heif_error read = heif_image_handle_get_nclx_color_profile(handle, &raw);
  const std::unique_ptr<heif_color_profile_nclx, NclxFreer> nclx(raw);
  if (Ok(read)) {
    metadata.coded = CodedColour{int(nclx->color_primaries), int(nclx->transfer_characteristics)};
  }
  return metadata;
}

SamplePlane PlaneOf(const heif_image* decoded, heif_channel channel) {
  SamplePlane plane;
  int stride = 0;
  plane.data = heif_image_get_plane_readonly(decoded, channel, &stride);
  plane.stride = stride;
  plane.width = heif_image_get_width(decoded, channel);
  plane.height = heif_image_get_height(decoded, channel);
  return plane;
}

// The planes as libheif delivers them: planar R, G, B (it converts Y'CbCr
// itself, tile by tile for a grid) or luma alone, 8 to 16 bits. Copied to the
// Image by the conversion the AVIF reader uses, with the identity matrix,
// rather than through a further interleaved copy made by libheif.
std::optional<YuvPlanes> PlanesOf(const heif_image* decoded) {
  YuvPlanes planes;
  if (heif_image_get_colorspace(decoded) == heif_colorspace_monochrome) {
    planes.y = PlaneOf(decoded, heif_channel_Y);
    planes.bitDepth = heif_image_get_bits_per_pixel_range(decoded, heif_channel_Y);
  } else if (heif_image_get_colorspace(decoded) == heif_colorspace_RGB &&
             heif_image_get_chroma_format(decoded) == heif_chroma_444) {
    planes.y = PlaneOf(decoded, heif_channel_G);
    planes.u = PlaneOf(decoded, heif_channel_B);
    planes.v = PlaneOf(decoded, heif_channel_R);
    planes.bitDepth = heif_image_get_bits_per_pixel_range(decoded, heif_channel_G);
    if (planes.u.data == nullptr || planes.v.data == nullptr) return std::nullopt;
  }
  planes.chromaShiftX = planes.chromaShiftY = 0;
  if (planes.y.data == nullptr || planes.bitDepth < 8 || planes.bitDepth > 16) return std::nullopt;
  return planes;
}

// Each plane is read at its own size: a damaged stream decodes to planes of
// other sizes than the picture's (an alpha plane smaller than its colour).
std::optional<Image> ToImage(const heif_image* decoded, bool alpha) {
  const std::optional<YuvPlanes> planes = PlanesOf(decoded);
  if (!planes) return std::nullopt;
  std::optional<Image> image = AllocateImage(heif_image_get_primary_width(decoded),
                                             heif_image_get_primary_height(decoded));
  if (!image || !YuvToRgb(*planes, 0, true, *image)) return std::nullopt;
  if (alpha) {
    ApplyAlphaPlane(PlaneOf(decoded, heif_channel_Alpha),
                    heif_image_get_bits_per_pixel_range(decoded, heif_channel_Alpha), true, *image);
  }
  return image;
}

// The tiles of a grid decode side by side on that many threads libheif
// starts; an image that is no grid decodes its rows on that many worker
// threads of libde265 (patches/libheif/), each tile of a grid on one.
void DecodeOnThreads(heif_context* context, int threads) {
  heif_context_set_max_decoding_threads(context, std::max(threads, 1));
}

}  // namespace

int HeifDecodingThreads() { return int(std::max(std::thread::hardware_concurrency(), 1u)); }

std::optional<Image> DecodeHeif(Bytes bytes, const ShownSize& shown, int threads) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes || !HeifWithinLimits(bytes)) return std::nullopt;
  Context context(heif_context_alloc());
  if (!context) return std::nullopt;
  DecodeOnThreads(context.get(), threads);
  // Refuses items wider or higher than the cap while the file is read,
  // before anything is decoded; the pixel count is checked below.
  heif_context_set_maximum_image_size_limit(context.get(), int(kMaxSide));
  if (!Ok(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr))) {
    return std::nullopt;
  }
  heif_image_handle* raw = nullptr;
  Item primary;
  if (!Ok(heif_context_get_primary_image_handle(context.get(), &raw))) return std::nullopt;
  primary.handle.reset(raw);
  if (!Ok(heif_context_get_primary_image_ID(context.get(), &primary.id))) return std::nullopt;
  const PictureSize whole = SizeOf(primary.handle.get());
  if (!SizeAllowed(whole.width, whole.height)) return std::nullopt;
  Item thumbnail;
  if (shown) thumbnail = CoveringThumbnail(primary.handle.get(), LeastStoredSize(shown, whole, 1));
  const Item& chosenItem = thumbnail.handle ? thumbnail : primary;
  const heif_image_handle* chosen = chosenItem.handle.get();

  // Colours stored premultiplied by their alpha are shown over black as they are.
  const bool alpha = heif_image_handle_has_alpha_channel(chosen) && !heif_image_handle_is_premultiplied_alpha(chosen);
  heif_image* decodedRaw = nullptr;
  if (!Ok(heif_decode_image(chosen, &decodedRaw, heif_colorspace_undefined, heif_chroma_undefined, nullptr))) {
    return std::nullopt;
  }
  HeifImage decoded(decodedRaw);
  std::optional<Image> image = ToImage(decoded.get(), alpha);
  if (!image) return std::nullopt;
  decoded.reset();
  PhotoMetadata metadata = ColourOf(chosen);
  // Only the day of taking: the file's own transformations stand it upright,
  // and its EXIF orientation is not applied a second time.
  metadata.taken = ExifDateTaken(ExifBlock(primary.handle.get()));
  if (HeifMirrorsAcrossWrongAxis() && ItemIsMirrored(bytes, chosenItem.id)) {
    metadata.orientation = 3;
  }
  return ApplyPhotoMetadata(std::move(*image), metadata);
}

}  // namespace codecs
