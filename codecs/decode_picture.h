#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/jpeg_decoder.h"
#include "codecs/shown_size.h"

namespace codecs {

// Whether an extension (as PictureExtension gives it) has a decoder at all,
// ours or the system's; a caller may skip reading the file when it has none.
bool HasPictureDecoder(std::string_view extension);

// Whether one of our own decoders reads the extension; the system's codecs
// take only the extensions none of ours reads.
bool HasOwnPictureDecoder(std::string_view extension);

// Decodes a picture file's bytes by its extension: "bmp" as a Windows bitmap
// file, "jpg" and "jpeg" as JPEG with the given quality, "jif", "gif", "dib",
// "rle", "tga" and "pcx" through NViewLibLoad, "ico" as an icon, "png" and
// "webp" as those formats, "avif" by our own reader and else through libheif,
// "heic", "heif" and "hif" through libheif, and the extensions of the
// installed system codecs through those. Any other extension, and any file
// that does not decode, gives nothing. With `shown`, JPEG and WebP come
// reduced towards the size the picture is shown at (see ShownSize), HEIF as
// a thumbnail the file holds when that covers it; the others whole.
std::optional<Image> DecodePicture(std::string_view extension, Bytes bytes, JpegQuality quality,
                                   const ShownSize& shown = {});

// Reads a whole file named by a UTF-8 path; nothing when it cannot.
using FileReader = std::function<std::optional<std::vector<uint8_t>>(const std::string& path)>;

// Decodes the file a path names by the path's extension (PictureExtension),
// as DecodePicture does. Nothing when the extension has no decoder (then the
// file is not read at all), or the file cannot be read or decoded.
std::optional<Image> DecodePictureFile(const std::string& path, const FileReader& readFile,
                                       JpegQuality quality, const ShownSize& shown = {});

}  // namespace codecs
