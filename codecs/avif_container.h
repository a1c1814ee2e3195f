#pragma once
// The parts of an AVIF file (an ISO base media file holding HEIF image items)
// a still picture needs: the coded AV1 data of the primary item and of its
// alpha plane, and the properties that say how to show them.
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/colour_profile.h"

namespace codecs {

struct AvifNclx {
  CodedColour colour;
  int matrix = 2;
  bool fullRange = false;
};

struct AvifContainer {
  std::vector<uint8_t> colourData;  // AV1 OBUs of the primary item
  std::vector<uint8_t> alphaData;   // of its alpha auxiliary item; empty without one
  bool alphaPremultiplied = false;
  std::vector<uint8_t> iccProfile;  // from a "prof" or "rICC" colr box
  std::optional<AvifNclx> nclx;     // from an "nclx" colr box
  int orientation = 1;              // irot and imir as the EXIF orientation they amount to
};

// Nothing when the file is not an AVIF still picture whose primary item is a
// single AV1 image (grids and other derived items are not read), or when any
// box or extent it needs lies outside the file.
std::optional<AvifContainer> ReadAvifContainer(Bytes file);

}  // namespace codecs
