// Each format's header is walked as its decoder walks it, so that the size
// comes out as the decoder would deliver it and a header the decoder refuses
// is refused here too. Where a decoder can say its size itself (the picture
// library's formats, icons, bitmap layouts), it is asked.
#include "codecs/picture_header.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "codecs/decode_limits.h"
#include "codecs/decode_picture.h"
#include "codecs/dib_layout.h"
#include "codecs/exif_orientation.h"
#include "codecs/gif_decoder.h"
#include "codecs/heif_items.h"
#include "codecs/ico_decoder.h"
#include "codecs/iso_boxes.h"
#include "codecs/pcx_decoder.h"
#include "codecs/picture_extension.h"
#include "codecs/system_codecs.h"
#include "codecs/tga_decoder.h"

namespace codecs {
namespace {

// One read brings this much, so that a header and the segments near it come
// in a single read.
constexpr size_t kWindow = size_t(64) << 10;

// The parts of a file a header reader asks for, read a window at a time
// within the budget of reads.
class HeaderBytes {
 public:
  explicit HeaderBytes(ByteSource& file) : file_(file) {}
  uint64_t size() const { return file_.size(); }

  // The `length` bytes at `offset`, valid until the next call; nothing when
  // they are not all in the file, are more than one read brings, or the
  // budget of reads is spent.
  std::optional<Bytes> At(uint64_t offset, size_t length) {
    if (offset > size() || length > size() - offset || length > kMaxHeaderRead) return std::nullopt;
    if (offset >= start_ && offset - start_ <= buffer_.size() && length <= buffer_.size() - (offset - start_)) {
      return Bytes(buffer_).subspan(size_t(offset - start_), length);
    }
    const size_t want = size_t(std::min<uint64_t>(std::max(length, kWindow), size() - offset));
    if (reads_ == kMaxHeaderReads || want > kMaxHeaderBytes - bytesRead_) return std::nullopt;
    ++reads_;
    bytesRead_ += want;
    buffer_.resize(want);
    start_ = offset;
    if (!file_.ReadAt(offset, buffer_)) {
      buffer_.clear();
      return std::nullopt;
    }
    return Bytes(buffer_).first(length);
  }

  // The file's first bytes, at most `most` of them.
  std::optional<Bytes> Start(size_t most) { return At(0, size_t(std::min<uint64_t>(size(), most))); }

  std::optional<uint8_t> U8(uint64_t offset) {
    const std::optional<Bytes> b = At(offset, 1);
    return b ? std::optional<uint8_t>((*b)[0]) : std::nullopt;
  }
  template <class Unsigned>
  std::optional<Unsigned> Read(uint64_t offset, ByteOrder order) {
    const std::optional<Bytes> b = At(offset, sizeof(Unsigned));
    return b ? ReadUnsigned<Unsigned>(*b, 0, order) : std::nullopt;
  }

 private:
  ByteSource& file_;
  std::vector<uint8_t> buffer_;
  uint64_t start_ = 0;
  int reads_ = 0;
  uint64_t bytesRead_ = 0;
};

using Size = std::optional<PictureSize>;

Size Allowed(PictureSize size) {
  if (!SizeAllowed(size.width, size.height)) return std::nullopt;
  return size;
}

bool StartsWith(Bytes bytes, const char* magic) {
  const size_t n = std::strlen(magic);
  return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

// What a reader of bytes says about the file's first window, or, when that
// is not enough and the file is longer, about its first kMaxHeaderRead bytes.
template <class Reader>
Size FromStart(HeaderBytes& in, Reader read) {
  if (std::optional<Bytes> first = in.Start(kWindow)) {
    if (Size size = read(*first)) return size;
  }
  if (in.size() <= kWindow) return std::nullopt;
  const std::optional<Bytes> more = in.Start(kMaxHeaderRead);
  return more ? read(*more) : std::nullopt;
}

// JPEG: the frame header gives the size, the first APP1 segment holding EXIF
// the orientation, as libjpeg reads them up to the first scan. Bytes between
// segments and fill bytes before a marker are passed over as libjpeg does.
bool IsSupportedFrame(uint8_t marker) {
  return marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 || marker == 0xCA;
}
bool IsFrame(uint8_t marker) { return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC; }

Size JpegHeader(HeaderBytes& in) {
  if (in.U8(0) != 0xFF || in.U8(1) != 0xD8) return std::nullopt;
  uint64_t pos = 2;
  Size stored;
  int orientation = 1;
  bool exifSeen = false;
  while (true) {
    std::optional<uint8_t> byte = in.U8(pos++);
    if (!byte) return std::nullopt;
    if (*byte != 0xFF) continue;
    do {
      byte = in.U8(pos++);
      if (!byte) return std::nullopt;
    } while (*byte == 0xFF);
    const uint8_t marker = *byte;
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (marker == 0xD8 || marker == 0xD9) return std::nullopt;  // a second start, or the end before any scan
    const std::optional<uint16_t> length = in.Read<uint16_t>(pos, ByteOrder::BigEndian);
    if (!length || *length < 2) return std::nullopt;
    if (marker == 0xDA) {
      if (!stored) return std::nullopt;
      return Allowed(UprightSize(*stored, orientation));
    }
    if (IsFrame(marker)) {
      const std::optional<Bytes> frame = in.At(pos + 2, 5);
      if (stored || !IsSupportedFrame(marker) || !frame) return std::nullopt;
      stored = PictureSize{*ReadU16(*frame, 3, ByteOrder::BigEndian), *ReadU16(*frame, 1, ByteOrder::BigEndian)};
    } else if (marker == 0xE1 && !exifSeen) {
      const std::optional<Bytes> body = in.At(pos + 2, *length - 2u);
      if (!body) return std::nullopt;
      if (body->size() >= 6 && std::memcmp(body->data(), "Exif\0\0", 6) == 0) {
        orientation = ExifOrientation(*body);
        exifSeen = true;
      }
    }
    pos += *length;
  }
}

// PNG: the size from IHDR, the orientation from an eXIf chunk before the
// first IDAT.
Size PngHeader(HeaderBytes& in) {
  const std::optional<Bytes> head = in.At(0, 24);
  if (!head || !StartsWith(*head, "\x89PNG\r\n\x1A\n") || ReadU32(*head, 8, ByteOrder::BigEndian) != 13u ||
      ReadU32(*head, 12, ByteOrder::BigEndian) != FourCc("IHDR")) {
    return std::nullopt;
  }
  const uint32_t width = *ReadU32(*head, 16, ByteOrder::BigEndian);
  const uint32_t height = *ReadU32(*head, 20, ByteOrder::BigEndian);
  if (width > uint32_t(kMaxSide) || height > uint32_t(kMaxSide)) return std::nullopt;
  int orientation = 1;
  for (uint64_t pos = 8 + 12 + 13;;) {
    const std::optional<uint32_t> length = in.Read<uint32_t>(pos, ByteOrder::BigEndian);
    const std::optional<uint32_t> type = in.Read<uint32_t>(pos + 4, ByteOrder::BigEndian);
    if (!length || !type || *length > 0x7FFFFFFFu) return std::nullopt;
    if (*type == FourCc("IDAT") || *type == FourCc("IEND")) break;
    if (*type == FourCc("eXIf")) {
      // libpng keeps the first and ignores any later one.
      if (const std::optional<Bytes> exif = in.At(pos + 8, *length)) orientation = ExifOrientation(*exif);
      break;
    }
    pos += 12 + uint64_t(*length);
  }
  return Allowed(UprightSize({int32_t(width), int32_t(height)}, orientation));
}

// WebP: the canvas from VP8X, or the frame of a simple file; the orientation
// from the first EXIF chunk when VP8X announces one (it follows the image
// data).
constexpr uint8_t kWebpExifFlag = 0x08;

uint32_t U24(Bytes b, size_t at) { return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16); }

int WebpOrientation(HeaderBytes& in, uint64_t end) {
  for (uint64_t pos = 12; pos + 8 <= end;) {
    const std::optional<uint32_t> type = in.Read<uint32_t>(pos, ByteOrder::BigEndian);
    const std::optional<uint32_t> length = in.Read<uint32_t>(pos + 4, ByteOrder::LittleEndian);
    if (!type || !length) return 1;
    if (*type == FourCc("EXIF")) {
      const std::optional<Bytes> exif = in.At(pos + 8, *length);
      return exif ? ExifOrientation(*exif) : 1;
    }
    pos += 8 + uint64_t(*length) + (*length & 1);
  }
  return 1;
}

Size WebpHeader(HeaderBytes& in) {
  const std::optional<Bytes> head = in.Start(30);
  if (!head || head->size() < 20 || !StartsWith(*head, "RIFF") || std::memcmp(head->data() + 8, "WEBP", 4) != 0) {
    return std::nullopt;
  }
  const uint32_t chunk = *ReadU32(*head, 12, ByteOrder::BigEndian);
  const Bytes payload = head->subspan(20);
  if (chunk == FourCc("VP8 ")) {
    if (payload.size() < 10 || payload[3] != 0x9D || payload[4] != 0x01 || payload[5] != 0x2A) return std::nullopt;
    return Allowed({*ReadU16(payload, 6) & 0x3FFF, *ReadU16(payload, 8) & 0x3FFF});
  }
  if (chunk == FourCc("VP8L")) {
    if (payload.size() < 5 || payload[0] != 0x2F) return std::nullopt;
    const uint32_t bits = *ReadU32(payload, 1);
    return Allowed({int32_t(bits & 0x3FFF) + 1, int32_t((bits >> 14) & 0x3FFF) + 1});
  }
  if (chunk != FourCc("VP8X") || payload.size() < 10) return std::nullopt;
  const PictureSize canvas{int32_t(U24(payload, 4)) + 1, int32_t(U24(payload, 7)) + 1};
  if (!Allowed(canvas)) return std::nullopt;
  const uint64_t end = std::min<uint64_t>(in.size(), 8 + uint64_t(*ReadU32(*head, 4)));
  const int orientation = (payload[0] & kWebpExifFlag) ? WebpOrientation(in, end) : 1;
  return UprightSize(canvas, orientation);
}

// HEIF and AVIF: the primary item's ispe, turned by its irot; the meta box
// that holds them is found among the top-level boxes wherever it lies.
Size PrimaryItemSize(Bytes metaBox) {
  const std::optional<HeifMeta> meta = ReadHeifMeta(metaBox);
  if (!meta) return std::nullopt;
  const auto primary = meta->items.find(meta->primary);
  if (primary == meta->items.end()) return std::nullopt;
  Size stored;
  int quarterTurns = 0;
  for (uint32_t index : primary->second.properties) {
    if (index > meta->properties.size()) continue;
    const Box& p = meta->properties[index - 1];
    if (p.type == FourCc("ispe") && !stored) {
      const std::optional<uint32_t> width = ReadU32(p.body, 4, ByteOrder::BigEndian);
      const std::optional<uint32_t> height = ReadU32(p.body, 8, ByteOrder::BigEndian);
      if (!width || !height || *width > uint32_t(kMaxSide) || *height > uint32_t(kMaxSide)) return std::nullopt;
      stored = PictureSize{int32_t(*width), int32_t(*height)};
    }
    if (p.type == FourCc("irot") && !p.body.empty()) quarterTurns = p.body[0] & 3;
  }
  if (!stored) return std::nullopt;
  // A quarter turn swaps the axes, as EXIF orientation 6 does.
  return Allowed(UprightSize(*stored, quarterTurns % 2 ? 6 : 1));
}

Size IsoHeader(HeaderBytes& in) {
  for (uint64_t pos = 0; pos < in.size();) {
    const std::optional<uint32_t> size32 = in.Read<uint32_t>(pos, ByteOrder::BigEndian);
    const std::optional<uint32_t> type = in.Read<uint32_t>(pos + 4, ByteOrder::BigEndian);
    if (!size32 || !type || (pos == 0 && *type != FourCc("ftyp"))) return std::nullopt;
    uint64_t size = *size32;
    uint64_t header = 8;
    if (size == 1) {
      const std::optional<uint64_t> size64 = in.Read<uint64_t>(pos + 8, ByteOrder::BigEndian);
      if (!size64) return std::nullopt;
      size = *size64;
      header = 16;
    } else if (size == 0) {
      size = in.size() - pos;
    }
    if (size < header || size > in.size() - pos) return std::nullopt;
    if (*type == FourCc("meta")) {
      if (size > kMaxHeaderRead) return std::nullopt;
      const std::optional<Bytes> box = in.At(pos, size_t(size));
      return box ? PrimaryItemSize(*box) : std::nullopt;
    }
    pos += size;
  }
  return std::nullopt;
}

// Windows bitmap data, with its file header or without, as the bitmap
// decoder lays it out.
Size DibSize(Bytes bytes, size_t headerOffset, std::optional<uint32_t> offBits) {
  const std::optional<DibLayout> layout = ParseDibLayout(bytes, headerOffset, offBits);
  if (!layout) return std::nullopt;
  return PictureSize{layout->width, layout->height};
}

Size BmpFileHeader(HeaderBytes& in) {
  const std::optional<Bytes> head = in.At(0, 14);
  if (!head || !StartsWith(*head, "BM")) return std::nullopt;
  // The palette runs up to the pixels, which the layout checks against.
  const uint32_t offBits = *ReadU32(*head, 10);
  const std::optional<Bytes> bytes = in.Start(std::max<size_t>(offBits, kWindow));
  return bytes ? DibSize(*bytes, 14, offBits) : std::nullopt;
}

// The picture library's files, told by their content in the library's order.
Size LibraryHeader(HeaderBytes& in) {
  const std::optional<Bytes> first = in.Start(kWindow);
  if (!first) return std::nullopt;
  if (StartsWith(*first, "GIF87a") || StartsWith(*first, "GIF89a")) return FromStart(in, GifSize);
  if (StartsWith(*first, "\xFF\xD8\xFF")) return JpegHeader(in);
  if (first->size() >= 14 && StartsWith(*first, "BM")) {
    if (Size size = BmpFileHeader(in)) return size;
  } else if (Size size = DibSize(*first, 0, std::nullopt)) {
    return size;
  }
  if (in.U8(0) == 0x0A) {
    if (Size size = FromStart(in, PcxSize)) return size;
  }
  return FromStart(in, TgaSize);
}

// An icon is chosen among all its entries, each checked against the file, so
// the whole (small) file is read.
Size IcoHeader(HeaderBytes& in) {
  if (in.size() > kMaxHeaderRead) return std::nullopt;
  const std::optional<Bytes> bytes = in.Start(kMaxHeaderRead);
  return bytes ? IcoSize(*bytes) : std::nullopt;
}

Size HeaderSize(std::string_view ext, HeaderBytes& in) {
  constexpr std::array<std::string_view, 6> kLibrary = {"jif", "gif", "dib", "rle", "tga", "pcx"};
  constexpr std::array<std::string_view, 4> kIso = {"avif", "heic", "heif", "hif"};
  if (ext == "bmp") return BmpFileHeader(in);
  if (ext == "jpg" || ext == "jpeg") return JpegHeader(in);
  if (ext == "ico") return IcoHeader(in);
  if (ext == "png") return PngHeader(in);
  if (ext == "webp") return WebpHeader(in);
  if (std::find(kIso.begin(), kIso.end(), ext) != kIso.end()) return IsoHeader(in);
  if (std::find(kLibrary.begin(), kLibrary.end(), ext) != kLibrary.end()) return LibraryHeader(in);
  return std::nullopt;
}

PictureHeader HeaderOf(Size size) {
  if (!size) return {};
  return {true, *size};
}

}  // namespace

PictureHeader ReadPictureHeader(std::string_view extension, ByteSource& file) {
  HeaderBytes in(file);
  return HeaderOf(HeaderSize(extension, in));
}

PictureHeader ReadPictureHeader(std::string_view extension, Bytes file) {
  MemorySource source(file);
  return ReadPictureHeader(extension, source);
}

PictureHeader ReadPictureHeaderFile(const std::string& path, const FileOpener& open) {
  const std::string extension = PictureExtension(path);
  if (!HasOwnPictureDecoder(extension)) {
    const SystemCodecs& system = InstalledSystemCodecs();
    if (!system.Reads(extension) || !system.shownSize) return {};
    return HeaderOf(system.shownSize(path));
  }
  const std::unique_ptr<ByteSource> file = open(path);
  if (!file) return {};
  return ReadPictureHeader(extension, *file);
}

}  // namespace codecs
