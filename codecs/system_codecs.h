#pragma once
// Pictures the system itself can read (on Windows, through its imaging
// component) in formats none of our decoders reads. At start the program
// asks the system which extensions its decoders claim and installs the
// choice here, before anything is read; from then on it is only read, from
// any thread. Until then, and where the system has no codecs, there are none.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

struct SystemCodecs {
  std::vector<std::string> extensions;  // lower-case, without the dot, in mask order
  std::function<std::optional<Image>(Bytes)> decode;
  // The size `decode` delivers the picture a UTF-8 path names at, read
  // without decoding its pixels; nothing when the system cannot tell.
  std::function<std::optional<PictureSize>(const std::string& path)> shownSize = {};

  bool Reads(std::string_view extension) const;
};

// The extensions to take from the system's decoders, given the list each
// decoder claims as the system gives it (".tiff,.TIF"; Wine separates them
// with ";"): those none of our
// decoders reads, lower-cased, each once, in alphabetical order, so the
// masks do not change with the order the system lists its decoders in.
// Names the extension rule could never pick (empty, longer than 7 bytes, or
// holding a wildcard, a dot or a separator) are left out.
std::vector<std::string> ChooseSystemExtensions(const std::vector<std::string>& claimed);

void InstallSystemCodecs(SystemCodecs codecs);
const SystemCodecs& InstalledSystemCodecs();

}  // namespace codecs
