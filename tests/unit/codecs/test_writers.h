#pragma once
// Small writers for the fixture variants ImageMagick does not write itself
// (TGA origins and 15/16 bits, PCX planes and versions, GIF layouts). Their
// output is decoded by ImageMagick for the expected pixels, so a writer bug
// shows up as a disagreement, not as a silent pass.
#include <cstdint>
#include <vector>

#include "codec_test_support.h"

namespace codecs::testing {

// A picture of at most 16 colours (a 256-colour one when many is true), with
// its palette; indices are row-major, top row first.
struct IndexedPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
};
IndexedPicture MakeIndexed(int32_t width, int32_t height, bool many);

struct TgaOptions {
  int type = 2;  // 1, 2, 3, 9, 10, 11
  int depth = 24;
  bool topDown = false;
  bool rightToLeft = false;
  int mapDepth = 24;  // for colour-mapped pictures
  uint16_t mapFirst = 0;
};
ByteVector WriteTga(const IndexedPicture& picture, const TgaOptions& options);

struct PcxOptions {
  int bits = 8;    // bits per pixel of a plane
  int planes = 1;  // 1, 3 or 4
  int version = 5;
  bool rle = true;
  int extraLineBytes = 0;  // padding beyond the even width
};
ByteVector WritePcx(const IndexedPicture& picture, const PcxOptions& options);

struct GifOptions {
  int screenWidth = 0;  // 0: the picture's size
  int screenHeight = 0;
  int left = 0;
  int top = 0;
  bool interlaced = false;
  int transparent = -1;
  bool localMap = false;
  int mapBits = 4;  // 2^mapBits colours in the map
  bool secondFrame = false;
};
ByteVector WriteGif(const IndexedPicture& picture, const GifOptions& options);

}  // namespace codecs::testing
