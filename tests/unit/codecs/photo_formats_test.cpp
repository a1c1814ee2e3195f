// PNG, WebP and AVIF against ImageMagick (and libavif's avifenc and avifdec,
// which write the bit depths and transformations ImageMagick cannot, and
// decode AVIF to RGB where ImageMagick hands over the Y'CbCr numbers), with
// the orientation and colour handling every photo format shares.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"

namespace codecs {
namespace {

using namespace codecs::testing;

constexpr const char* kIcc = "/usr/share/color/icc/";

// The photo-like source, the same with an alpha ramp from clear at the left
// to opaque at the right, and a smooth gradient, as PNG files in the suite's
// folder. Each case runs in a process of its own, and cases may run side by
// side: the sources are made in a folder of this process's and then renamed into
// place, so no case reads a source another is writing.
std::string Sources(const std::string& dir) {
  static bool written = false;
  if (!written) {
    const std::string part = dir + "/part-" + std::to_string(::getpid());
    std::filesystem::create_directories(part);
    WritePpm(part + "/src.ppm", PhotoLike(37, 23));
    Convert(part + "/src.ppm " + part + "/src.png");
    Convert(part + "/src.ppm \\( -size 23x37 gradient:black-white -rotate 90 \\) -compose CopyOpacity "
                   "-composite " + part + "/alpha.png");
    Convert("-size 37x23 gradient:'#f04010-#2060e0' " + part + "/smooth.png");
    for (const char* name : {"src.ppm", "src.png", "alpha.png", "smooth.png"}) {
      std::filesystem::rename(part + "/" + name, dir + "/" + name);
    }
    std::filesystem::remove(part);
    written = true;
  }
  return dir;
}

std::optional<Image> Decode(const std::string& path) {
  const std::string ext = path.substr(path.rfind('.') + 1);
  return DecodePicture(ext, ReadAll(path), JpegQuality::Saver);
}

// The independent decode of a file, over black, with ImageMagick's options;
// the numbers as stored, an AVIF's profile left out.
std::optional<Image> Oracle(const std::string& path, const std::string& options) {
  std::string readable = path;
  if (path.ends_with(".avif")) {
    readable = path + ".png";
    if (!codecs::testing::Run("avifdec --ignore-icc " + path + " " + readable + " >/dev/null 2>&1")) return std::nullopt;
  }
  return ConvertDecode(readable + "[0]", "-background black -flatten " + options);
}

struct FormatCase {
  const char* name;     // file name, its extension choosing the decoder
  const char* source;   // src.png or alpha.png
  const char* command;  // shell command writing $out from $in
  int tolerance;
};

class PhotoFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PhotoFormats, MatchImageMagickOverBlack) {
  const std::string dir = Sources(FixtureDir("photo_formats"));
  const FormatCase& c = GetParam();
  const std::string out = dir + "/" + c.name;
  ASSERT_TRUE(codecs::testing::Run("in=" + dir + "/" + c.source + " out=" + out + "; " + c.command + " >/dev/null 2>&1"))
      << c.command;
  EXPECT_TRUE(SameImage(Decode(out), Oracle(out, ""), c.tolerance));
}

#define PNG(bits, type) "convert $in -define png:bit-depth=" #bits " -define png:color-type=" #type
INSTANTIATE_TEST_SUITE_P(
    Variants, PhotoFormats,
    ::testing::Values(
        FormatCase{"grey1.png", "src.png", PNG(1, 0) " -colorspace Gray $out", 0},
        FormatCase{"grey2.png", "src.png", PNG(2, 0) " -colorspace Gray $out", 0},
        FormatCase{"grey4.png", "src.png", PNG(4, 0) " -colorspace Gray $out", 0},
        FormatCase{"grey8.png", "src.png", PNG(8, 0) " -colorspace Gray $out", 0},
        FormatCase{"grey16.png", "src.png", PNG(16, 0) " -colorspace Gray $out", 1},
        FormatCase{"rgb8.png", "src.png", PNG(8, 2) " $out", 0},
        FormatCase{"rgb16.png", "src.png", PNG(16, 2) " $out", 1},
        FormatCase{"palette1.png", "src.png", PNG(1, 3) " -colors 2 $out", 0},
        FormatCase{"palette2.png", "src.png", PNG(2, 3) " -colors 4 $out", 0},
        FormatCase{"palette4.png", "src.png", PNG(4, 3) " -colors 16 $out", 0},
        FormatCase{"palette8.png", "src.png", PNG(8, 3) " -colors 200 $out", 0},
        FormatCase{"palette_trns.png", "alpha.png", "convert $in -channel A -threshold 50% +channel png8:$out", 1},
        FormatCase{"grey_alpha8.png", "alpha.png", PNG(8, 4) " -colorspace Gray $out", 1},
        FormatCase{"grey_alpha16.png", "alpha.png", PNG(16, 4) " -colorspace Gray $out", 1},
        FormatCase{"rgba8.png", "alpha.png", PNG(8, 6) " $out", 1},
        FormatCase{"rgba16.png", "alpha.png", PNG(16, 6) " $out", 1},
        FormatCase{"rgb_trns.png", "src.png", "convert $in -transparent '#808080' -fuzz 30% png24:$out", 1},
        FormatCase{"adam7.png", "alpha.png", "convert $in -interlace PNG $out", 1},
        FormatCase{"lossy.webp", "src.png", "convert $in -quality 80 $out", 1},
        FormatCase{"lossless.webp", "src.png", "convert $in -define webp:lossless=true $out", 0},
        FormatCase{"lossy_alpha.webp", "alpha.png", "convert $in -quality 80 $out", 1},
        FormatCase{"lossless_alpha.webp", "alpha.png", "convert $in -define webp:lossless=true $out", 1},
        FormatCase{"animated.webp", "src.png",
                   "convert -delay 10 $in \\( $in -negate \\) -loop 0 -define webp:lossless=true $out", 0},
        FormatCase{"avif8.avif", "src.png", "avifenc -s 10 -y 444 -d 8 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif10.avif", "src.png", "avifenc -s 10 -y 444 -d 10 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif12.avif", "src.png", "avifenc -s 10 -y 444 -d 12 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif_alpha.avif", "alpha.png", "avifenc -s 10 -y 444 -d 8 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif420.avif", "src.png", "avifenc -s 10 -y 420 -d 8 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif422.avif", "src.png", "avifenc -s 10 -y 422 -d 8 --min 0 --max 0 $in $out", 2},
        FormatCase{"avif_magick.avif", "smooth.png", "convert $in -quality 90 $out", 2}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return n;
    });
#undef PNG

// Each EXIF orientation (and AVIF's irot and imir amounting to it) turns the
// picture as ImageMagick's -auto-orient does: for JPEG as it reads the tag
// ExifTool wrote, for the others as told the same orientation.
class PhotoOrientation : public ::testing::TestWithParam<int> {};

TEST_P(PhotoOrientation, StandsAsImageMagickTurnsIt) {
  constexpr const char* kNames[9] = {"",         "TopLeft",  "TopRight",    "BottomRight", "BottomLeft",
                                     "LeftTop", "RightTop", "RightBottom", "LeftBottom"};
  // irot counts quarter turns anticlockwise; imir 0 mirrors left to right.
  constexpr const char* kAvifTransform[9] = {"",         "",         "--imir 0",          "--irot 2",
                                             "--imir 1", "--irot 1 --imir 1", "--irot 3", "--irot 3 --imir 1",
                                             "--irot 1"};
  const std::string dir = Sources(FixtureDir("photo_formats"));
  const int o = GetParam();
  const std::string n = std::to_string(o);
  const std::string turn = std::string("-orient ") + kNames[o] + " -auto-orient";
  for (const char* ext : {"jpg", "png", "webp"}) {
    const std::string out = dir + "/orient" + n + "." + ext;
    const std::string quality = std::string(ext) == "webp" ? " -define webp:lossless=true" : " -quality 95";
    ASSERT_TRUE(Convert(dir + "/src.png" + quality + " " + out));
    ASSERT_TRUE(codecs::testing::Run("exiftool -q -overwrite_original -Orientation#=" + n + " " + out)) << ext;
    const std::optional<Image> expected =
        std::string(ext) == "jpg" ? ConvertDecode(out, "-auto-orient") : Oracle(dir + "/src.png", turn);
    EXPECT_TRUE(SameImage(Decode(out), expected, 0)) << ext << " orientation " << o;
  }
  const std::string avif = dir + "/orient" + n + ".avif";
  const std::string plain = dir + "/orient_plain.avif";
  for (const auto& [file, options] : {std::pair{avif, std::string(kAvifTransform[o])}, std::pair{plain, std::string()}}) {
    ASSERT_TRUE(codecs::testing::Run("avifenc -s 10 -y 444 --min 0 --max 0 " + options + " " + dir + "/src.png " +
                                     file + " >/dev/null 2>&1"));
  }
  EXPECT_TRUE(SameImage(Decode(avif), Oracle(plain, turn), 1)) << "avif orientation " << o;
}

INSTANTIATE_TEST_SUITE_P(AllEight, PhotoOrientation, ::testing::Range(1, 9));

// A profile embedded with the numbers as they are: ImageMagick's conversion
// of those numbers to sRGB is the expected picture; a broken profile and
// sRGB's own leave the numbers as they are.
struct ProfileCase {
  const char* name;
  const char* profile;  // a file under /usr/share/color/icc, or a broken one
  const char* command;  // writes $out from $in with $icc embedded
};

class PhotoProfiles : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(PhotoProfiles, ConvertToSrgbAsImageMagickDoes) {
  const std::string dir = Sources(FixtureDir("photo_formats"));
  const ProfileCase& c = GetParam();
  const bool broken = std::string(c.profile) == "broken";
  const bool untouched = broken || std::string(c.profile) == "sRGB.icc";
  std::string icc = std::string(kIcc) + c.profile;
  if (broken) {
    icc = dir + "/broken.icc";
    ByteVector bytes = ReadAll(std::string(kIcc) + "compatibleWithAdobeRGB1998.icc");
    bytes.resize(200);
    WriteAll(icc, bytes);
  }
  const std::string out = dir + "/" + c.name;
  ASSERT_TRUE(codecs::testing::Run("in=" + dir + "/src.png out=" + out + " icc=" + icc + "; " + c.command + " >/dev/null 2>&1"))
      << c.command;
  // The file's own numbers, as the independent decoder gives them without
  // the profile, converted by ImageMagick from the profile to sRGB.
  const std::string numbers = dir + "/numbers_" + c.name + ".tif";
  const std::optional<Image> raw = Oracle(out, "+profile '*'");
  ASSERT_TRUE(raw);
  WritePpm(numbers + ".ppm", *raw);
  ASSERT_TRUE(Convert(numbers + ".ppm -profile " + icc + " " + numbers));
  const std::optional<Image> expected =
      untouched ? raw : ConvertDecode(numbers, std::string("-profile ") + kIcc + "sRGB.icc");
  EXPECT_TRUE(SameImage(Decode(out), expected, untouched ? 0 : 3));
}

INSTANTIATE_TEST_SUITE_P(
    Embedded, PhotoProfiles,
    ::testing::Values(
        ProfileCase{"adobe.png", "compatibleWithAdobeRGB1998.icc", "convert $in -profile $icc $out"},
        ProfileCase{"adobe.jpg", "compatibleWithAdobeRGB1998.icc", "convert $in -quality 98 -profile $icc $out"},
        ProfileCase{"adobe.webp", "compatibleWithAdobeRGB1998.icc",
                    "convert $in -define webp:lossless=true -profile $icc $out"},
        ProfileCase{"adobe.avif", "compatibleWithAdobeRGB1998.icc",
                    "avifenc -s 10 --lossless --icc $icc $in $out"},
        ProfileCase{"lstar.png", "LStar-RGB.icc", "convert $in -profile $icc $out"},
        ProfileCase{"srgb.jpg", "sRGB.icc", "convert $in -quality 98 -profile $icc $out"},
        ProfileCase{"broken.avif", "broken", "avifenc -s 10 --lossless --icc $icc $in $out"}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return n;
    });

}  // namespace
}  // namespace codecs
