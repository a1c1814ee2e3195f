// The engine over storage that answers late or never: nothing it does waits
// for a read, the show starts when the first answer comes, and a switch
// whose picture is late waits for it and then keeps its rhythm.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fake_saver_host.h"
#include "slideshow/saver_engine.h"
#include "slow_storage.h"

namespace slideshow {
namespace {

using testing::Eventually;
using testing::Filled;
using testing::SlowStorage;

constexpr int64_t kMs = 1'000'000;

// A 64 x 48 screen whose folder P holds a.bmp, b.bmp and c.bmp on slow
// storage; switches every second, floating, with a ticker.
class SlowStorageEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    host.screen = {64, 48};
    host.pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "P";
      s.picture.useRegisteredList = false;
      return settings::ReadOutcome::Continue;
    };
    host.message.switchSeconds = 1;
    host.message.messageText = "slow";
    host.message.soundEffect = settings::Beep;
    host.drawText = [this](int32_t x, int32_t y, const std::string&) {
      ++tickerDraws;
      return Rect{x, y, x + 1, y + 1};
    };
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
      storage.Directory().AddEntry("P", name);
      storage.Files()[std::string("P\\") + name] = Filled(20, 10, uint32_t(name[0]));
    }
  }
  void MakeEngine() {
    supply = std::make_unique<PictureSupply>(storage.Readers(), platform::BackgroundReader::Setup{});
    SaverShowSetup show{buffer.view, testing::SampleStrip(), false, supply.get()};
    engine = std::make_unique<SaverEngine>(host, counters, tickerLine,
                                           SaverEngineSetup{show, [this] { return now; }, 20 * kMs});
  }
  // Steps every millisecond of the test's clock up to `t`.
  void StepTo(int64_t t) {
    while (now < t) {
      now += kMs;
      host.nowMs = now / kMs;
      engine->Step(now);
    }
  }
  // Steps at the same clock time until the reads asked for have answered.
  bool StepUntil(const std::function<bool()>& done) {
    return Eventually([&] { engine->Step(now); }, done);
  }
  std::string Shown() const { return engine->Show().List().PathAt(engine->Show().List().currentIndex); }
  bool Showing(const char* path) const {
    return engine->Show().Picture().pictureBitmap.width == 20 && Shown() == path &&
           engine->Show().Picture().pictureBitmap.pixels[0] == uint32_t(path[2]);
  }

  int64_t now = 0;
  int tickerDraws = 0;
  SlowStorage storage;
  std::unique_ptr<PictureSupply> supply;
  testing::FakeSaverHost host;
  testing::TestBuffer buffer{{64, 48}};
  FrameCounters counters;
  int32_t tickerLine = 0;
  std::unique_ptr<SaverEngine> engine;
};

TEST_F(SlowStorageEngine, WhileTheListNeverComesTheTickerRunsOverBlackAndNothingElseHappens) {
  storage.CloseScans();
  MakeEngine();
  engine->Paint();
  StepTo(5'000 * kMs);
  EXPECT_EQ(engine->Show().Switches(), 0);
  EXPECT_TRUE(engine->Show().Picture().pictureBitmap.empty());
  EXPECT_EQ(engine->Show().Motion().posX, 0) << "nothing to move";
  EXPECT_TRUE(host.beeps.empty()) << "nothing to bounce";
  EXPECT_GT(tickerDraws, 20);
  EXPECT_TRUE(std::all_of(buffer.pixels.begin(), buffer.pixels.end(), [](uint32_t p) { return p == 0; }));
  EXPECT_EQ(host.log.end(), std::find_if(host.log.begin(), host.log.end(), [](auto& s) { return s.starts_with("Decode"); }))
      << "never read on the window's thread";
  engine.reset();  // returns at once with the scan still waiting
}

TEST_F(SlowStorageEngine, TheShowStartsFromTheFirstPictureWhenTheAnswerComes) {
  storage.CloseScans();
  MakeEngine();
  engine->Paint();
  StepTo(3'000 * kMs);
  storage.OpenScans();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\a.bmp"); }));
  const int64_t arrived = now;
  StepTo(arrived + 999 * kMs);
  EXPECT_TRUE(Showing("P\\a.bmp"));
  EXPECT_GT(engine->Show().Motion().posX, 0) << "it floats from where a show starts";
  ASSERT_TRUE(StepUntil([&] { return storage.ReadsAnswered() == 2; }));  // b.bmp ahead
  StepTo(arrived + 1'000 * kMs);
  EXPECT_TRUE(Showing("P\\b.bmp")) << "fast storage: exactly on time";
}

TEST_F(SlowStorageEngine, ALatePictureDelaysItsSwitchAndTheRhythmResumesFromThere) {
  MakeEngine();
  engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\a.bmp") && storage.ReadsAnswered() == 2; }));
  // b.bmp is on time; c.bmp's read hangs until 2.4 s past its switch.
  storage.CloseReads();
  StepTo(1'000 * kMs);
  ASSERT_TRUE(Showing("P\\b.bmp"));
  ASSERT_TRUE(StepUntil([&] { return storage.ReadsStarted() == 3; }));
  StepTo(4'400 * kMs);
  EXPECT_TRUE(Showing("P\\b.bmp")) << "the current picture stays while the next is read";
  EXPECT_EQ(engine->Show().Switches(), 1);
  EXPECT_GT(engine->Show().Motion().posX, 0);
  storage.OpenReads();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\c.bmp"); }));
  EXPECT_EQ(engine->Show().Switches(), 2);
  ASSERT_TRUE(StepUntil([&] { return storage.ReadsAnswered() == 4; }));
  StepTo(5'399 * kMs);
  EXPECT_TRUE(Showing("P\\c.bmp"));
  StepTo(5'400 * kMs);
  EXPECT_TRUE(Showing("P\\a.bmp")) << "a switchSeconds after the late one";
}

// A repaint whose listing is late keeps the picture moving; the switch that
// falls meanwhile comes once the repaint is done, and the rhythm from there.
TEST_F(SlowStorageEngine, ASwitchFallingWhileARepaintWaitsComesAfterIt) {
  MakeEngine();
  engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\a.bmp") && storage.ReadsAnswered() == 2; }));
  storage.CloseScans();
  StepTo(500 * kMs);
  engine->Paint();
  StepTo(3'000 * kMs);
  EXPECT_TRUE(Showing("P\\a.bmp"));
  EXPECT_EQ(engine->Show().Switches(), 0);
  storage.OpenScans();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\b.bmp"); }));
  EXPECT_EQ(engine->Show().Switches(), 1) << "one switch owed, not one per second waited";
  // a again for the repaint, then c ahead: b, read before the repaint, is
  // not read twice.
  ASSERT_TRUE(StepUntil([&] { return storage.ReadsAnswered() == 4; }));
  StepTo(3'999 * kMs);
  EXPECT_TRUE(Showing("P\\b.bmp"));
  StepTo(4'000 * kMs);
  EXPECT_TRUE(Showing("P\\c.bmp"));
}

// A folder that goes away (or fails) while the saver runs is an empty folder
// at the next paint: the sample, silently; when it comes back, its pictures.
TEST_F(SlowStorageEngine, AFolderThatVanishesShowsTheSampleAndComesBack) {
  MakeEngine();
  engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\a.bmp") && storage.ReadsStarted() == 2; }));
  const settings::MemoryDirectory folder = storage.Directory();
  storage.Directory() = {};
  engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return engine->Show().Picture().pictureBitmap.width == 128; }));
  EXPECT_TRUE(host.messages.empty());
  storage.Directory() = folder;
  engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Showing("P\\a.bmp"); }));
}

}  // namespace
}  // namespace slideshow
