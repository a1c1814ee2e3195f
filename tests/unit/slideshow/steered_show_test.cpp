// The viewer's keys through the show, for the folder scan, the registered
// list and a shuffled list: → and ← along the history and forward again,
// a repaint that keeps the history, H taking the photo out of this run for
// good (that its keeper is told is proved on the real saver), Space holding
// the switch past its time under a mark, and → starting the switch interval
// over.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_saver_host.h"

namespace slideshow {
namespace {

constexpr const char* kNames[] = {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"};

enum class Source { Folder, Registered, Shuffled };

class SteeredShow : public ::testing::Test {
 protected:
  void Create(Source source) {
    for (const char* name : kNames) {
      host.directory.AddEntry("C:\\P", name);
      host.files[std::string("C:\\P\\") + name] = testing::Filled(40, 30, uint32_t(name[0]));
    }
    host.pictureSettings = [source](settings::SaverSettings& s, settings::PictureList& l) {
      s.picture.folder = "C:\\P";
      s.picture.useRegisteredList = source != Source::Folder;
      s.picture.shuffle = source == Source::Shuffled;
      if (source == Source::Folder) return settings::ReadOutcome::Continue;
      for (size_t i = 0; i < std::size(kNames); ++i) l.paths[i] = std::string("C:\\P\\") + kNames[i];
      l.entryCount = int32_t(std::size(kNames));
      l.lastIndex = l.entryCount - 1;
      return settings::ReadOutcome::Continue;
    };
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine,
                                       SaverShowSetup{buffer.view, testing::SampleStrip(), false, &host.supply});
    show->FormCreate();
    show->FormPaint();
  }
  // The photos shown, as letters in the order first seen: "abcb" is one
  // photo, two others, then the second again.
  std::string Seen() const {
    std::map<std::string, char> letters;
    std::string seen;
    for (const std::string& path : shown) {
      const auto [at, added] = letters.emplace(path, char('a' + letters.size()));
      seen += at->second;
    }
    return seen;
  }
  // → ← and H as '>', '<' and 'H'; 'P' a repaint.
  void Steer(const std::string& keys) {
    shown.push_back(show->ShownPath());
    for (const char key : keys) {
      if (key == 'P') {
        show->FormPaint();
        host.Run(*show, 1);
      } else {
        show->Steer(std::map<char, KeyCommand>{{'>', KeyCommand::Next}, {'<', KeyCommand::Back}, {'H', KeyCommand::Hide}}.at(key));
        show->ReceiveReads();
      }
      shown.push_back(show->ShownPath());
    }
  }

  testing::FakeSaverHost host;
  FrameCounters counters;
  testing::TestBuffer buffer{host.screen};
  std::unique_ptr<SaverShow> show;
  std::vector<std::string> shown;
};

struct KeysCase {
  const char* name;
  Source source;
  const char* keys;
  const char* seen;
};

class SteeredShowKeys : public SteeredShow, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(SteeredShowKeys, ShowTheSlidesOfTheHistory) {
  Create(GetParam().source);
  Steer(GetParam().keys);
  EXPECT_EQ(Seen(), GetParam().seen);
}

// With H the photo leaves the history too: back from the slide after it is
// the slide before it; after a repaint it does not come back.
INSTANTIATE_TEST_SUITE_P(
    Sources, SteeredShowKeys,
    ::testing::Values(KeysCase{"folderBackPastTheStartAndOn", Source::Folder, "><<>>>", "abaabcd"},
                      KeysCase{"folderHide", Source::Folder, ">H<", "abca"},
                      KeysCase{"folderRepaintKeepsTheHistory", Source::Folder, ">>P<<", "abccba"},
                      KeysCase{"folderHiddenLeftOutAfterARepaint", Source::Folder, ">HP>>>>", "abccdeac"},
                      KeysCase{"registeredBackThenOn", Source::Registered, ">><<>>>", "abcbabcd"},
                      KeysCase{"registeredHideWhileBack", Source::Registered, ">><H>", "abcbcd"},
                      KeysCase{"shuffledBackThenOn", Source::Shuffled, ">><<>>>", "abcbabcd"}),
    [](const auto& info) { return std::string(info.param.name); });

// Space holds the switch past its time, and Space again lets it come a whole
// interval later; a mark is over the frame for two seconds each time.
TEST_F(SteeredShow, SpaceHoldsTheSwitchUnderAMark) {
  Create(Source::Folder);
  const auto marked = [&] { return show->FrameAt(host.nowMs * 1'000'000).texts.size() == 3; };
  host.Run(*show, 3000);
  show->Steer(KeyCommand::Pause);
  EXPECT_TRUE(marked());
  host.Run(*show, 1999);
  EXPECT_TRUE(marked());
  host.Run(*show, 1);
  EXPECT_FALSE(marked());
  host.Run(*show, 10'000);
  EXPECT_EQ(show->Switches(), 0);
  show->Steer(KeyCommand::Pause);
  EXPECT_TRUE(marked());
  host.Run(*show, 4999);
  EXPECT_EQ(show->Switches(), 0);
  host.Run(*show, 1);
  EXPECT_EQ(show->Switches(), 1);
}

TEST_F(SteeredShow, NextStartsTheSwitchIntervalOver) {
  Create(Source::Folder);
  host.Run(*show, 3000);
  show->Steer(KeyCommand::Next);
  EXPECT_EQ(show->Switches(), 1);
  host.Run(*show, 4999);
  EXPECT_EQ(show->Switches(), 1);
  host.Run(*show, 1);
  EXPECT_EQ(show->Switches(), 2);
  EXPECT_EQ(show->ShownPath(), "C:\\P\\c.bmp");
}

}  // namespace
}  // namespace slideshow
