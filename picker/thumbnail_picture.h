#pragma once
#include <optional>
#include <string>

#include "codecs/decode_picture.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace picker {

using FileReader = codecs::FileReader;

// Decodes a file for the preview with the decoders the saver uses, chosen by
// the same extension rule, except that JPEG is decoded from half scale with
// the fast DCT (and, with `shown`, further reduced while decoding, as far as
// the box allows). Nothing when the file cannot be read or decoded or its
// extension has no decoder (then the file is not read at all).
std::optional<codecs::Image> DecodeThumbnailPicture(const std::string& path,
                                                    const FileReader& readFile,
                                                    const codecs::ShownSize& shown);

}  // namespace picker
