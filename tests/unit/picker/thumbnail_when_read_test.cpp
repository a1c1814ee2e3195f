// The preview's reads on the dialog's reader: the last click wins, and the
// box is fitted to what the worker read.
#include "picker/thumbnail_when_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "fake_controls.h"
#include "tests/support/reader_gate.h"

namespace picker::test {
namespace {

using platform::BackgroundReader;
using tolvex_test::Gate;
using DialogThread = tolvex_test::OwnerThread;

struct FakeImageBox : ImageBoxView {
  codecs::Image picture;
  bool visible = false;
  void SetBounds(int32_t, int32_t, int32_t, int32_t) override {}
  void SetPicture(codecs::Image p) override { picture = std::move(p); }
  void SetVisible(bool v) override { visible = v; }
};

// A click on another file while the first is still being read wins: the
// first file's picture never shows. Hiding the preview forgets a read under
// way.
TEST(ThumbnailWhenRead, TheLastClickWinsAndHidingForgetsTheReadUnderWay) {
  DialogThread dialog;
  BackgroundReader reads(dialog.ReaderSetup());
  auto gate = std::make_shared<Gate>();
  FakeImageBox box;
  FakeLabel label;
  const ThumbnailDecoder decode = [gate](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
    if (path == "slow.bmp") gate->Pass();
    codecs::Image image(16, 16);
    std::fill(image.pixels.begin(), image.pixels.end(), path == "slow.bmp" ? 1u : 2u);
    return image;
  };
  ThumbnailWhenRead preview(reads, 0, box, label, decode, codecs::Image(128, 32), 0, 0);
  preview.ShowThumbnail("slow.bmp");
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return gate->Waiting() == 1; }));
  EXPECT_FALSE(box.visible) << "nothing until the picture has been read";
  preview.ShowThumbnail("quick.bmp");
  gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return box.visible; }));
  EXPECT_EQ(label.caption, "quick.bmp");
  EXPECT_EQ(box.picture.pixels.front(), 2u);

  gate = std::make_shared<Gate>();
  preview.ShowThumbnail("slow.bmp");
  preview.HideThumbnail();
  bool after = false;  // a read started later answers after the forgotten one
  reads.Start(1, [&after]() -> BackgroundReader::Answer { return [&after] { after = true; }; });
  gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return after; }));
  EXPECT_FALSE(box.visible);
  EXPECT_EQ(label.caption, "");
}

// A decoder on the worker that reduces while decoding: the box is fitted to
// the size it read from the file, not to the reduced pixels it delivered.
TEST(ThumbnailWhenRead, TheBoxFitsThePictureTheWorkerReadNotItsReducedPixels) {
  DialogThread dialog;
  BackgroundReader reads(dialog.ReaderSetup());
  FakeImageBox box;
  FakeLabel label;
  const ThumbnailDecoder decode = [](const std::string&, const codecs::ShownSize& shown) {
    const codecs::PictureSize least = shown({1000, 999});
    EXPECT_EQ(least, (codecs::PictureSize{168, 167}));
    return std::optional<codecs::Image>(codecs::Image(170, 170));  // fitted alone: 168 x 168
  };
  ThumbnailWhenRead preview(reads, 0, box, label, decode, codecs::Image(128, 32), 12, 289);
  preview.ShowThumbnail("big.jpg");
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return box.visible; }));
  EXPECT_EQ(box.picture.width, 168);
  EXPECT_EQ(box.picture.height, 167);
}

// What the worker hands to the dialog's thread is already at the box's size,
// for every format: a decoder that cannot reduce while decoding (PNG, AVIF,
// a bitmap) delivers the whole picture, and before, an 8000 x 6000 PNG
// reached the dialog's thread whole (190 MB) to be reduced there.
struct WorkerCase {
  const char* name;
  codecs::PictureSize delivered;                // what the decoder gives
  std::optional<codecs::PictureSize> askedFor;  // the whole size it asks the box about
  codecs::PictureSize handedOver;
};

class TheWorkersPicture : public ::testing::TestWithParam<WorkerCase> {};

TEST_P(TheWorkersPicture, IsNoLargerThanTheBox) {
  const WorkerCase& c = GetParam();
  const ThumbnailDecoder decode = [&c](const std::string&, const codecs::ShownSize& shown) {
    if (c.askedFor) shown(*c.askedFor);
    return std::optional<codecs::Image>(codecs::Image(c.delivered.width, c.delivered.height));
  };
  const std::optional<codecs::Image> read = ReadThumbnail(decode, "picture");
  ASSERT_TRUE(read);
  EXPECT_EQ((codecs::PictureSize{read->width, read->height}), c.handedOver);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TheWorkersPicture,
    ::testing::Values(WorkerCase{"LargeAndNotReducedWhileDecoding", {2400, 1800}, std::nullopt, {168, 126}},
                      WorkerCase{"TallAndNotReducedWhileDecoding", {900, 3000}, std::nullopt, {50, 168}},
                      WorkerCase{"ReducedPartWayWhileDecoding", {500, 375}, codecs::PictureSize{4000, 3000}, {168, 126}},
                      WorkerCase{"AStripShownWhole", {400, 100}, std::nullopt, {168, 42}},
                      WorkerCase{"SmallAndNeverEnlarged", {100, 50}, std::nullopt, {100, 50}}),
    [](const ::testing::TestParamInfo<WorkerCase>& info) { return info.param.name; });

TEST(TheWorkersPicture, IsNothingWhenTheFileCannotBeShown) {
  const std::vector<ThumbnailDecoder> failing = {
      [](const std::string&, const codecs::ShownSize&) { return std::optional<codecs::Image>(); },
      [](const std::string&, const codecs::ShownSize&) { return std::optional<codecs::Image>(codecs::Image(0, 10)); },
      [](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> { throw std::bad_alloc(); },
  };
  for (const ThumbnailDecoder& decode : failing) EXPECT_FALSE(ReadThumbnail(decode, "picture"));
}

}  // namespace
}  // namespace picker::test
