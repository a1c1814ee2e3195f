// The picture supply of a run on two monitors, over a worker: another
// monitor follows the primary's position however late its reads are, and a
// read that fails in any way shows the sample.
#include "slideshow/picture_supply.h"

#include <gtest/gtest.h>

#include <memory>
#include <chrono>
#include <mutex>
#include <thread>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "slideshow/monitor_shows.h"
#include "slideshow/saver_engine.h"
#include "slow_storage.h"
#include "tests/support/reader_gate.h"

namespace slideshow {
namespace {

using testing::Eventually;
using testing::Filled;

constexpr int64_t kMs = 1'000'000;

// A screen in folder mode over P, switching every second, showing `offset`
// pictures along from `supply`'s position.
struct Screen : testing::EngineScreen {
  Screen(Size size, PictureSupply& supply, int32_t offset)
      : EngineScreen(size, [&] {
          SaverShowSetup show;
          show.supply = &supply;
          show.followsSwitches = offset > 0;
          show.pictureOffset = offset;
          return show;
        }()) {
    host.message.switchSeconds = 1;
    host.pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "P";
      s.picture.useRegisteredList = false;
      return settings::ReadOutcome::Continue;
    };
  }
};

// Folder P holds a.bmp to e.bmp, 200 x 100 each, on storage where the other
// monitor's reads (the smaller screen's, told apart by the size it shows a
// picture at) wait at a gate of their own.
class TwoMonitorSupply : public ::testing::Test {
 protected:
  static constexpr const char* kNames[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"};
  PictureReaders Readers() {
    settings::MemoryDirectory directory;
    std::map<std::string, codecs::Image> files;
    for (const char* name : kNames) {
      directory.AddEntry("P", name);
      files[std::string("P\\") + name] = Filled(200, 100, uint32_t(name[0]));
    }
    return {[files = files, gate = otherReads](const std::string& path,
                                                const codecs::ShownSize& shown) -> std::optional<codecs::Image> {
              if (shown({200, 100}).width < 100) gate->Pass();
              return files.at(path);
            },
            [directory = directory](const std::string& folder, settings::PictureList& list) mutable {
              ScanPictureFolder(folder, directory, list);
            }};
  }
  void StepTo(int64_t t) {
    for (int64_t at = primary.now; at < t;) {
      at += kMs;
      primary.now = other.now = at;
      shows.Step(at);
    }
  }
  bool StepUntil(const std::function<bool()>& done) {
    return Eventually([&] { shows.Step(primary.now); }, done);
  }
  // Moves the clock on 10 ms at a time until `done`, giving the worker a
  // moment at each step, so no switch is held for a read.
  bool RunUntil(const std::function<bool()>& done) {
    return Eventually([&] { StepTo(primary.now + 10 * kMs); }, done);
  }
  static char Shown(const Screen& s) {
    const std::string& path = s.engine->Show().ShownPath();
    return path.empty() ? '?' : path[2];
  }

  std::shared_ptr<tolvex_test::Gate> otherReads = std::make_shared<tolvex_test::Gate>();
  PictureSupply supply{Readers(), {{}, {}, true}};
  Screen primary{{320, 240}, supply, 0};
  Screen other{{40, 30}, supply, 1};
  MonitorShows shows{*primary.engine};
};

// While the other monitor's reads wait, the primary switches three times;
// when they come, the other monitor goes straight to one picture past the
// primary's, in one switch, instead of flashing through the three it missed.
TEST_F(TwoMonitorSupply, ALateMonitorJumpsToThePositionWithoutABacklog) {
  shows.AddFollower(*other.engine);
  primary.engine->Paint();
  other.engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Shown(primary) == 'a' && Shown(other) == '?'; }));
  EXPECT_EQ(other.engine->Show().Switches(), 0);
  ASSERT_TRUE(RunUntil([&] { return Shown(primary) == 'd'; }));
  EXPECT_EQ(Shown(other), '?');
  otherReads->Open();
  ASSERT_TRUE(StepUntil([&] { return Shown(other) == 'e'; }));
  EXPECT_LE(other.engine->Show().Switches(), 1) << "no backlog of switches";
  ASSERT_TRUE(RunUntil([&] { return Shown(primary) == 'e'; }));
  ASSERT_TRUE(StepUntil([&] { return Shown(other) == 'a'; }));
}

// A switch that the primary makes outside the wake that steps every
// monitor (inside its paint, when the picture it waited for is there) moves
// the other monitor on too.
TEST_F(TwoMonitorSupply, ASwitchMadeOutsideTheCommonStepIsFollowed) {
  otherReads->Open();
  shows.AddFollower(*other.engine);
  primary.engine->Paint();
  other.engine->Paint();
  ASSERT_TRUE(StepUntil([&] { return Shown(primary) == 'a' && Shown(other) == 'b'; }));
  ASSERT_TRUE(Eventually([&] { primary.engine->Step(1'000 * kMs); }, [&] { return Shown(primary) == 'b'; }));
  primary.now = other.now = 1'000 * kMs;
  ASSERT_TRUE(StepUntil([&] { return Shown(other) == 'c'; }));
  EXPECT_EQ(other.engine->Show().Switches(), 1);
}

// Whatever a read throws, and a read that runs out of memory, shows the
// sample; the show goes on to the next picture.
TEST(PictureSupply, AReadThatThrowsAnythingShowsTheSample) {
  tolvex_test::OwnerThread owner;
  PictureReaders readers{[](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
                           if (path == "bad") throw 42;
                           if (path == "huge") throw std::bad_alloc();
                           return Filled(4, 4, 1);
                         },
                         {}};
  PictureSupply supply(readers, owner.ReaderSetup());
  const int seat = supply.Join(0);
  settings::PictureList list;
  list.paths[0] = "bad", list.paths[1] = "huge", list.paths[2] = "good";
  list.entryCount = 3, list.lastIndex = 2;
  supply.Refresh({"", true}, list);
  const ShowFit fit{DisplayMethod::Still, {64, 48}};
  std::string shown;
  for (int i = 0; i < 3; ++i) {
    PictureRead read;
    ASSERT_TRUE(Eventually([&] { supply.Deliver(); },
                           [&] { return (read = i == 0 ? supply.TakeCurrent(seat, fit) : supply.TakeNext(seat, fit)).Ready(); }));
    if (i > 0) supply.Advance();
    shown += read.Failed() ? "sample " : "picture ";
  }
  EXPECT_EQ(shown, "sample sample picture ");
}

// A show that fades holds its two slides until the fade is over; the
// picture after them is read only then, or at once when it is wanted sooner.
TEST(PictureSupply, AHeldNextPictureIsReadWhenReleasedOrWanted) {
  tolvex_test::OwnerThread owner;
  std::mutex lock;
  std::vector<std::string> reads;
  PictureReaders readers{[&](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
                           const std::lock_guard<std::mutex> hold(lock);
                           reads.push_back(path);
                           return Filled(4, 4, 1);
                         },
                         {}};
  PictureSupply supply(readers, owner.ReaderSetup());
  const int seat = supply.Join(0);
  settings::PictureList list;
  for (int i = 0; i < 4; ++i) list.paths[i] = std::string(1, char('a' + i));
  list.entryCount = 4, list.lastIndex = 3;
  supply.Refresh({"", true}, list);
  const ShowFit fit{DisplayMethod::Still, {64, 48}};
  const auto read = [&] {
    const std::lock_guard<std::mutex> hold(lock);
    std::string all;
    for (const std::string& path : reads) all += path;
    return all;
  };
  const auto take = [&](bool next) {
    return Eventually([&] { supply.Deliver(); },
                      [&] { return (next ? supply.TakeNext(seat, fit) : supply.TakeCurrent(seat, fit)).Ready(); });
  };
  ASSERT_TRUE(take(false));
  ASSERT_TRUE(Eventually([&] { supply.Deliver(); }, [&] { return read() == "ab"; }));
  ASSERT_TRUE(take(true));
  supply.HoldNext(seat, true);
  supply.Advance();
  // Long enough for a read that was not held to come.
  for (int i = 0; i < 20; ++i) {
    supply.Deliver();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(read(), "ab") << "c waits for the fade";
  supply.HoldNext(seat, false);
  ASSERT_TRUE(Eventually([&] { supply.Deliver(); }, [&] { return read() == "abc"; }));
  ASSERT_TRUE(take(true));
  supply.HoldNext(seat, true);
  supply.Advance();
  ASSERT_TRUE(take(true)) << "d wanted while held";
  EXPECT_EQ(read(), "abcd");
}

}  // namespace
}  // namespace slideshow
