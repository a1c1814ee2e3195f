// libjpeg reports errors through error_exit, which must not return. We leave
// it by longjmp, back to a setjmp inside one of the two "Guarded" functions
// below. Those functions hold only trivially destructible locals, and the only
// frames the jump crosses are libjpeg's own C frames, so no C++ destructor is
// ever skipped. Everything with a destructor (the session, the Image) lives in
// DecodeJpeg, outside the jumps.
#include "codecs/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs/area_reduce.h"
#include "codecs/decode_limits.h"
#include "codecs/photo_metadata.h"
#include "codecs/shown_size.h"

namespace codecs {
namespace {

// Progressive files may hold thousands of tiny scans, each one a full pass
// over the coefficient buffer; encoders write about ten. Beside the count,
// the passes together may cover at most kMaxScanPixels: 12 scans of a
// picture at the cap, 50 of ten megapixels. (A valid file of 2080 scans over
// 4 megapixels keeps djpeg busy for four seconds.)
constexpr int kMaxScans = 50;
constexpr int64_t kMaxScanPixels = 500'000'000;
constexpr int kRowsPerRead = 16;

struct ErrorTrap {
  jpeg_error_mgr mgr;  // first, so libjpeg's err pointer is also ours
  std::jmp_buf jump;
};

struct JpegSession {
  jpeg_decompress_struct cinfo{};
  ErrorTrap trap{};
  jpeg_progress_mgr progress{};
  bool created = false;
  bool cmyk = false;
  bool adobeInverted = false;
  PhotoMetadata metadata;  // from EXIF; the profile joins it once the pixels are decoded
  JOCTET* iccProfile = nullptr;  // malloc'ed by libjpeg, assembled from APP2 markers
  unsigned int iccProfileBytes = 0;

  JpegSession() = default;
  JpegSession(const JpegSession&) = delete;
  JpegSession& operator=(const JpegSession&) = delete;
  ~JpegSession() {
    std::free(iccProfile);
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

[[noreturn]] void LeaveDecoder(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings that mean picture data is missing or corrupt end the decode;
// harmless ones (stray bytes between markers, an unknown JFIF revision or
// Adobe transform, a bad ICC marker we never read) are ignored.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  switch (cinfo->err->msg_code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
      return;
    default:
      LeaveDecoder(cinfo);
  }
}

void Silent(j_common_ptr) {}

void LimitScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  const int64_t pixels = int64_t(d->image_width) * d->image_height;
  if (d->input_scan_number > kMaxScans || d->input_scan_number * pixels > kMaxScanPixels) {
    LeaveDecoder(cinfo);
  }
}

void InstallHandlers(JpegSession* s) {
  s->cinfo.err = jpeg_std_error(&s->trap.mgr);
  s->trap.mgr.error_exit = LeaveDecoder;
  s->trap.mgr.emit_message = OnMessage;
  s->trap.mgr.output_message = Silent;
  s->progress.progress_monitor = LimitScans;
}

// Chooses the output colour space; false for colour spaces we cannot show.
bool ChooseOutput(JpegSession* s) {
  switch (s->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      s->cinfo.out_color_space = JCS_EXT_BGRX;
      return true;
    case JCS_CMYK:
    case JCS_YCCK:
      s->cinfo.out_color_space = JCS_CMYK;
      s->cmyk = true;
      // Adobe's applications write CMYK with 0 meaning full ink.
      s->adobeInverted = s->cinfo.saw_Adobe_marker;
      return true;
    default:
      return false;
  }
}

// The first APP1 marker holding EXIF; empty when there is none.
Bytes ExifOf(const jpeg_decompress_struct& cinfo) {
  for (jpeg_saved_marker_ptr m = cinfo.marker_list; m != nullptr; m = m->next) {
    if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 &&
        std::memcmp(m->data, "Exif\0\0", 6) == 0) {
      return Bytes(m->data, m->data_length);
    }
  }
  return {};
}

bool ReadHeaderGuarded(JpegSession* s, const uint8_t* data, size_t size) {
  if (setjmp(s->trap.jump)) return false;
  InstallHandlers(s);
  s->created = true;
  jpeg_create_decompress(&s->cinfo);
  s->cinfo.progress = &s->progress;
  s->cinfo.mem->max_memory_to_use = kJpegWorkingMemory;
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&s->cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&s->cinfo, JPEG_APP0 + 2, 0xFFFF);
  if (jpeg_read_header(&s->cinfo, TRUE) != JPEG_HEADER_OK) return false;
  ReadExifInto(s->metadata, ExifOf(s->cinfo));
  jpeg_read_icc_profile(&s->cinfo, &s->iccProfile, &s->iccProfileBytes);
  if (!ChooseOutput(s)) return false;
  s->cinfo.buffered_image = FALSE;
  return true;
}

// libjpeg's output side at a scale of eighths, each side rounded up.
int32_t ScaledSide(JDIMENSION side, int eighths) {
  return int32_t((int64_t(side) * eighths + 7) / 8);
}

// The smallest of libjpeg's scales n/8, up to most/8, that still delivers at
// least `least` on both axes.
int ScaleEighths(const jpeg_decompress_struct& cinfo, PictureSize least, int most) {
  for (int n = 1; n < most; ++n) {
    if (ScaledSide(cinfo.image_width, n) >= least.width &&
        ScaledSide(cinfo.image_height, n) >= least.height) {
      return n;
    }
  }
  return most;
}

bool ScaleGuarded(JpegSession* s, JpegQuality quality, int eighths) {
  if (setjmp(s->trap.jump)) return false;
  s->cinfo.dct_method = quality == JpegQuality::Saver ? JDCT_ISLOW : JDCT_IFAST;
  s->cinfo.scale_num = unsigned(eighths);
  s->cinfo.scale_denom = 8;
  jpeg_calc_output_dimensions(&s->cinfo);
  return true;
}

uint8_t Ink(uint8_t value, bool inverted) { return inverted ? value : uint8_t(255 - value); }

// One row of C, M, Y, K bytes becomes B, G, R, 0 in place.
void CmykRowToRgb(uint8_t* p, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, p += 4) {
    unsigned k = Ink(p[3], inverted);
    unsigned r = (Ink(p[0], inverted) * k + 127) / 255;
    unsigned g = (Ink(p[1], inverted) * k + 127) / 255;
    unsigned b = (Ink(p[2], inverted) * k + 127) / 255;
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
    p[3] = 0;
  }
}

// libjpeg leaves the X byte of BGRX undefined; the Image wants it 0.
void ClearPadding(uint32_t* row, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
}

// Where the decoded rows go: straight into the picture's pixels, or, when
// the picture is reduced while it is decoded, through a strip of
// kRowsPerRead rows into the reducer.
struct RowTarget {
  uint32_t* pixels = nullptr;  // the whole picture, or the strip
  AreaReducer* reducer = nullptr;
};

void ConvertRows(const JpegSession& s, JSAMPROW* rows, JDIMENSION count, bool reducing) {
  const JDIMENSION width = s.cinfo.output_width;
  for (JDIMENSION i = 0; i < count; ++i) {
    if (s.cmyk) {
      CmykRowToRgb(rows[i], width, s.adobeInverted);
    } else if (!reducing) {  // the reducer never reads the X byte
      ClearPadding(reinterpret_cast<uint32_t*>(rows[i]), width);
    }
  }
}

bool DecodeRowsGuarded(JpegSession* s, RowTarget target) {
  if (setjmp(s->trap.jump)) return false;
  jpeg_start_decompress(&s->cinfo);
  const JDIMENSION width = s->cinfo.output_width;
  while (s->cinfo.output_scanline < s->cinfo.output_height) {
    JSAMPROW rows[kRowsPerRead];
    const JDIMENSION first = s->cinfo.output_scanline;
    const JDIMENSION wanted = s->cinfo.output_height - first < kRowsPerRead
                                  ? s->cinfo.output_height - first
                                  : JDIMENSION(kRowsPerRead);
    const JDIMENSION firstRow = target.reducer != nullptr ? 0 : first;
    for (JDIMENSION i = 0; i < wanted; ++i) {
      rows[i] = reinterpret_cast<JSAMPROW>(target.pixels + size_t(firstRow + i) * width);
    }
    const JDIMENSION got = jpeg_read_scanlines(&s->cinfo, rows, wanted);
    if (got == 0) return false;
    ConvertRows(*s, rows, got, target.reducer != nullptr);
    if (target.reducer != nullptr) {
      for (JDIMENSION i = 0; i < got; ++i) target.reducer->AddRow(reinterpret_cast<const uint32_t*>(rows[i]));
    }
  }
  // Every row has been delivered: the picture is complete, whatever follows
  // its last scan, so the trailer is not read.
  return true;
}

// The size the saver's picture is reduced to while it is decoded: what
// `shown` asks for, when that is smaller than libjpeg's scale delivers and
// no larger than the picture on either side. Nothing when the picture comes
// at libjpeg's scale (the thumbnail, a picture shown at least whole, a size
// of nothing).
std::optional<PictureSize> ReducedSize(const jpeg_decompress_struct& cinfo, JpegQuality quality,
                                       PictureSize asked, PictureSize whole) {
  if (quality != JpegQuality::Saver) return std::nullopt;
  if (asked.width < 1 || asked.height < 1 || asked.width > whole.width || asked.height > whole.height) {
    return std::nullopt;
  }
  if (asked.width == int32_t(cinfo.output_width) && asked.height == int32_t(cinfo.output_height)) {
    return std::nullopt;
  }
  return asked;
}

}  // namespace

std::optional<Image> DecodeJpeg(Bytes bytes, JpegQuality quality, const ShownSize& shown) {
  if (bytes.empty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  JpegSession session;
  if (!ReadHeaderGuarded(&session, bytes.data(), bytes.size())) return std::nullopt;
  const jpeg_decompress_struct& cinfo = session.cinfo;
  if (!SizeAllowed(cinfo.image_width, cinfo.image_height)) return std::nullopt;
  // The saver starts from the whole picture, the preview from half of it.
  const int most = quality == JpegQuality::Saver ? 8 : 4;
  const PictureSize whole{ScaledSide(cinfo.image_width, most), ScaledSide(cinfo.image_height, most)};
  const PictureSize asked = ShownStoredSize(shown, whole, session.metadata.orientation);
  const PictureSize least{std::clamp(asked.width, 0, whole.width), std::clamp(asked.height, 0, whole.height)};
  if (!ScaleGuarded(&session, quality, ScaleEighths(cinfo, least, most))) return std::nullopt;
  if (session.cinfo.output_components != 4) return std::nullopt;
  // The saver's picture is reduced the rest of the way as its rows come, so
  // the picture at libjpeg's scale is never held whole: the same area
  // averaging the show would do afterwards, in a fraction of the memory.
  const std::optional<PictureSize> reduced = ReducedSize(cinfo, quality, asked, whole);
  std::optional<Image> image = reduced ? AllocateImage(reduced->width, reduced->height)
                                       : AllocateImage(session.cinfo.output_width, session.cinfo.output_height);
  if (!image) return std::nullopt;
  if (reduced) {
    std::vector<uint32_t> strip(size_t(session.cinfo.output_width) * kRowsPerRead);
    AreaReducer reducer(int32_t(session.cinfo.output_width), int32_t(session.cinfo.output_height),
                        image->pixels.data(), image->width, image->height, image->width);
    if (!DecodeRowsGuarded(&session, {strip.data(), &reducer}) || !reducer.Done()) return std::nullopt;
  } else if (!DecodeRowsGuarded(&session, {image->pixels.data(), nullptr})) {
    return std::nullopt;
  }
  PhotoMetadata metadata = std::move(session.metadata);
  if (session.iccProfile != nullptr) {
    metadata.iccProfile.assign(session.iccProfile, session.iccProfile + session.iccProfileBytes);
  }
  return ApplyPhotoMetadata(std::move(*image), metadata);
}

}  // namespace codecs
