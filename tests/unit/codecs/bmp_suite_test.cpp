// The BMP suite: good files must decode exactly, questionable files must
// match an accepted rendering or be refused, bad files must be refused or
// decoded within bounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "codec_test_support.h"
#include "codecs/decode_limits.h"
#include "codecs/dib_decoder.h"

namespace codecs {
namespace {

using namespace codecs::testing;

const std::string kSuite = std::string(TOLVEX_SOURCE_DIR) + "/../shared/corpus/bmpsuite";

std::map<std::string, std::vector<std::string>> ReadMap() {
  std::ifstream in(kSuite + "/reference/map.json");
  std::stringstream text;
  text << in.rdbuf();
  const std::string json = text.str();
  std::map<std::string, std::vector<std::string>> map;
  const std::regex entry(R"re("([^"]+)"\s*:\s*\[([^\]]*)\])re");
  const std::regex name(R"re("([^"]+)")re");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), entry); it != std::sregex_iterator(); ++it) {
    const std::string list = (*it)[2];
    std::vector<std::string>& refs = map[(*it)[1]];
    for (auto n = std::sregex_iterator(list.begin(), list.end(), name); n != std::sregex_iterator(); ++n) {
      refs.push_back((*n)[1]);
    }
  }
  return map;
}

// tolerance allows renderings that scale unusual channel widths (7, 11, 18
// bits) to 8 bits by another rule, one level apart.
::testing::AssertionResult MatchesAnyReference(const Image& image, const std::vector<std::string>& refs,
                                               int tolerance = 0) {
  ::testing::AssertionResult result = ::testing::AssertionFailure() << "no reference";
  for (const std::string& ref : refs) {
    // Transparent parts are shown over black; blending may round differently.
    const std::string path = kSuite + "/reference/" + ref;
    std::optional<ByteVector> alpha = Capture("/usr/bin/identify -format %A '" + path + "'");
    const bool blended = alpha && !alpha->empty() && ((*alpha)[0] == 'T' || (*alpha)[0] == 'B');
    result = SameImage(image, ConvertDecode(path, "-background black -flatten"), std::max(tolerance, blended ? 1 : 0));
    if (result) return result;
  }
  return result;
}

class BmpSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kSuite + "/reference/map.json")) {
      GTEST_SKIP() << "BMP suite not found at " << kSuite << "; skipping the conformance cases";
    }
  }
};

TEST_F(BmpSuite, GoodFilesDecodeExactly) {
  int checked = 0;
  for (const auto& [file, refs] : ReadMap()) {
    if (file.rfind("g/", 0) != 0) continue;
    std::optional<Image> image = DecodeBmpFile(ReadAll(kSuite + "/" + file));
    ASSERT_TRUE(image) << file;
    EXPECT_TRUE(MatchesAnyReference(*image, refs)) << file;
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

TEST_F(BmpSuite, QuestionableFilesMatchAnAcceptedRenderingOrAreRefused) {
  std::string refused;
  for (const auto& [file, refs] : ReadMap()) {
    if (file.rfind("q/", 0) != 0 || !std::filesystem::exists(kSuite + "/" + file)) continue;
    std::optional<Image> image = DecodeBmpFile(ReadAll(kSuite + "/" + file));
    if (!image) {
      refused += " " + file;
      continue;
    }
    // Embedded colour profiles are not applied; this file relies on one.
    if (file == "q/rgb24prof2.bmp") continue;
    EXPECT_TRUE(MatchesAnyReference(*image, refs, 1)) << file;
  }
  std::cout << "refused questionable files:" << refused << "\n";
}

TEST_F(BmpSuite, BadFilesAreRefusedOrBounded) {
  for (const auto& [file, refs] : ReadMap()) {
    if (file.rfind("b/", 0) != 0 || !std::filesystem::exists(kSuite + "/" + file)) continue;
    std::optional<Image> image = DecodeBmpFile(ReadAll(kSuite + "/" + file));
    if (image) {
      EXPECT_TRUE(SizeAllowed(image->width, image->height)) << file;
      EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height)) << file;
      std::cout << "decoded bad file " << file << " at " << image->width << "x" << image->height << "\n";
    }
  }
}

}  // namespace
}  // namespace codecs
