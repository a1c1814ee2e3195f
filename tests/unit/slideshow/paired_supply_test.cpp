// Pairs through the supply: which picks of an order share a slide, where the
// next slide begins, and that both photos of a pair count as shown: going
// back goes back over both, hiding hides both, the shuffle's kept place is
// past both.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "memory_pictures.h"
#include "slideshow/picture_supply.h"

namespace slideshow {
namespace {

using testing::Filled;

// 'T' a portrait, 'W' a landscape picture; named P\0.bmp, P\1.bmp, ...,
// each filled with its number + 1.
struct PairedList {
  explicit PairedList(const std::string& kinds, bool shuffle = false, ShuffleKeeping keeping = {})
      : files(Pictures(kinds)), supply(files.Readers(), {{}, {}, false}, std::move(keeping)), seat(supply.Join(0)) {
    settings::PictureSettings picture;
    picture.useRegisteredList = true;
    picture.shuffle = shuffle;
    settings::PictureList stored;
    for (size_t i = 0; i < kinds.size(); ++i) stored.paths[i] = Path(i);
    stored.entryCount = int32_t(kinds.size()), stored.lastIndex = int32_t(kinds.size()) - 1;
    supply.Refresh(picture, stored);
  }
  static std::string Path(size_t i) { return "P\\" + std::to_string(i) + ".bmp"; }
  static testing::MemoryPictures Pictures(const std::string& kinds) {
    testing::MemoryPictures files;
    for (size_t i = 0; i < kinds.size(); ++i)
      files.pictures[Path(i)] = kinds[i] == 'T' ? Filled(30, 60, uint32_t(i + 1)) : Filled(60, 30, uint32_t(i + 1));
    return files;
  }
  // The picks the current slide shows, read anew (as after a move of the
  // viewer's) or, after a switch, as the show took it before.
  std::vector<size_t> Slide(const ShowFit& fit) { return Shown(supply.TakeCurrent(seat, fit)); }
  std::vector<size_t> Shown(const PictureRead& read) {
    EXPECT_TRUE(read.Ready());
    std::vector<size_t> picks{size_t(std::stoi(supply.CurrentPath(seat).substr(2)))};
    // The second photo of a pair, told by its colour in its half.
    if (read.picture.Span() == 2) {
      const Rect half = read.picture.photos[1].area;
      picks.push_back(read.picture.bitmap.row((half.top + half.bottom) / 2)[(half.left + half.right) / 2] - 1);
    }
    return picks;
  }
  // The switch: the next slide as the show takes it, then the move.
  PictureRead Switch(const ShowFit& fit) {
    PictureRead read = supply.TakeNext(seat, fit);
    EXPECT_TRUE(read.Ready());
    supply.Advance();
    return read;
  }
  testing::MemoryPictures files;
  PictureSupply supply;
  const int seat;
};

const ShowFit kPairsOnWide{DisplayMethod::Still, {200, 100}, {true, false}};
const ShowFit kPairsOnTall{DisplayMethod::Still, {100, 200}, {true, false}};
const ShowFit kNoPairs{DisplayMethod::Still, {200, 100}, {}};

struct OrderCase {
  const char* what;
  const char* kinds;
  ShowFit fit;
  std::vector<size_t> starts;  // the first pick of each slide, over a round and on
  std::vector<size_t> spans;
};

class PairedOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(PairedOrder, EachSlideBeginsAfterTheLastOneShown) {
  const OrderCase& c = GetParam();
  PairedList list(c.kinds);
  std::vector<size_t> starts, spans;
  PictureRead read = list.supply.TakeCurrent(list.seat, c.fit);
  for (size_t i = 0; i < c.starts.size(); ++i, read = list.Switch(c.fit)) {
    const std::vector<size_t> slide = list.Shown(read);
    starts.push_back(slide.front());
    spans.push_back(slide.size());
  }
  EXPECT_EQ(starts, c.starts);
  EXPECT_EQ(spans, c.spans);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, PairedOrder,
    ::testing::Values(
        OrderCase{"portraits pair, a landscape and the lone last stand alone", "TTWTTT", kPairsOnWide,
                  {0, 2, 3, 5, 0}, {2, 1, 2, 1, 2}},
        OrderCase{"a portrait monitor pairs landscapes", "WWTWW", kPairsOnTall, {0, 2, 3, 0}, {2, 1, 2, 2}},
        OrderCase{"two pictures pair again every round", "TT", kPairsOnWide, {0, 0, 0}, {2, 2, 2}},
        OrderCase{"a list of one pairs with nothing", "T", kPairsOnWide, {0, 0}, {1, 1}},
        OrderCase{"without pairs, one by one", "TTT", kNoPairs, {0, 1, 2, 0}, {1, 1, 1, 1}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// Back along the history and forward again, a whole pair at a time.
TEST(PairedSlides, GoingBackGoesBackOverAWholePair) {
  PairedList list("TTWTT");
  const struct {
    char key;
    std::vector<size_t> slide;
  } steps[] = {{' ', {0, 1}}, {'>', {2}}, {'>', {3, 4}}, {'<', {2}}, {'<', {0, 1}}, {'>', {2}}, {'>', {3, 4}}};
  for (const auto& step : steps) {
    if (step.key == '>') list.supply.Next();
    if (step.key == '<') {
      ASSERT_TRUE(list.supply.Back());
    }
    EXPECT_EQ(list.Slide(kPairsOnWide), step.slide) << step.key;
  }
}

TEST(PairedSlides, HidingAPairHidesBoth) {
  PairedList list("TTWT");
  ASSERT_EQ(list.Slide(kPairsOnWide).size(), 2u);
  list.supply.Hide(list.supply.CurrentPath(list.seat));
  EXPECT_EQ(list.Slide(kPairsOnWide), std::vector<size_t>{2});
  EXPECT_EQ(list.Shown(list.Switch(kPairsOnWide)), std::vector<size_t>{3});
  EXPECT_EQ(list.Shown(list.Switch(kPairsOnWide)), std::vector<size_t>{2}) << "neither photo comes back";
}

// A run that ends during a pair goes on next time after both of its photos.
TEST(PairedSlides, TheShufflesKeptPlaceIsPastBothPhotosOfAPair) {
  std::optional<ShufflePlace> kept;
  const ShuffleKeeping keeping{[&] { return kept; }, [&](const ShufflePlace& place) { kept = place; }};
  const std::vector<size_t> first = PairedList("TTTTTT", true, keeping).Slide(kPairsOnWide);
  ASSERT_EQ(first.size(), 2u);
  for (const size_t shown : PairedList("TTTTTT", true, keeping).Slide(kNoPairs))
    EXPECT_TRUE(shown != first[0] && shown != first[1]) << shown;
}

}  // namespace
}  // namespace slideshow
