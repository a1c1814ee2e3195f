#pragma once
// The saver's decoder: a picture file read through the wide API and decoded
// by its extension, JPEG with the accurate DCT, reduced while decoding towards
// the size `shown` gives where the format allows.
#include <optional>
#include <string>

#include "codecs/image.h"
#include "codecs/picture_header.h"
#include "codecs/shown_size.h"

namespace app {

// Nothing when the extension has no decoder, the file cannot be read, or
// decoding fails in any way, exceptions included: a bad file never ends the
// show, it shows the sample picture instead.
std::optional<codecs::Image> DecodePictureFile(const std::string& path,
                                               const codecs::ShownSize& shown);

// The picture's header, read on the reader as the decoder will read the
// file; unread when the file cannot be read.
codecs::PictureHeader ReadPictureFileHeader(const std::string& path);

}  // namespace app
