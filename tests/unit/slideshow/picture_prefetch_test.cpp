#include "slideshow/picture_prefetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <stdexcept>

#include "fake_saver_host.h"
#include "slideshow/saver_show.h"

namespace slideshow {
namespace {

using namespace std::chrono_literals;
using testing::SampleStrip;
using testing::TestBuffer;

codecs::Image Gradient(int32_t w, int32_t h) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = codecs::Rgb(uint8_t(x), uint8_t(y), uint8_t(x ^ y));
  return img;
}

// Files for the worker, and a count of the decodes it started; `started`
// lets a test wait until the worker is on a key, so that Take waits for it.
struct WorkerFiles {
  std::map<std::string, codecs::Image> files{{"big.jpg", Gradient(1200, 900)}, {"small.bmp", Gradient(40, 30)}};
  std::atomic<int> decodes{0};
  std::promise<void> started;
  DecodeFunction Function() {
    return [this](const std::string& path) -> std::optional<codecs::Image> {
      if (decodes++ == 0) started.set_value();
      if (path == "throws.jpg") throw std::runtime_error("corrupt");
      if (path == "throws-other.jpg") throw 42;
      const auto it = files.find(path);
      if (it == files.end()) return std::nullopt;
      return it->second;
    };
  }
  void WaitUntilStarted() { ASSERT_EQ(started.get_future().wait_for(10s), std::future_status::ready); }
};

const PrefetchKey kBig{"big.jpg", true, {1024, 768}};

TEST(PicturePrefetch, GivesWhatTheLoadOnTheWindowThreadWouldMake) {
  WorkerFiles files;
  PicturePrefetch prefetch(files.Function());
  prefetch.Request(kBig);
  files.WaitUntilStarted();
  std::optional<PrefetchResult> result = prefetch.Take(kBig);
  ASSERT_TRUE(result && result->picture);
  const std::optional<FittedPicture> direct = DecodeAndFit(files.Function(), "big.jpg", true, {1024, 768});
  EXPECT_EQ(result->picture->fitted, (Size{682, 511}));
  EXPECT_EQ(result->picture->fitted, direct->fitted);
  EXPECT_EQ(result->picture->bitmap.pixels, direct->bitmap.pixels);
  EXPECT_FALSE(prefetch.Take(kBig));  // taken once only
}

TEST(PicturePrefetch, AResultForAnotherPathOrOtherSettingsIsNeverTaken) {
  WorkerFiles files;
  PicturePrefetch prefetch(files.Function());
  prefetch.Request(kBig);
  files.WaitUntilStarted();
  EXPECT_FALSE(prefetch.Take({"small.bmp", true, {1024, 768}}));
  EXPECT_FALSE(prefetch.Take({"big.jpg", false, {1024, 768}}));
  EXPECT_FALSE(prefetch.Take({"big.jpg", true, {800, 600}}));
  EXPECT_TRUE(prefetch.Take(kBig));
}

TEST(PicturePrefetch, ANewRequestThrowsTheOldResultAway) {
  WorkerFiles files;
  PicturePrefetch prefetch(files.Function());
  prefetch.Request(kBig);
  files.WaitUntilStarted();
  const PrefetchKey small{"small.bmp", true, {1024, 768}};
  prefetch.Request(small);
  prefetch.Request(small);  // asked twice, decoded once
  EXPECT_FALSE(prefetch.Take(kBig));
  // The second request may not have started yet; then Take finds nothing and
  // the caller decodes itself, which is as good.
  const std::optional<PrefetchResult> result = prefetch.Take(small);
  if (result) {
    EXPECT_EQ(result->picture->fitted, (Size{40, 30}));
  }
  EXPECT_LE(files.decodes.load(), 2);
}

TEST(PicturePrefetch, AThrowingOrFailingDecoderGivesAFailedDecode) {
  for (const char* path : {"throws.jpg", "throws-other.jpg", "missing.gif"}) {
    WorkerFiles files;
    PicturePrefetch prefetch(files.Function());
    const PrefetchKey key{path, true, {1024, 768}};
    prefetch.Request(key);
    files.WaitUntilStarted();
    const std::optional<PrefetchResult> result = prefetch.Take(key);
    ASSERT_TRUE(result) << path;
    EXPECT_FALSE(result->picture) << path;
  }
}

TEST(PicturePrefetch, StopsCleanlyWhileIdleWaitingOrDecoding) {
  WorkerFiles files;
  { PicturePrefetch idle(files.Function()); }
  std::promise<void> gate;
  std::shared_future<void> open = gate.get_future().share();
  auto decoding = std::make_unique<PicturePrefetch>([&](const std::string&) -> std::optional<codecs::Image> {
    files.started.set_value();
    open.wait();
    return Gradient(4, 4);
  });
  decoding->Request(kBig);
  decoding->Request({"queued.bmp", true, {1024, 768}});  // never started, or started after
  files.WaitUntilStarted();
  gate.set_value();
  decoding.reset();  // joins the worker, whatever it is doing
  SUCCEED();
}

// The show with a prefetch worker: the switch takes the picture decoded
// ahead instead of decoding on the window's thread, and shows the same.
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
  }
  DecodeFunction WorkerDecode() {
    return [this](const std::string& path) -> std::optional<codecs::Image> {
      if (workerDecodes++ == 0) workerStarted.set_value();
      return prefetching.files.at(path);
    };
  }
  testing::FakeSaverHost prefetching, plain;
  TestBuffer bufferA{prefetching.screen}, bufferB{plain.screen};
  FrameCounters countersA, countersB;
  std::atomic<int> workerDecodes{0};
  std::promise<void> workerStarted;
};

TEST_F(PrefetchingShow, SwitchTakesThePictureDecodedAheadAndShowsTheSame) {
  SaverShow withWorker(prefetching, prefetching.timers, countersA, prefetching.tickerLine, {bufferA.view, SampleStrip(), false, WorkerDecode()});
  SaverShow without(plain, plain.timers, countersB, plain.tickerLine, {bufferB.view, SampleStrip(), false, {}});
  for (SaverShow* show : {&withWorker, &without}) {
    show->FormCreate();
    show->FormPaint();
  }
  ASSERT_EQ(workerStarted.get_future().wait_for(10s), std::future_status::ready);
  const size_t from = prefetching.log.size();
  withWorker.tmGamenTimer();
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

TEST_F(PrefetchingShow, AListRebuiltByAPaintMakesTheSwitchDecodeItself) {
  SaverShow show(prefetching, prefetching.timers, countersA, prefetching.tickerLine, {bufferA.view, SampleStrip(), false, WorkerDecode()});
  show.FormCreate();
  show.FormPaint();
  ASSERT_EQ(workerStarted.get_future().wait_for(10s), std::future_status::ready);
  prefetching.directory = {};
  prefetching.directory.AddEntry("P", "a.bmp");
  prefetching.directory.AddEntry("P", "c.bmp");
  show.FormPaint();  // asks the worker for c.bmp now; big.jpg's result is stale
  show.tmGamenTimer();
  EXPECT_EQ(show.Picture().fitted, (Size{20, 10}));
}

}  // namespace
}  // namespace slideshow
