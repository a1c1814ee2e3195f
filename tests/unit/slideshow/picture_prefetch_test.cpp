#include "slideshow/picture_prefetch.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "fake_saver_host.h"
#include "slideshow/saver_show.h"
#include "slow_storage.h"

namespace slideshow {
namespace {

using testing::Eventually;
using testing::SampleStrip;
using testing::SlowStorage;
using testing::TestBuffer;

codecs::Image Gradient(int32_t w, int32_t h) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = codecs::Rgb(uint8_t(x), uint8_t(y), uint8_t(x ^ y));
  return img;
}

const PrefetchKey kBig{"big.jpg", true, {1024, 768}};
const PrefetchKey kSmall{"small.bmp", true, {1024, 768}};

class PicturePrefetchTest : public ::testing::Test {
 protected:
  void SetUp() override { storage.Files() = {{"big.jpg", Gradient(1200, 900)}, {"small.bmp", Gradient(40, 30)}}; }
  // Takes `key` once the worker has made it.
  std::optional<PrefetchResult> TakeWhenMade(PicturePrefetch& prefetch, const PrefetchKey& key) {
    std::optional<PrefetchResult> result;
    Eventually([&] { result = prefetch.Take(key); }, [&] { return result.has_value(); });
    return result;
  }
  SlowStorage storage;
};

TEST_F(PicturePrefetchTest, GivesWhatTheLoadOnTheWindowThreadWouldMake) {
  for (const bool onWorker : {true, false}) {
    PicturePrefetch prefetch(storage.Readers(), onWorker);
    prefetch.Request(kBig);
    std::optional<PrefetchResult> result = TakeWhenMade(prefetch, kBig);
    ASSERT_TRUE(result && result->picture);
    const std::optional<FittedPicture> direct = DecodeAndFit(storage.Readers().decode, "big.jpg", true, {1024, 768});
    EXPECT_EQ(result->picture->fitted, (Size{682, 511}));
    EXPECT_EQ(result->picture->bitmap.pixels, direct->bitmap.pixels);
    EXPECT_FALSE(prefetch.Take(kBig));  // taken once only
  }
}

TEST_F(PicturePrefetchTest, NeverWaitsAndTakesOnlyWhatWasMadeForExactlyThatKey) {
  storage.CloseReads();
  PicturePrefetch prefetch(storage.Readers(), true);
  prefetch.Request(kBig);
  ASSERT_TRUE(Eventually([] {}, [&] { return storage.ReadsStarted() == 1; }));
  EXPECT_FALSE(prefetch.Take(kBig)) << "the read still waits: nothing yet, and no waiting here";
  storage.OpenReads();
  ASSERT_TRUE(Eventually([] {}, [&] { return prefetch.Take({"small.bmp", true, {1024, 768}}) ||
                                             prefetch.Take({"big.jpg", false, {1024, 768}}) ||
                                             prefetch.Take({"big.jpg", true, {800, 600}}) ||
                                             prefetch.Take(kBig); }));
  EXPECT_FALSE(prefetch.Take(kBig));
}

TEST_F(PicturePrefetchTest, ANewRequestThrowsTheOldResultAway) {
  storage.CloseReads();
  PicturePrefetch prefetch(storage.Readers(), true);
  prefetch.Request(kBig);
  ASSERT_TRUE(Eventually([] {}, [&] { return storage.ReadsStarted() == 1; }));
  prefetch.Request(kSmall);
  prefetch.Request(kSmall);  // asked twice, read once
  storage.OpenReads();
  const std::optional<PrefetchResult> result = TakeWhenMade(prefetch, kSmall);
  ASSERT_TRUE(result && result->picture);
  EXPECT_EQ(result->picture->fitted, (Size{40, 30}));
  EXPECT_FALSE(prefetch.Take(kBig));
  EXPECT_EQ(storage.ReadsStarted(), 2);
}

TEST(PicturePrefetch, AThrowingOrFailingDecoderGivesAFailedDecode) {
  const DecodeFunction decode = [](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
    if (path == "throws.jpg") throw std::runtime_error("corrupt");
    if (path == "throws-other.jpg") throw 42;
    return std::nullopt;
  };
  for (const char* path : {"throws.jpg", "throws-other.jpg", "missing.gif"}) {
    for (const bool onWorker : {true, false}) {
      PicturePrefetch prefetch({decode, {}}, onWorker);
      const PrefetchKey key{path, true, {1024, 768}};
      prefetch.Request(key);
      std::optional<PrefetchResult> result;
      ASSERT_TRUE(Eventually([&] { result = prefetch.Take(key); }, [&] { return result.has_value(); })) << path;
      EXPECT_FALSE(result->picture) << path;
    }
  }
}

TEST_F(PicturePrefetchTest, ScansGoFirstAndOnlyTheLatestTicketIsAnswered) {
  storage.Directory().AddEntry("P", "a.bmp");
  storage.Directory().AddEntry("Q", "b.jpg");
  storage.CloseScans();
  PicturePrefetch prefetch(storage.Readers(), true);
  settings::PictureList list;
  list.paths[5] = "kept";
  const uint64_t first = prefetch.RequestScan("P", list);
  prefetch.Request(kSmall);
  const uint64_t second = prefetch.RequestScan("Q", list);
  EXPECT_FALSE(prefetch.TakeScan(second));
  EXPECT_EQ(storage.ReadsStarted(), 0) << "the picture waits behind the scans";
  storage.OpenScans();
  std::optional<settings::PictureList> scanned;
  ASSERT_TRUE(Eventually([&] { scanned = prefetch.TakeScan(second); }, [&] { return scanned.has_value(); }));
  EXPECT_EQ(scanned->entryCount, 1);
  EXPECT_EQ(scanned->paths[0], "Q\\b.jpg");
  EXPECT_EQ(scanned->paths[5], "kept");
  EXPECT_FALSE(prefetch.TakeScan(first));
  EXPECT_TRUE(TakeWhenMade(prefetch, kSmall));
}

TEST_F(PicturePrefetchTest, GoesAtOnceWhileTheWorkerIsStuckInARead) {
  storage.CloseReads();
  storage.CloseScans();
  {
    PicturePrefetch idle(storage.Readers(), true);
  }
  auto reading = std::make_unique<PicturePrefetch>(storage.Readers(), true);
  reading->Request(kBig);
  ASSERT_TRUE(Eventually([] {}, [&] { return storage.ReadsStarted() == 1; }));
  reading->RequestScan("P", settings::PictureList{});
  reading.reset();  // returns with the read still waiting; the storage lets it go later
  SUCCEED();
}

// The show with a worker: the switch takes the picture decoded ahead and
// shows what a show that reads on the window's thread shows.
class PrefetchingShow : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto* host : {&prefetching, &plain}) {
      host->pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
        s.picture.folder = "P";
        s.picture.useRegisteredList = false;
        return settings::ReadOutcome::Continue;
      };
      host->directory.AddEntry("P", "a.bmp");
      host->directory.AddEntry("P", "big.jpg");
      host->files = {{"P\\a.bmp", Gradient(40, 30)}, {"P\\big.jpg", Gradient(1200, 900)},
                     {"P\\c.bmp", Gradient(20, 10)}};
    }
    storage.Directory() = prefetching.directory;
    storage.Files() = prefetching.files;
  }
  // Receives reads until `done`.
  void ReceiveUntil(SaverShow& show, const std::function<bool()>& done) {
    ASSERT_TRUE(Eventually([&] { show.ReceiveReads(); }, done));
  }
  testing::FakeSaverHost prefetching, plain;
  SlowStorage storage;
  TestBuffer bufferA{prefetching.screen}, bufferB{plain.screen};
  FrameCounters countersA, countersB;
};

TEST_F(PrefetchingShow, SwitchTakesThePictureDecodedAheadAndShowsTheSame) {
  SaverShow withWorker(prefetching, prefetching.timers, countersA, prefetching.tickerLine, {bufferA.view, SampleStrip(), false, storage.Readers()});
  SaverShow without(plain, plain.timers, countersB, plain.tickerLine, {bufferB.view, SampleStrip(), false, {}});
  for (SaverShow* show : {&withWorker, &without}) {
    show->FormCreate();
    show->FormPaint();
  }
  ReceiveUntil(withWorker, [&] { return withWorker.Picture().fitted == Size{40, 30} && storage.ReadsStarted() == 2; });
  const size_t from = prefetching.log.size();
  withWorker.tmGamenTimer();
  ReceiveUntil(withWorker, [&] { return withWorker.Switches() == 1; });
  without.tmGamenTimer();
  for (size_t i = from; i < prefetching.log.size(); ++i) EXPECT_FALSE(prefetching.log[i].starts_with("Decode"));
  EXPECT_EQ(withWorker.Picture().pictureBitmap.pixels, without.Picture().pictureBitmap.pixels);
  EXPECT_EQ(withWorker.Picture().geometry, without.Picture().geometry);
  EXPECT_EQ(withWorker.Picture().fitted, (Size{682, 511}));
  for (int i = 0; i < 30; ++i) {
    testing::Tick(withWorker);
    testing::Tick(without);
  }
  EXPECT_EQ(bufferA.pixels, bufferB.pixels);
}

TEST_F(PrefetchingShow, AListRebuiltByAPaintMakesTheSwitchAskForItsOwnPicture) {
  SaverShow show(prefetching, prefetching.timers, countersA, prefetching.tickerLine, {bufferA.view, SampleStrip(), false, storage.Readers()});
  show.FormCreate();
  show.FormPaint();
  ReceiveUntil(show, [&] { return storage.ReadsStarted() == 2; });  // a.bmp, then big.jpg ahead
  storage.Directory() = {};  // the worker is idle: its scan is done
  storage.Directory().AddEntry("P", "a.bmp");
  storage.Directory().AddEntry("P", "c.bmp");
  show.FormPaint();
  show.tmGamenTimer();
  ReceiveUntil(show, [&] { return show.Switches() == 1; });
  EXPECT_EQ(show.Picture().fitted, (Size{20, 10}));
}

}  // namespace
}  // namespace slideshow
