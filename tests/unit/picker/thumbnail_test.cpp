// The preview with the real decoders: what is decoded at which size, where
// the box goes, and the fallback picture for anything that cannot be shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "codecs/file_bytes.h"
#include "fake_controls.h"
#include "picker/thumbnail.h"
#include "picker/thumbnail_picture.h"
#include "picture_files.h"

namespace picker::test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kFallbackColour = 0x123456;

struct FakeImageBox : ImageBoxView {
  int32_t left = -1, top = -1, width = -1, height = -1;
  codecs::Image picture;
  bool visible = false;
  void SetBounds(int32_t l, int32_t t, int32_t w, int32_t h) override {
    left = l, top = t, width = w, height = h;
  }
  void SetPicture(codecs::Image p) override { picture = std::move(p); }
  void SetVisible(bool v) override { visible = v; }
};

std::optional<codecs::Image> Decode(const std::string& path, const codecs::ShownSize& shown = {}) {
  return DecodeThumbnailPicture(path, [](const std::string& file) { return codecs::ReadFileBytes(file); }, shown);
}

codecs::Image Fallback() {
  codecs::Image image(128, 32);
  std::fill(image.pixels.begin(), image.pixels.end(), kFallbackColour);
  return image;
}

// Colours from a JPEG are close, not exact.
bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d < -24 || d > 24) return false;
  }
  return true;
}

class ThumbnailTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  TempFolder folder;
  FakeImageBox imS;
  FakeLabel lblFileName;
  Thumbnail thumbnail{imS, lblFileName, Decode, Fallback(), 12, 289};
};

TEST_F(ThumbnailTest, JpegIsDecodedAtHalfScaleRoundedUp) {
  WriteJpegFile(folder / "a.jpg", 300, 300, {kRed});
  WriteJpegFile(folder / "b.jpg", 337, 337, {kRed});
  const std::optional<codecs::Image> half = Decode(Path("a.jpg"));
  ASSERT_TRUE(half);
  EXPECT_EQ(half->width, 150);
  EXPECT_EQ(half->height, 150);
  const std::optional<codecs::Image> odd = Decode(Path("b.jpg"));
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->width, 169);
  EXPECT_EQ(odd->height, 169);
}

TEST_F(ThumbnailTest, AHalfScaleJpegFitsUnreducedWhereTheSameBitmapIsReduced) {
  WriteJpegFile(folder / "p.jpg", 300, 300, {kGreen});
  WriteBitmapFile(folder / "p.bmp", 300, 300, {kGreen});
  thumbnail.ShowThumbnail(Path("p.jpg"));
  EXPECT_EQ((std::array{imS.left, imS.top, imS.width, imS.height}),
            (std::array{12 + 9, 289 + 9, 150, 150}));
  EXPECT_TRUE(Near(imS.picture.pixels[0], kGreen));

  thumbnail.ShowThumbnail(Path("p.bmp"));
  EXPECT_EQ((std::array{imS.left, imS.top, imS.width, imS.height}),
            (std::array{12, 289, 168, 168}));
  EXPECT_EQ(imS.picture.width, 168);
  EXPECT_EQ(imS.picture.height, 168);
  EXPECT_EQ(imS.picture.pixels[0], kGreen);
}

// A large JPEG is decoded at the smallest scale that still covers its place
// in the box; the box is placed exactly as for the half-scale picture, and the
// pixels come out as from it, within the two reductions' rounding.
TEST_F(ThumbnailTest, ALargeJpegIsDecodedNoLargerThanTheBoxNeeds) {
  struct Case {
    int32_t width, height, deliveredWidth;
  };
  for (const Case c : {Case{2000, 1000, 250}, Case{3001, 999, 376}, Case{680, 2000, 85}, Case{337, 337, 169}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    WriteJpegFile(folder / "big.jpg", c.width, c.height, {kRed, kGreen, kBlue, kWhite});
    int32_t delivered = 0;
    Thumbnail scaled{imS, lblFileName,
                     [&](const std::string& path, const codecs::ShownSize& shown) {
                       std::optional<codecs::Image> image = Decode(path, shown);
                       if (image) delivered = image->width;
                       return image;
                     },
                     Fallback(), 12, 289};
    FakeImageBox halfBox;
    Thumbnail half{halfBox, lblFileName, [](const std::string& path, const codecs::ShownSize&) { return Decode(path); },
                   Fallback(), 12, 289};
    scaled.ShowThumbnail(Path("big.jpg"));
    half.ShowThumbnail(Path("big.jpg"));
    EXPECT_EQ(delivered, c.deliveredWidth);
    EXPECT_EQ((std::array{imS.left, imS.top, imS.width, imS.height}),
              (std::array{halfBox.left, halfBox.top, halfBox.width, halfBox.height}));
    ASSERT_EQ(imS.picture.pixels.size(), halfBox.picture.pixels.size());
    // The hard edges between the bands blur over a pixel or two differently.
    auto nearEdge = [&](int32_t x) {
      const int32_t band = x * 4 / imS.width;
      return x - band * imS.width / 4 <= 2 || (band + 1) * imS.width / 4 - x <= 2;
    };
    for (int32_t y = 0; y < imS.height; ++y) {
      for (int32_t x = 0; x < imS.width; ++x) {
        if (nearEdge(x)) continue;
        ASSERT_TRUE(Near(imS.picture.row(y)[x], halfBox.picture.row(y)[x])) << x << ", " << y;
      }
    }
  }
}

TEST_F(ThumbnailTest, UpperCaseExtensionDecodesLikeLowerCase) {
  WriteJpegFile(folder / "PHOTO.JPG", 400, 200, {kBlue});
  thumbnail.ShowThumbnail(Path("PHOTO.JPG"));
  EXPECT_EQ(imS.width, 168);
  EXPECT_EQ(imS.height, 84) << "200 x 100 after half scale";
  EXPECT_TRUE(Near(imS.picture.pixels[0], kBlue));
}

TEST_F(ThumbnailTest, AStripIsShownWholeWithEveryFrame) {
  WriteBitmapFile(folder / "strip.bmp", 400, 100, {kRed, kGreen, kBlue, kWhite});
  thumbnail.ShowThumbnail(Path("strip.bmp"));
  ASSERT_EQ(imS.picture.width, 168);
  ASSERT_EQ(imS.picture.height, 42);
  EXPECT_EQ(imS.top, 289 + 63);
  const uint32_t* middle = imS.picture.row(21);
  EXPECT_EQ(middle[21], kRed);
  EXPECT_EQ(middle[63], kGreen);
  EXPECT_EQ(middle[105], kBlue);
  EXPECT_EQ(middle[147], kWhite);
}

TEST_F(ThumbnailTest, ASmallPictureIsShownPixelForPixel) {
  WriteBitmapFile(folder / "small.bmp", 100, 50, {kRed, kBlue});
  thumbnail.ShowThumbnail(Path("small.bmp"));
  EXPECT_EQ((std::array{imS.left, imS.top, imS.width, imS.height}),
            (std::array{12 + 34, 289 + 59, 100, 50}));
  EXPECT_EQ(imS.picture.row(0)[49], kRed);
  EXPECT_EQ(imS.picture.row(0)[50], kBlue);
  EXPECT_TRUE(imS.visible);
  EXPECT_EQ(lblFileName.caption, Path("small.bmp"));
}

TEST_F(ThumbnailTest, WhatCannotBeShownGivesTheFallbackWithThePath) {
  WriteTextFile(folder / "notes.bmp", "this is not a bitmap\n");
  WriteTextFile(folder / "broken.jpg", "\xFF\xD8\xFF\xE0 truncated");
  WriteBitmapFile(folder / "gone.bmp", 50, 50, {kRed});
  std::filesystem::remove(folder / "gone.bmp");
  WriteBitmapFile(folder / "picture.png", 50, 50, {kRed});
  for (const std::string name : {"notes.bmp", "broken.jpg", "gone.bmp", "picture.png"}) {
    SCOPED_TRACE(name);
    imS.visible = false;
    thumbnail.ShowThumbnail(Path(name));
    EXPECT_EQ((std::array{imS.left, imS.top, imS.width, imS.height}),
              (std::array{12 + 20, 289 + 68, 128, 32}));
    EXPECT_EQ(imS.picture.pixels[0], kFallbackColour);
    EXPECT_TRUE(imS.visible);
    EXPECT_EQ(lblFileName.caption, Path(name));
  }
}

TEST_F(ThumbnailTest, AFailureThrownWhileReadingOrDecodingGivesTheFallback) {
  const std::vector<std::pair<const char*, ThumbnailDecoder>> failures = {
      {"decoder out of memory", [](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> {
         throw std::bad_alloc();
       }},
      {"decoder error", [](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> {
         throw std::runtime_error("corrupt");
       }},
      {"decoder throws a non-exception", [](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> {
         throw 7;
       }},
      {"reader error", [](const std::string& path, const codecs::ShownSize& shown) {
         const FileReader unreadable = [](const std::string& file) -> std::optional<std::vector<uint8_t>> {
           throw std::filesystem::filesystem_error("unreadable", file, std::error_code());
         };
         return DecodeThumbnailPicture(path, unreadable, shown);
       }},
  };
  WriteBitmapFile(folder / "picture.bmp", 50, 50, {kRed});
  for (const auto& [what, decode] : failures) {
    SCOPED_TRACE(what);
    FakeImageBox box;
    FakeLabel label;
    Thumbnail failing{box, label, decode, Fallback(), 12, 289};
    EXPECT_NO_THROW(failing.ShowThumbnail(Path("picture.bmp")));
    ASSERT_FALSE(box.picture.pixels.empty());
    EXPECT_EQ(box.picture.pixels[0], kFallbackColour);
    EXPECT_EQ(box.width, 128);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(label.caption, Path("picture.bmp"));
  }
}

TEST_F(ThumbnailTest, APathOfAnyLengthAndScriptIsShown) {
  WriteBitmapFile(folder / "사진.bmp", 20, 20, {kRed});
  for (const std::string& path : {Path("") + std::string(101, '/') + "사진.bmp", Path("사진.bmp")}) {
    SCOPED_TRACE(path);
    thumbnail.ShowThumbnail(path);
    EXPECT_EQ(imS.picture.pixels[0], kRed);
    EXPECT_EQ(lblFileName.caption, path);
  }
}

TEST_F(ThumbnailTest, HideKeepsTheBoxButEmptiesTheLabel) {
  WriteBitmapFile(folder / "small.bmp", 100, 50, {kRed});
  thumbnail.ShowThumbnail(Path("small.bmp"));
  thumbnail.HideThumbnail();
  EXPECT_FALSE(imS.visible);
  EXPECT_EQ(lblFileName.caption, "");
  EXPECT_EQ(imS.width, 100);
}

}  // namespace
}  // namespace picker::test
