#pragma once
// Writes HEIF files the encoders at hand do not: a grid of coded tiles, the
// transformation properties irot and imir, an EXIF item, assembled from
// files heif-enc wrote (one coded image each, without thumbnail or metadata).
#include <string>
#include <vector>

#include "codec_test_support.h"

namespace codecs::testing {

struct HeifLayout {
  std::vector<std::string> tiles;  // heif-enc files, row by row; one for a plain coded image
  int columns = 1;                 // more than one tile: a grid of this many columns
  int width = 0, height = 0;       // the grid's size
  int irot = -1;                   // quarter turns anticlockwise; -1 for none
  int imir = -1;                   // 0: left and right change places, 1: top and bottom; -1 for none
  ByteVector exif;                 // an EXIF item's data (offset header and TIFF); empty for none
  ByteVector colr;                 // the primary item's colr box body; empty for the tiles' own
};

ByteVector AssembleHeif(const HeifLayout& layout);

}  // namespace codecs::testing
