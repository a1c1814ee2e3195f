#include "slideshow/saver_show.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "fake_saver_host.h"

namespace slideshow {
namespace {

using settings::ReadOutcome;
using testing::FakeSaverHost;
using testing::Filled;
using testing::SampleStrip;
using testing::TestBuffer;
using testing::Tick;

class SaverShowTest : public ::testing::Test {
 protected:
  void Create(bool preview = false) {
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine, SaverShowSetup{buffer.view, SampleStrip(), preview, &host.supply});
    show->FormCreate();
  }
  // Folder mode over C:\P holding the given files.
  void Folder(const std::vector<std::pair<std::string, codecs::Image>>& files) {
    host.pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "C:\\P";
      s.picture.useRegisteredList = false;
      return ReadOutcome::Continue;
    };
    for (const auto& [name, image] : files) {
      host.directory.AddEntry("C:\\P", name);
      host.files["C:\\P\\" + name] = image;
    }
  }
  // Registered mode as the store fills it: eCount N, at most 51 entries read.
  void Registered(int32_t n) {
    host.pictureSettings = [n](settings::SaverSettings& s, settings::PictureList& l) {
      s.picture.useRegisteredList = true;
      for (int32_t i = 0; i < n && i <= 50; ++i) l.paths[size_t(i)] = "R" + std::to_string(i) + ".bmp";
      l.entryCount = n > 0 ? n : 0;
      l.lastIndex = n > 0 ? n - 1 : n;
      return ReadOutcome::Continue;
    };
    for (int32_t i = 0; i <= 50; ++i) host.files["R" + std::to_string(i) + ".bmp"] = Filled(40, 30, 7);
  }
  bool ShowsSample() const { return show->Picture().pictureBitmap.width == 128 && !show->Picture().geometry.plainPicture; }
  std::vector<std::string> LogSince(size_t from) const { return {host.log.begin() + long(from), host.log.end()}; }

  FakeSaverHost host;
  FrameCounters counters;
  TestBuffer buffer{host.screen};
  std::unique_ptr<SaverShow> show;
};

TEST_F(SaverShowTest, CreationStartsTheFrameAndTickerTimersOverABlackBuffer) {
  Create();
  EXPECT_TRUE(host.log.empty());
  EXPECT_EQ(host.timers.Interval(SaverTimer::Timer1), 50u);
  EXPECT_EQ(host.timers.Interval(SaverTimer::tmCom), 200u);
  EXPECT_TRUE(host.timers.Enabled(SaverTimer::Timer1) && host.timers.Enabled(SaverTimer::tmCom));
  EXPECT_FALSE(host.timers.Enabled(SaverTimer::tmGamen));
  EXPECT_TRUE(std::all_of(buffer.pixels.begin(), buffer.pixels.end(), [](uint32_t p) { return p == 0; }));
  EXPECT_EQ(show->Animation().framePeriod, 20);
  EXPECT_EQ(show->Motion().dirX, 1);
}

TEST_F(SaverShowTest, PaintRunsItsStepsInOrder) {
  Folder({{"a.jpg", Filled(800, 600, 5)}});
  Create();
  const size_t from = host.log.size();
  show->FormPaint();
  EXPECT_EQ(LogSince(from), (std::vector<std::string>{"ReadSaverPictureSettings", "ReadSaverMessageSettings",
                                           "Decode C:\\P\\a.jpg", "HideApplicationWindow", "StretchBackBuffer"}));
  EXPECT_EQ(host.timers.Interval(SaverTimer::tmGamen), 5000u);
  EXPECT_TRUE(host.timers.Enabled(SaverTimer::tmGamen));
  EXPECT_GE(show->Ticker().tickerFull().size(), 1024u / 6);  // the pad reaches the window's width
  EXPECT_EQ(host.directory.patternsSearched.size(), 16u);
  EXPECT_EQ(show->Picture().pictureBitmap.width, 682);  // floating by the message settings
  EXPECT_EQ(show->Picture().pictureBitmap.height, 511);
}

TEST_F(SaverShowTest, PaintGoesOnAfterAReaderAsksToEnd) {
  host.pictureSettings = [](settings::SaverSettings&, settings::PictureList&) { return ReadOutcome::EndApplication; };
  host.messageOutcome = ReadOutcome::EndApplication;
  Create();
  const size_t from = host.log.size();
  show->FormPaint();
  const auto log = LogSince(from);
  EXPECT_EQ(log[1], "RequestEnd");
  EXPECT_EQ(log[3], "RequestEnd");
  EXPECT_EQ(log.back(), "StretchBackBuffer");
  EXPECT_TRUE(host.timers.Enabled(SaverTimer::tmGamen));
}

TEST_F(SaverShowTest, RegisteredModeNeedsNoFolderSearch) {
  Registered(3);
  Create();
  show->FormPaint();
  EXPECT_TRUE(host.directory.patternsSearched.empty());
  EXPECT_EQ(show->Picture().pictureBitmap.width, 40);
}

TEST_F(SaverShowTest, SwitchRunsItsStepsInOrderAndWrapsAfterTheLastIndex) {
  Registered(3);
  Create();
  show->FormPaint();
  std::vector<int32_t> shown;
  for (int i = 0; i < 4; ++i) {
    const size_t from = host.log.size();
    show->tmGamenTimer();
    shown.push_back(show->List().currentIndex);
    EXPECT_EQ(LogSince(from), (std::vector<std::string>{"Decode R" + std::to_string(shown.back()) + ".bmp"}));
    EXPECT_EQ(host.timers.Interval(SaverTimer::Timer1), 50u);
    EXPECT_TRUE(host.timers.Enabled(SaverTimer::Timer1) && host.timers.Enabled(SaverTimer::tmCom));
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{1, 2, 0, 1}));
}

TEST_F(SaverShowTest, SixtyRegisteredEntriesShowTheSampleAtIndicesPastFifty) {
  Registered(60);
  Create();
  show->FormPaint();
  for (int i = 1; i <= 60; ++i) {
    show->tmGamenTimer();
    const int32_t index = show->List().currentIndex;
    EXPECT_EQ(index, i % 60);
    EXPECT_EQ(ShowsSample(), index > 50) << index;
  }
}

TEST_F(SaverShowTest, EntryCountAboveTheSlotsNeverReadsPastThem) {
  Registered(150);
  Create();
  show->FormPaint();
  for (int i = 1; i <= 150; ++i) {
    show->tmGamenTimer();
    EXPECT_EQ(ShowsSample(), show->List().currentIndex > 50);
  }
  EXPECT_EQ(show->List().currentIndex, 0);
}

TEST_F(SaverShowTest, EmptyFolderShowsTheSampleAtEverySwitchAndStaysAtIndexZero) {
  Folder({});
  Create();
  show->FormPaint();
  EXPECT_TRUE(ShowsSample());
  show->tmGamenTimer();
  EXPECT_EQ(show->List().currentIndex, 0);
  EXPECT_TRUE(ShowsSample());
  EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(), [](auto& s) { return s.starts_with("Decode"); }), 0);
}

TEST_F(SaverShowTest, UndecodableFilesShowTheSampleSilently) {
  Folder({{"broken.gif", codecs::Image()}});
  host.directory.AddEntry("C:\\P", "gone.bmp");
  Create();
  show->FormPaint();
  EXPECT_TRUE(ShowsSample());
  show->tmGamenTimer();
  EXPECT_TRUE(ShowsSample());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SaverShowTest, ZeroFittedHeightTellsTheUserAndKeepsTheOldGeometry) {
  Folder({{"a.bmp", Filled(320, 80, 1)}, {"b.bmp", Filled(5000, 3, 2)}});
  Create();
  show->FormPaint();
  const FrameGeometry strip = show->Picture().geometry;
  show->tmGamenTimer();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], kZeroHeightMessage);
  EXPECT_EQ(show->Picture().geometry, strip);
  EXPECT_EQ(show->Picture().pictureBitmap.width, 682);
  EXPECT_EQ(show->Picture().pictureBitmap.height, 0);
  Tick(*show);  // an empty bitmap draws nothing
  EXPECT_TRUE(std::all_of(buffer.pixels.begin(), buffer.pixels.end(), [](uint32_t p) { return p == 0; }));
}

TEST_F(SaverShowTest, ZeroFittedHeightInPreviewShowsNoMessage) {
  Folder({{"b.bmp", Filled(5000, 3, 2)}});
  Create(/*preview=*/true);
  show->FormPaint();
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SaverShowTest, TickComposesClearMoveCopyTickerPresent) {
  Folder({{"a.bmp", Filled(100, 100, 0xFF0000)}});
  Create();
  show->FormPaint();
  const size_t from = host.log.size();
  Tick(*show);
  EXPECT_EQ(LogSince(from), (std::vector<std::string>{"PresentUpdate"}));  // no ticker text before its first step
  EXPECT_EQ(show->Motion().destRect, (Rect{2, 2, 102, 102}));
  EXPECT_EQ(buffer.pixels[2 * 1024 + 2], 0xFF0000u);
  EXPECT_EQ(buffer.pixels[1 * 1024 + 1], 0u);
}

// Runs floating ticks of a 32 x 32 sample until the first bounce.
class BounceTest : public SaverShowTest {
 protected:
  void BounceOnce(int32_t soundEffect, bool preview = false) {
    host.message.soundEffect = soundEffect;
    Folder({});
    Create(preview);
    show->FormPaint();
    while (show->Motion().dirY == 1) Tick(*show);
  }
};

TEST_F(BounceTest, BeepAndSystemSoundMapToTheirBeeps) {
  BounceOnce(settings::Beep);
  EXPECT_EQ(host.beeps, (std::vector<uint32_t>{0xFFFFFFFF}));
  host.beeps.clear();
  while (show->Motion().dirX == 1) Tick(*show);
  EXPECT_EQ(host.beeps.size(), 1u);
}

TEST_F(BounceTest, SystemSoundIsTheDefaultBeep) {
  BounceOnce(settings::SystemSound);
  EXPECT_EQ(host.beeps, (std::vector<uint32_t>{0}));
}

TEST_F(BounceTest, OtherNumbersAndPreviewAreSilent) {
  for (int32_t sound : {0, 3, 7}) {
    BounceOnce(sound);
    EXPECT_TRUE(host.beeps.empty()) << sound;
  }
  BounceOnce(settings::Beep, /*preview=*/true);
  EXPECT_TRUE(host.beeps.empty());
}

TEST_F(BounceTest, BounceRestartsTimer1AtTheDrawnTempoAndFlipsTheAnimation) {
  BounceOnce(settings::NoSound);
  const Tempo tempo = TempoAt(host.seconds);
  EXPECT_EQ(host.timers.Interval(SaverTimer::Timer1), tempo.timerInterval);
  EXPECT_TRUE(host.timers.Enabled(SaverTimer::Timer1));
  EXPECT_EQ(show->Animation().framePeriod, tempo.framePeriod);
  EXPECT_FALSE(show->Animation().animForward);
}

TEST_F(BounceTest, SwitchResetsTheTickToFiftyButKeepsTheFramePeriod) {
  // A second whose draw is r = 2: Timer1 at 8 ms, framePeriod 2.
  while (TempoAt(host.seconds).timerInterval != 8) ++host.seconds;
  BounceOnce(settings::NoSound);
  EXPECT_EQ(host.timers.Interval(SaverTimer::Timer1), 8u);
  show->tmGamenTimer();
  EXPECT_EQ(host.timers.Interval(SaverTimer::Timer1), 50u);
  EXPECT_EQ(show->Animation().framePeriod, 2);
  EXPECT_FALSE(show->Animation().animForward);
}

TEST_F(SaverShowTest, StandingStillNeverTouchesTheTimers) {
  host.message.floating = false;
  Folder({{"a.bmp", Filled(800, 600, 1)}});
  Create();
  show->FormPaint();
  host.nowMs = 20;  // a restart would count from here
  for (int i = 0; i < 50; ++i) Tick(*show);
  EXPECT_EQ(host.timers.NextDue(), 50'000'000) << "Timer1 never restarted";
  EXPECT_EQ(show->Motion().destRect, (Rect{112, 84, 912, 684}));
}

TEST(SwitchInterval, ZeroOrNegativeNeverFiresAndLargeValuesSaturate) {
  EXPECT_EQ(SaverShow::SwitchInterval(5), 5000u);
  EXPECT_EQ(SaverShow::SwitchInterval(0), 0u);
  EXPECT_EQ(SaverShow::SwitchInterval(-3), 0u);
  EXPECT_EQ(SaverShow::SwitchInterval(2'147'483), 2'147'483'000u);
  EXPECT_EQ(SaverShow::SwitchInterval(2'147'484), 0x7FFFFFFFu);
  EXPECT_EQ(SaverShow::SwitchInterval(INT32_MAX), 0x7FFFFFFFu);
}

// The timing below runs on the fake window timers, 1 ms at a time.
class SwitchTimingTest : public SaverShowTest {
 protected:
  void SetUp() override {
    host.screen = {64, 48};
    buffer = TestBuffer(host.screen);
    Folder({{"a.bmp", Filled(10, 10, 1)}, {"b.bmp", Filled(10, 10, 2)}});
  }
};

TEST_F(SwitchTimingTest, SwitchesEveryFiveSecondsAfterTheFirstPaint) {
  Create();
  host.Run(*show, 1000);
  show->FormPaint();
  host.Run(*show, 15'000);
  EXPECT_EQ(host.switchTimes, (std::vector<int64_t>{6000, 11000, 16000}));
}

TEST_F(SwitchTimingTest, RepaintMidIntervalLeavesTheCountdownAlone) {
  Create();
  show->FormPaint();
  host.Run(*show, 3000);
  show->FormPaint();
  EXPECT_EQ(show->List().currentIndex, 0);
  host.Run(*show, 2000);
  EXPECT_EQ(host.switchTimes, (std::vector<int64_t>{5000}));
  EXPECT_EQ(show->List().currentIndex, 1);
}

TEST_F(SwitchTimingTest, ZeroSecondsKeepsTheFirstPictureForGood) {
  host.message.switchSeconds = 0;
  Create();
  show->FormPaint();
  host.Run(*show, 20'000);
  EXPECT_TRUE(host.switchTimes.empty());
  EXPECT_EQ(show->List().currentIndex, 0);
}

TEST_F(SwitchTimingTest, ASingleEntryReloadsAndTheMotionGoesOn) {
  host.directory = {};
  host.directory.AddEntry("C:\\P", "a.bmp");
  Create();
  show->FormPaint();
  host.Run(*show, 5001);  // a tick, then the switch, at 5000 ms
  const MotionState before = show->Motion();
  host.Run(*show, 49);  // the next tick, 50 ms after the switch
  EXPECT_EQ(host.switchTimes.size(), 1u);
  EXPECT_EQ(show->List().currentIndex, 0);
  EXPECT_EQ(std::abs(show->Motion().posX - before.posX), 2);
}

// A switch whose load blocks the thread: the frame and ticker timers count
// afresh from when it ended, so the picture does not jump by a burst of
// ticks; and a message box holds the next switch back until it has closed.
TEST_F(SwitchTimingTest, TimersRestartedByABlockingSwitchCountFromItsEnd) {
  host.decodeMs = 300;
  host.message.floating = false;  // Timer1 at 50 ms throughout, no bounce
  Create();
  show->FormPaint();  // decodes a.bmp: the clock is now at 300 ms
  host.Run(*show, 4999);
  host.frameTimes.clear();
  host.Run(*show, 450);  // the switch at 5300 ms decodes until 5600 ms
  EXPECT_EQ(host.switchTimes, (std::vector<int64_t>{5300}));
  EXPECT_EQ(host.frameTimes.front(), 5300);  // the tick due with the switch, before it
  EXPECT_EQ(std::vector<int64_t>(host.frameTimes.begin() + 1, host.frameTimes.end()),
            (std::vector<int64_t>{5650, 5700}));
}

TEST_F(SwitchTimingTest, AMessageBoxHoldsTheNextSwitchUntilItCloses) {
  host.directory = {};
  Folder({{"tall.bmp", Filled(5000, 3, 2)}});  // fits to a height of 0: the box at every load
  host.messageBoxMs = 2000;
  Create();
  show->FormPaint();
  host.Run(*show, 20'000);
  ASSERT_GE(host.messages.size(), 2u);
  for (size_t i = 1; i < host.switchTimes.size(); ++i)
    EXPECT_EQ(host.switchTimes[i] - host.switchTimes[i - 1], 5000 + 2000) << i;
}

}  // namespace
}  // namespace slideshow
