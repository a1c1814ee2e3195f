// Crafted files kept in tests/corpus/hostile: inputs the fuzzers found, and
// the known bombs. Each is refused, or decoded within the picture cap, by the
// road the saver and the preview take; scripts/fuzz also runs every one of
// them through its target under AddressSanitizer.
#include <gtest/gtest.h>

#include <string>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"
#include "codecs/heif_decoder.h"

namespace codecs {
namespace {

using namespace codecs::testing;

ByteVector Hostile(const std::string& name) {
  const ByteVector bytes = ReadAll(std::string(TOLVEX_SOURCE_DIR) + "/tests/corpus/hostile/" + name);
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

// The thumbnail's colour stream decodes to 64 x 80, its alpha stream to the
// 64 x 64 both declare: the alpha is left out rather than read past its end.
TEST(HostileHeif, AThumbnailWithAShortAlphaPlaneShowsOpaque) {
  const ByteVector file = Hostile("heif-alpha-plane-overflow.heic");
  const std::optional<Image> whole = DecodeHeif(file);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->width, 72);
  EXPECT_EQ(whole->height, 72);
  const std::optional<Image> preview = DecodeHeif(file, [](PictureSize) { return PictureSize{24, 24}; });
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->width, 64);
  EXPECT_EQ(preview->height, 80);
}

}  // namespace
}  // namespace codecs
