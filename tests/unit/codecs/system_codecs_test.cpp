#include "codecs/system_codecs.h"

#include <gmock/gmock.h>

#include "codecs/decode_picture.h"

namespace codecs {
namespace {

using ::testing::ElementsAreArray;

struct ChoiceCase {
  std::vector<std::string> claimed;  // one list per installed decoder
  std::vector<std::string> chosen;
};

class SystemExtensionChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(SystemExtensionChoice, TakesWhatNoneOfOursReadsLowerCasedOnceInOrder) {
  EXPECT_THAT(ChooseSystemExtensions(GetParam().claimed), ElementsAreArray(GetParam().chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Claims, SystemExtensionChoice,
    ::testing::Values(
        // A plain Windows's decoders: only TIFF, JPEG XR, DDS and the names
        // ours do not take are left.
        ChoiceCase{{".bmp,.dib,.rle", ".png", ".ico,.icon", ".jpeg,.jpe,.jpg,.jfif,.exif", ".gif",
                    ".tiff,.tif", ".jxr,.wdp,.wdp", ".dds"},
                   {"dds", "exif", "icon", "jfif", "jpe", "jxr", "tif", "tiff", "wdp"}},
        // Wine's, as it lists them.
        ChoiceCase{{".gif", ".png", ".bmp,.dib,.rle", ".dds", ".jpg;.jpeg;.jfif", ".jxr;.hdp;.wdp", ".tga;.tpic",
                    ".tif;.tiff", ".ico"},
                   {"dds", "hdp", "jfif", "jxr", "tif", "tiff", "tpic", "wdp"}},
        // The system's extensions: RAW, JPEG XL, and HEIF and WebP, ours.
        ChoiceCase{{".ARW,.CR2,.CRW,.DNG,.NEF", ".jxl", ".heic,.heif,.hif,.avif", ".webp"},
                   {"arw", "cr2", "crw", "dng", "jxl", "nef"}},
        // The same claimed twice, in other cases, with spaces, without dots.
        ChoiceCase{{".TIF, .Tiff", "tif,tiff"}, {"tif", "tiff"}},
        // Names no file extension could give.
        ChoiceCase{{"", ".", ",,", ".a*b", ".x?", ".x.y", ".verylong", ".a\\b"}, {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SystemCodecs, InstalledOnesDecodeTheirExtensionsAfterOurs) {
  int calls = 0;
  InstallSystemCodecs({{"tif"}, [&](Bytes bytes) {
                         ++calls;
                         return bytes.empty() ? std::nullopt : std::optional<Image>(Image(2, 1));
                       }});
  const std::vector<uint8_t> file = {1};
  EXPECT_TRUE(HasPictureDecoder("tif"));
  EXPECT_FALSE(HasOwnPictureDecoder("tif"));
  EXPECT_EQ(DecodePicture("tif", file, JpegQuality::Saver)->width, 2);
  EXPECT_FALSE(DecodePicture("tiff", file, JpegQuality::Saver)) << "only the extensions installed";
  EXPECT_EQ(calls, 1);
  InstallSystemCodecs({});
  EXPECT_FALSE(HasPictureDecoder("tif"));
}

}  // namespace
}  // namespace codecs
