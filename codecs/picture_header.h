#pragma once
// Whether a picture stands or lies, known before it is decoded: the size its
// header states, turned as its decoder turns the picture (by the EXIF
// orientation for JPEG, PNG and WebP; by `irot` for HEIF and AVIF, whose EXIF
// orientation the decoders do not apply again). Only the few parts of the
// file that say it are read, through bounded reads: at most kMaxHeaderReads
// reads of at most kMaxHeaderRead bytes each, kMaxHeaderBytes in all.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "codecs/byte_reader.h"
#include "codecs/byte_source.h"
#include "codecs/shown_size.h"

namespace codecs {

inline constexpr size_t kMaxHeaderRead = size_t(1) << 20;
inline constexpr int kMaxHeaderReads = 64;
inline constexpr uint64_t kMaxHeaderBytes = uint64_t(4) << 20;

struct PictureHeader {
  // False when the header could not be read; the picture then counts as
  // landscape, and reading it fails as it always did.
  bool read = false;
  // The size the decoder delivers the whole picture at, standing upright.
  PictureSize size;

  bool portrait() const { return read && size.height > size.width; }
};

// The header of a picture whose extension (as PictureExtension gives it)
// chooses the decoder as DecodePicture does: "bmp", "jpg" and "jpeg", the
// picture library's "jif", "gif", "dib", "rle", "tga" and "pcx" (told by the
// content as the library tells them), "ico", "png", "webp", "avif", "heic",
// "heif" and "hif". A PNG's orientation counts only when its eXIf chunk comes
// before the pixels, where writers put it; a HEIF item's clean aperture is
// not taken off. The system's codecs read files only by their path (see
// ReadPictureHeaderFile); here they, and every other extension, fail.
PictureHeader ReadPictureHeader(std::string_view extension, ByteSource& file);
PictureHeader ReadPictureHeader(std::string_view extension, Bytes file);

// Opens the file a UTF-8 path names for reading parts of it; null when it
// cannot (OpenFileSource is the program's).
using FileOpener = std::function<std::unique_ptr<ByteSource>(const std::string& path)>;

// The header of the file a UTF-8 path names, by the path's extension; the
// extensions of the installed system codecs through those, which open the
// file themselves.
PictureHeader ReadPictureHeaderFile(const std::string& path, const FileOpener& open);

}  // namespace codecs
