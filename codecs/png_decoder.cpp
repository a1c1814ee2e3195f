// libpng reports errors by longjmp to the setjmp of the session. As with the
// JPEG decoder, only the "Guarded" functions below call libpng and they hold
// nothing with a destructor; the session, the Image and the row pointers live
// in DecodePng, outside the jumps.
#include "codecs/png_decoder.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "codecs/decode_limits.h"
#include "codecs/over_black.h"
#include "codecs/photo_metadata.h"

namespace codecs {
namespace {

// Ancillary chunks (text, profiles) are held in memory while read; no real
// profile or EXIF block comes near this.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;
constexpr png_uint_32 kMaxCachedChunks = 128;
// libpng only warns when a chunk declares more than kMaxChunkBytes and then
// allocates what it declares (up to 2 GiB for a file of a few hundred bytes).
// Every allocation goes through CappedMalloc, which refuses anything larger
// than a chunk buffer; libpng then skips that chunk. Its own row buffers are
// far smaller (a row of 32767 pixels at 64 bits is 256 KiB).
constexpr png_alloc_size_t kMaxAllocationBytes = kMaxChunkBytes + (1u << 20);

png_voidp CappedMalloc(png_structp, png_alloc_size_t size) {
  return size <= kMaxAllocationBytes ? std::malloc(size) : nullptr;
}

void PlainFree(png_structp, png_voidp p) { std::free(p); }

struct MemoryInput {
  Bytes bytes;
  size_t position = 0;
};

struct PngSession {
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemoryInput input;

  PngSession() = default;
  PngSession(const PngSession&) = delete;
  PngSession& operator=(const PngSession&) = delete;
  ~PngSession() {
    if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  }
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (!HasRange(in->bytes, in->position, length)) png_error(png, "truncated");
  std::memcpy(out, in->bytes.data() + in->position, length);
  in->position += length;
}

void Silent(png_structp, png_const_charp) {}

// Reads the header and sets the transforms that give every file as bytes
// B, G, R, A at 8 bits; a file without transparency gets 0 for A, which is
// the Image's own fourth byte.
bool ReadHeaderGuarded(PngSession* s, png_uint_32* width, png_uint_32* height, bool* alpha) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_set_read_fn(s->png, &s->input, ReadFromMemory);
  png_set_user_limits(s->png, png_uint_32(kMaxSide), png_uint_32(kMaxSide));
  png_set_chunk_malloc_max(s->png, kMaxChunkBytes);
  png_set_chunk_cache_max(s->png, kMaxCachedChunks);
  png_read_info(s->png, s->info);
  *width = png_get_image_width(s->png, s->info);
  *height = png_get_image_height(s->png, s->info);
  png_set_expand(s->png);
  png_set_scale_16(s->png);
  png_set_gray_to_rgb(s->png);
  png_set_bgr(s->png);
  *alpha = (png_get_color_type(s->png, s->info) & PNG_COLOR_MASK_ALPHA) != 0 ||
           png_get_valid(s->png, s->info, PNG_INFO_tRNS) != 0;
  if (*alpha) {
    png_set_add_alpha(s->png, 0xFF, PNG_FILLER_AFTER);
  } else {
    png_set_filler(s->png, 0, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(s->png);
  png_read_update_info(s->png, s->info);
  return png_get_rowbytes(s->png, s->info) == size_t(*width) * 4;
}

bool ReadRowsGuarded(PngSession* s, png_bytepp rows) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_read_image(s->png, rows);
  return true;
}

// The chunks after the pixels may hold eXIf; a damaged tail costs only them.
void ReadEndGuarded(PngSession* s) {
  if (setjmp(png_jmpbuf(s->png))) return;
  png_read_end(s->png, s->info);
}

PhotoMetadata MetadataOf(const PngSession& s) {
  PhotoMetadata metadata;
  png_uint_32 exifBytes = 0;
  png_bytep exif = nullptr;
  if (png_get_eXIf_1(s.png, s.info, &exifBytes, &exif) != 0 && exif != nullptr) {
    ReadExifInto(metadata, Bytes(exif, exifBytes));
  }
  png_charp name = nullptr;
  int compression = 0;
  png_bytep profile = nullptr;
  png_uint_32 profileBytes = 0;
  if (png_get_iCCP(s.png, s.info, &name, &compression, &profile, &profileBytes) != 0 &&
      profile != nullptr) {
    metadata.iccProfile.assign(profile, profile + profileBytes);
  }
  return metadata;
}

}  // namespace

std::optional<Image> DecodePng(Bytes bytes) {
  if (bytes.size() < 8 || bytes.size() > kMaxFileBytes || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    return std::nullopt;
  }
  PngSession session;
  session.input.bytes = bytes;
  session.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, Silent, Silent, nullptr,
                                         CappedMalloc, PlainFree);
  if (session.png == nullptr) return std::nullopt;
  session.info = png_create_info_struct(session.png);
  if (session.info == nullptr) return std::nullopt;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  bool alpha = false;
  if (!ReadHeaderGuarded(&session, &width, &height, &alpha)) return std::nullopt;
  std::optional<Image> image = AllocateImage(width, height);
  if (!image) return std::nullopt;
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = reinterpret_cast<png_bytep>(image->row(int32_t(y)));
  }
  if (!ReadRowsGuarded(&session, rows.data())) return std::nullopt;
  ReadEndGuarded(&session);
  if (alpha) CompositeOverBlack(image->pixels.data(), image->pixels.size());
  return ApplyPhotoMetadata(std::move(*image), MetadataOf(session));
}

}  // namespace codecs
