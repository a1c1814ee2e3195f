// The header's size against the size the full decoder delivers, on the same
// file, for every format and every way a file turns its picture; files whose
// header does not read; and how little of a file the header costs.
#include "codecs/picture_header.h"

#include <gtest/gtest.h>

#include <string>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"
#include "codecs/file_source.h"
#include "codecs/picture_extension.h"
#include "codecs/system_codecs.h"

namespace codecs {
namespace {

using namespace codecs::testing;

// A landscape source (48 x 32) and a portrait one (30 x 44).
std::string Sources() {
  static const std::string dir = [] {
    const std::string d = FixtureDir("picture_header");
    WritePpm(d + "/wide.ppm", PhotoLike(48, 32));
    WritePpm(d + "/tall.ppm", PhotoLike(30, 44));
    Convert(d + "/wide.ppm " + d + "/wide.png");
    Convert(d + "/tall.ppm " + d + "/tall.png");
    return d;
  }();
  return dir;
}

struct HeaderCase {
  const char* name;     // the file's name; its extension chooses header reader and decoder
  const char* command;  // writes $out from $wide or $tall (PNG files) in the folder $dir
  bool portrait;        // as the picture stands once its decoder has turned it
};

class HeaderAgainstDecoder : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderAgainstDecoder, GivesTheSizeTheDecoderDelivers) {
  const std::string dir = Sources();
  const HeaderCase& c = GetParam();
  const std::string out = dir + "/" + c.name;
  ASSERT_TRUE(codecs::testing::Run("cd " + dir + " && dir=" + dir + " wide=wide.png tall=tall.png out=" + out + "; (" + c.command +
                  ") >/dev/null 2>&1"))
      << c.command;
  const std::optional<Image> decoded = DecodePicture(PictureExtension(out), ReadAll(out), JpegQuality::Saver);
  ASSERT_TRUE(decoded) << c.name;
  const PictureHeader header = ReadPictureHeaderFile(out, codecs::OpenFileSource);
  ASSERT_TRUE(header.read) << c.name;
  EXPECT_EQ(header.size, (PictureSize{decoded->width, decoded->height})) << c.name;
  EXPECT_EQ(header.portrait(), c.portrait) << c.name;
}

#define EXIF(n) " && exiftool -q -overwrite_original -Orientation#=" #n " $out"
#define HEIF_TILES "convert $wide -resize 64x64! -define png:color-type=2 t.png && heif-enc -q 50 t.png -o t.heic && "
#define HEIF_GRID "--columns 2 --width 100 --height 64"
#define HEIF_ASSEMBLE TOLVEX_SOURCE_DIR "/tests/support/heif-assemble $out "
INSTANTIATE_TEST_SUITE_P(
    Formats, HeaderAgainstDecoder,
    ::testing::Values(
        HeaderCase{"plain.jpg", "convert $wide -quality 90 $out", false},
        HeaderCase{"tall.jpeg", "convert $tall -interlace JPEG $out", true},
        HeaderCase{"orient3.jpg", "convert $wide $out" EXIF(3), false},
        HeaderCase{"orient6.jpg", "convert $wide $out" EXIF(6), true},
        HeaderCase{"orient8.jpg", "convert $wide $out" EXIF(8), true},
        HeaderCase{"tall_orient5.jpg", "convert $tall $out" EXIF(5), false},
        HeaderCase{"plain.png", "convert $wide $out", false},
        HeaderCase{"orient6.png", "convert $wide $out" EXIF(6), true},
        HeaderCase{"orient7.png", "convert $tall $out" EXIF(7), false},
        HeaderCase{"lossy.webp", "convert $wide -quality 80 $out", false},
        HeaderCase{"lossless.webp", "convert $tall -define webp:lossless=true $out", true},
        HeaderCase{"orient6.webp", "convert $wide -define webp:lossless=true $out" EXIF(6), true},
        HeaderCase{"animated.webp", "convert -delay 10 $wide \\( $wide -negate \\) -loop 0 $out", false},
        HeaderCase{"plain.avif", "avifenc -s 10 $wide $out", false},
        HeaderCase{"irot1.avif", "avifenc -s 10 --irot 1 $wide $out", true},
        HeaderCase{"irot2_imir.avif", "avifenc -s 10 --irot 2 --imir 0 $wide $out", false},
        HeaderCase{"irot3_imir.avif", "avifenc -s 10 --irot 3 --imir 1 $tall $out", false},
        HeaderCase{"plain.heic", "heif-enc -q 50 $wide -o $out", false},
        HeaderCase{"tall.heif", "heif-enc -q 50 $tall -o $out", true},
        // A phone's HEIC: turned by irot, its EXIF orientation not applied
        // again; a half turn and a mirroring leave it lying. (Two coded tiles
        // make a grid of 100 x 64.)
        HeaderCase{"irot3_exif6.heic", HEIF_TILES HEIF_ASSEMBLE "t.heic t.heic " HEIF_GRID " --irot 3 --exif-orientation 6",
                   true},
        HeaderCase{"irot2.hif", HEIF_TILES HEIF_ASSEMBLE "t.heic t.heic " HEIF_GRID " --irot 2 --imir 0", false},
        HeaderCase{"irot1_imir.heic", HEIF_TILES HEIF_ASSEMBLE "t.heic t.heic " HEIF_GRID " --irot 1 --imir 1", true},
        HeaderCase{"plain.bmp", "convert $wide bmp3:$out", false},
        HeaderCase{"alpha.bmp", "convert $tall -alpha set bmp:$out", true},
        HeaderCase{"core.dib", "convert $tall bmp2:$out", true},
        HeaderCase{"packed.dib", "convert $wide bmp3:- | tail -c +15 >$out", false},
        HeaderCase{"rle8.rle", "convert $tall +dither -colors 200 -compress RLE bmp3:$out", true},
        HeaderCase{"plain.gif", "convert $tall $out", true},
        HeaderCase{"interlaced.gif", "convert $wide -interlace GIF $out", false},
        HeaderCase{"plain.tga", "convert $tall $out", true},
        HeaderCase{"rle.tga", "convert $wide -compress RLE $out", false},
        HeaderCase{"palette.tga", "convert $wide -type Palette $out", false},
        HeaderCase{"plain.pcx", "convert $tall $out", true},
        HeaderCase{"palette.pcx", "convert $wide -type Palette $out", false},
        // The picture library tells its formats by their content.
        HeaderCase{"jpeg.jif", "convert $wide jpg:$out" EXIF(6), true},
        HeaderCase{"bitmap.tga", "convert $tall bmp3:$out", true},
        HeaderCase{"gif.pcx", "convert $wide gif:$out", false},
        HeaderCase{"pcx.dib", "convert $tall pcx:$out", true},
        HeaderCase{"sizes.ico", "convert $tall \\( $tall -resize 15x22! \\) $out", true},
        HeaderCase{"wide.ico", "convert $wide -resize 32x16! $out", false}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == '.') ch = '_';
      }
      return name;
    });

struct UnreadCase {
  const char* extension;
  std::vector<uint8_t> bytes;
};

class UnreadableHeader : public ::testing::TestWithParam<UnreadCase> {};

TEST_P(UnreadableHeader, CountsAsLandscapeAndFails) {
  const PictureHeader header = ReadPictureHeader(GetParam().extension, GetParam().bytes);
  EXPECT_FALSE(header.read);
  EXPECT_FALSE(header.portrait());
}

std::vector<uint8_t> Text(std::string_view s) { return {s.begin(), s.end()}; }

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableHeader,
    ::testing::Values(UnreadCase{"jpg", {}},
                      // A frame header that says 0 x 0.
                      UnreadCase{"jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0, 0xFF, 0xDA, 0, 2}},
                      // A scan before any frame header.
                      UnreadCase{"jpg", {0xFF, 0xD8, 0xFF, 0xDA, 0, 2}},
                      // A segment that runs past the end.
                      UnreadCase{"jpeg", {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xF0, 'E', 'x'}},
                      UnreadCase{"png", Text("\x89PNG\r\n\x1A\n")},
                      UnreadCase{"webp", Text("RIFF\x10\0\0\0WEBPVP8X")},
                      UnreadCase{"heic", Text(std::string("\0\0\0\x10" "ftypheic\0\0\0\0", 16))},
                      // A meta box that says it is larger than the file.
                      UnreadCase{"avif", Text(std::string("\0\0\0\x08" "ftyp\0\0\x10\0meta", 16))},
                      UnreadCase{"bmp", Text("BM")},
                      UnreadCase{"gif", Text("GIF89a\x10\0\x10\0")},
                      UnreadCase{"tga", {0, 0, 2, 0, 0}},
                      UnreadCase{"pcx", {0x0A, 5, 1, 8}},
                      UnreadCase{"ico", {0, 0, 1, 0, 1, 0}},
                      UnreadCase{"txt", Text("GIF89a")}));

// A source that counts what is read from it.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(Bytes bytes) : memory_(bytes) {}
  uint64_t size() const override { return memory_.size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) override {
    ++reads;
    bytesRead += out.size();
    return memory_.ReadAt(offset, out);
  }
  int reads = 0;
  uint64_t bytesRead = 0;

 private:
  MemorySource memory_;
};

// The EXIF block of a WebP follows its image data, at the end of the file;
// a HEIC's meta box may follow its coded data. Neither makes the header read
// the data between.
TEST(PictureHeaderReads, SkipThePixelsToTheBlocksThatFollowThem) {
  const std::string dir = Sources();
  ASSERT_TRUE(Convert("-size 1500x1000 plasma:red-blue -define webp:lossless=true " + dir + "/large.webp"));
  ASSERT_TRUE(codecs::testing::Run("exiftool -q -overwrite_original -Orientation#=6 " + dir + "/large.webp"));
  ASSERT_TRUE(Convert("-size 1500x1000 plasma:red-blue -quality 95 " + dir + "/large.jpg"));
  ASSERT_TRUE(codecs::testing::Run("exiftool -q -overwrite_original -Orientation#=8 " + dir + "/large.jpg"));
  for (const char* name : {"large.webp", "large.jpg"}) {
    const ByteVector bytes = ReadAll(dir + "/" + name);
    ASSERT_GT(bytes.size(), 300u << 10) << name;
    CountingSource source(bytes);
    const PictureHeader header = ReadPictureHeader(PictureExtension(name), source);
    EXPECT_TRUE(header.read && header.portrait()) << name;
    EXPECT_EQ(header.size, (PictureSize{1000, 1500})) << name;
    EXPECT_LE(source.bytesRead, 2u * (64u << 10)) << name;
  }
}

TEST(PictureHeaderReads, StopWithinTheirBudget) {
  // A JPEG of nothing but empty segments, each a read of its own: the header
  // reads give up after their budget, long before the end.
  ByteVector bytes = {0xFF, 0xD8};
  while (bytes.size() < 8u << 20) {
    bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, 0xFF});
    bytes.resize(bytes.size() + 0xFFFD);
  }
  CountingSource source(bytes);
  EXPECT_FALSE(ReadPictureHeader("jpg", source).read);
  EXPECT_LE(source.reads, kMaxHeaderReads);
  EXPECT_LE(source.bytesRead, kMaxHeaderBytes);
}

TEST(PictureHeaderFile, AsksTheSystemCodecsForTheirExtensions) {
  const std::string path = Sources() + "/picture.tif";
  WriteAll(path, {1, 2, 3});
  InstallSystemCodecs({{"tif"}, [](Bytes) { return std::optional<Image>(); },
                       [](const std::string& file) {
                         return file.ends_with("picture.tif") ? std::optional<PictureSize>(PictureSize{30, 40})
                                                              : std::nullopt;
                       }});
  const PictureHeader header = ReadPictureHeaderFile(path, codecs::OpenFileSource);
  EXPECT_TRUE(header.read && header.portrait());
  EXPECT_FALSE(ReadPictureHeaderFile(Sources() + "/picture.tiff", codecs::OpenFileSource).read)
      << "only the extensions installed";
  InstallSystemCodecs({});
  EXPECT_FALSE(ReadPictureHeaderFile(path, codecs::OpenFileSource).read);
  EXPECT_FALSE(ReadPictureHeaderFile(Sources() + "/missing.jpg", codecs::OpenFileSource).read);
}

}  // namespace
}  // namespace codecs
