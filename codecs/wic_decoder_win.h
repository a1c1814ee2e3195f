#pragma once
// The system's own imaging codecs (the Windows Imaging Component): the
// formats of the decoders installed on this Windows (TIFF and JPEG XR always;
// RAW, JPEG XL and more with the system's extensions) that none of ours reads.
#include <optional>
#include <string>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// Asks the system for its installed decoders and the extensions they claim
// and installs the choice (see SystemCodecs). Called once at start, before
// anything is read; where the system has no such component nothing changes.
void InstallWicCodecs();

// The first frame of a file the system reads, as 32-bit pixels with alpha
// shown over black, standing as its EXIF orientation says, its embedded
// colour profile converted to sRGB; nothing when the system cannot read it
// or it is over the size cap. Runs on any thread: COM is started on the
// calling thread for the call, if it is not running there already.
std::optional<Image> DecodeWithWic(Bytes bytes);

// The size DecodeWithWic delivers the file a UTF-8 path names at: its first
// frame's size, turned by its EXIF orientation, read without decoding the
// pixels; nothing when the system cannot read it or it is over the size cap.
std::optional<PictureSize> ShownSizeWithWic(const std::string& path);

}  // namespace codecs
