#include "slideshow/saver_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fake_saver_host.h"
#include "slideshow/monitor_shows.h"

namespace slideshow {
namespace {

constexpr int64_t kMs = 1'000'000;

TEST(PresentPacer, RefreshPeriodFromTheDisplaysRate) {
  EXPECT_EQ(PresentPacer::RefreshPeriodNs(60), 16'666'666);
  EXPECT_EQ(PresentPacer::RefreshPeriodNs(144), 6'944'444);
  for (int32_t placeholder : {0, 1, -5, 100000}) EXPECT_EQ(PresentPacer::RefreshPeriodNs(placeholder), PresentPacer::kDefaultRefreshNs);
}

using Screen = testing::EngineScreen;

class SaverEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { screen.engine->Paint(); }  // the folder is empty: the sample strip floats
  Screen screen{{64, 48}};
  SaverEngine& engine = *screen.engine;
};

TEST_F(SaverEngineTest, PresentsTheLatestFrameAtMostOncePerRefresh) {
  EXPECT_EQ(engine.NextWake(), 50 * kMs);  // the paint showed everything: only the tick is pending
  screen.StepAt(50 * kMs);
  EXPECT_EQ(screen.host.presents.size(), 1u);
  EXPECT_EQ(engine.Show().Motion().posX, 2);
}

TEST(SaverEngine, OneWakePerRefreshAtFastTemposRunningTheTicksInBetween) {
  // A clock at which every bounce draws the 2 ms tempo; the 32-pixel sample
  // strip first bounces off the bottom of a 200 x 200 screen.
  Screen screen{{200, 200}};
  while (TempoAt(screen.host.seconds).timerInterval != 2) ++screen.host.seconds;
  screen.engine->Paint();
  int64_t t = 0;
  while (screen.engine->Show().Motion().dirY == 1) screen.StepAt(t += 50 * kMs);
  const size_t presents = screen.host.presents.size();
  // Timer1 now at 2 ms, counted from the bounce; the ticks wait for the slot.
  EXPECT_EQ(screen.engine->NextWake(), t + 20 * kMs);
  const int32_t y = screen.engine->Show().Motion().posY;
  screen.StepAt(t + 20 * kMs);  // the ticks of +2 to +20 ms, then one present
  EXPECT_EQ(y - screen.engine->Show().Motion().posY, 20) << "ten ticks of 2 pixels";
  EXPECT_EQ(screen.host.presents.size(), presents + 1);
  EXPECT_TRUE(screen.PictureShownAtItsPlace());
  EXPECT_EQ(screen.engine->NextWake(), t + 40 * kMs);
}

// A primary screen and a smaller monitor beside it, each with its own show
// of the same three pictures, stepped from one wake.
class MonitorShowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Screen* s : {&primary, &other}) {
      s->host.pictureSettings = [](settings::SaverSettings& st, settings::PictureList&) {
        st.picture.folder = "P";
        st.picture.useRegisteredList = false;
        return settings::ReadOutcome::Continue;
      };
      for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        s->host.directory.AddEntry("P", name);
        codecs::Image img(20, 10);
        std::fill(img.pixels.begin(), img.pixels.end(), uint32_t(name[0]));
        s->host.files[std::string("P\\") + name] = img;
      }
      s->host.message.soundEffect = settings::Beep;
      s->host.message.switchSeconds = 1;
    }
    shows.AddFollower(*other.engine);
  }
  void StepBothAt(int64_t t) {
    primary.now = other.now = t;
    shows.Step(t);
  }
  static std::string Shown(const Screen& s) { return s.engine->Show().ShownPath(); }

  Screen primary{{64, 48}};
  Screen other{{40, 30}, [this] {
                 SaverShowSetup s;
                 s.supply = &primary.host.supply;
                 s.followsSwitches = true;
                 s.pictureOffset = 1;
                 return s;
               }()};
  MonitorShows shows{*primary.engine};
};

TEST_F(MonitorShowsTest, EveryMonitorSwitchesWithThePrimaryOnePictureFurtherAlong) {
  primary.engine->Paint();
  other.engine->Paint();
  EXPECT_EQ(Shown(primary), "P\\a.bmp");
  EXPECT_EQ(Shown(other), "P\\b.bmp");
  other.engine->Paint();  // a repaint keeps its picture
  EXPECT_EQ(Shown(other), "P\\b.bmp");
  EXPECT_FALSE(other.host.timers.Enabled(SaverTimer::tmGamen)) << "the primary's switch drives it";
  for (int64_t t = 1; t <= 2'500; ++t) StepBothAt(t * kMs);
  EXPECT_EQ(primary.engine->Show().Switches(), 2);
  EXPECT_EQ(other.engine->Show().Switches(), 2);
  EXPECT_EQ(Shown(primary), "P\\c.bmp");
  EXPECT_EQ(Shown(other), "P\\a.bmp");
}

TEST_F(MonitorShowsTest, BothFloatInTheirOwnBoundsAndOnlyThePrimaryBeeps) {
  primary.engine->Paint();
  other.engine->Paint();
  for (int64_t t = 1; t <= 3'000; ++t) StepBothAt(t * kMs);
  for (const Screen* s : {&primary, &other}) {
    const MotionState& m = s->engine->Show().Motion();
    EXPECT_GE(m.posX, 0);
    EXPECT_LE(m.destRect.right, s->buffer.view.width);
    EXPECT_LE(m.destRect.bottom, s->buffer.view.height);
    EXPECT_GT(s->host.presents.size(), 50u);
  }
  EXPECT_FALSE(primary.host.beeps.empty());
  EXPECT_TRUE(other.host.beeps.empty());
  const std::optional<int64_t> wake = shows.NextWake();
  ASSERT_TRUE(wake);
  EXPECT_EQ(*wake, std::min(*primary.engine->NextWake(), *other.engine->NextWake()));
}

TEST_F(MonitorShowsTest, OnlyThePrimaryTellsOfAPictureTooFlatToShow) {
  primary.host.files["P\\b.bmp"] = codecs::Image(5000, 3);
  primary.engine->Paint();
  other.engine->Paint();  // starts at b.bmp
  for (int64_t t = 1; t <= 1'500; ++t) StepBothAt(t * kMs);  // the primary reaches b.bmp
  EXPECT_EQ(primary.host.messages.size(), 1u);
  EXPECT_TRUE(other.host.messages.empty());
}

}  // namespace
}  // namespace slideshow
