// Crafted files kept in tests/corpus/hostile: inputs the fuzzers found, and
// the known bombs. Each is refused, or decoded within the picture cap, by the
// road the saver and the preview take; scripts/fuzz also runs every one of
// them through its target under AddressSanitizer.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>

#include "codec_test_support.h"
#include "codecs/colour_profile.h"
#include "codecs/decode_limits.h"
#include "codecs/decode_picture.h"
#include "codecs/heif_decoder.h"
#include "codecs/heif_limits.h"

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

struct BombCase {
  const char* file;
  std::optional<PictureSize> decoded;  // nothing: refused
};

std::string Extension(const std::string& file) { return file.substr(file.rfind('.') + 1); }

class Bombs : public ::testing::TestWithParam<BombCase> {};

// By the saver's road and by the preview's (the fast JPEG decode, and a
// reduced size that takes a HEIF file's thumbnail).
TEST_P(Bombs, AreRefusedOrDecodedWithinTheCap) {
  const BombCase& c = GetParam();
  const ByteVector file = Hostile(c.file);
  const auto box = [](PictureSize) { return PictureSize{168, 168}; };
  for (const std::optional<Image>& image : {DecodePicture(Extension(c.file), file, JpegQuality::Saver),
                                            DecodePicture(Extension(c.file), file, JpegQuality::Thumbnail, box)}) {
    ASSERT_EQ(image.has_value(), c.decoded.has_value()) << c.file;
    if (image) EXPECT_EQ((PictureSize{image->width, image->height}), *c.decoded) << c.file;
  }
}

std::string NameOf(const ::testing::TestParamInfo<BombCase>& info) {
  std::string name = info.param.file;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, Bombs,
    ::testing::Values(
        // 2080 valid scans of 4 megapixels: refused at the 51st.
        BombCase{"jpeg-thousands-of-scans.jpg", std::nullopt},
        // Chunks over the chunk cap are skipped, pixels after the last row ignored.
        BombCase{"png-huge-chunk-length.png", PictureSize{8, 8}},
        BombCase{"png-ztxt-inflate-bomb.png", PictureSize{8, 8}},
        BombCase{"png-iccp-inflate-bomb.png", PictureSize{8, 8}},
        BombCase{"png-idat-inflate-bomb.png", PictureSize{1, 1}},
        BombCase{"png-wider-than-the-cap.png", std::nullopt},
        // Only the first frame is read.
        BombCase{"gif-thousands-of-frames.gif", PictureSize{16, 16}},
        BombCase{"webp-16384x16384.webp", std::nullopt},
        BombCase{"webp-canvas-16384x16384.webp", std::nullopt},
        BombCase{"heic-grid-thousands-of-tiles.heic", std::nullopt},
        BombCase{"heic-grid-of-grids.heic", std::nullopt},
        BombCase{"heic-overlay-canvas-30000x30000.heic", std::nullopt},
        BombCase{"heic-boxes-nested-deep.heic", std::nullopt},
        BombCase{"avif-grid-thousands-of-tiles.avif", std::nullopt},
        BombCase{"avif-16384x16384.avif", std::nullopt},
        BombCase{"avif-16384x16384-said-small.avif", std::nullopt},
        // Found by fuzz_avif: libheif refuses the nclx box's code points and
        // hands over the profile it allocated all the same (a leak a picture).
        BombCase{"avif-nclx-refused-leak.avif", PictureSize{70, 46}},
        // Found by fuzz_heif, fuzz_avif and fuzz_thumbnail: undefined
        // behaviour and a leak in libde265, libheif and its dav1d decoder,
        // mended by our patches to them (scripts/fuzz replays these with the
        // libraries' undefined behaviour fatal).
        BombCase{"heic-coeff-escape-prefix-overlong.heic", PictureSize{70, 46}},
        BombCase{"avif-empty-memory-read.avif", std::nullopt},
        BombCase{"heic-exp-golomb-prefix-overflow.heic", std::nullopt},
        BombCase{"heic-transform-skip-negative-shift.heic", PictureSize{70, 46}},
        BombCase{"heic-empty-nal-copy.heic", std::nullopt},
        BombCase{"avif-empty-av1-item-leak.avif", std::nullopt},
        BombCase{"heic-zero-bit-slice-address.heic", std::nullopt}),
    NameOf);

// The grid bomb's one tile, referenced a thousand times and once more.
TEST(HeifLimits, AGridOfMoreThanAThousandTilesIsRefused) {
  EXPECT_FALSE(HeifWithinLimits(Hostile("heic-grid-thousands-of-tiles.heic")));
  EXPECT_TRUE(HeifWithinLimits(Hostile("heif-alpha-plane-overflow.heic")));
}

// A profile that converts, and the same profile padded beyond the cap.
TEST(ColourProfileLimit, AProfileOverTheCapIsLeftOut) {
  const ByteVector adobe = ReadAll("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
  ASSERT_FALSE(adobe.empty());
  ByteVector padded = adobe;
  padded.resize(kMaxIccProfileBytes + 1);
  for (const auto& [profile, converts] : {std::pair{adobe, true}, std::pair{padded, false}}) {
    Image image(2, 1);
    image.pixels = {0x2080C0, 0x40A060};
    const std::vector<uint32_t> before = image.pixels;
    ConvertIccToSrgb(image, profile);
    EXPECT_EQ(image.pixels != before, converts) << profile.size() << " bytes";
  }
}

}  // namespace
}  // namespace codecs
