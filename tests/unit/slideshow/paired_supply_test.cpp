// Pairs through the supply: which picks of an order share a slide, where the
// next slide begins, and that both photos of a pair count as shown: going
// back goes back over both, hiding hides both, the shuffle's kept place is
// past both.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "slideshow/picture_supply.h"

namespace slideshow {
namespace {

using testing::Filled;

// 'T' a portrait, 'W' a landscape picture; named P\0.bmp, P\1.bmp, ...,
// each filled with its number + 1.
struct PairedList {
  explicit PairedList(const std::string& kinds, bool shuffle = false, ShuffleKeeping keeping = {})
      : supply(Readers(kinds), {{}, {}, false}, std::move(keeping)), seat(supply.Join(0)) {
    settings::PictureSettings picture;
    picture.useRegisteredList = true;
    picture.shuffle = shuffle;
    settings::PictureList stored;
    for (size_t i = 0; i < kinds.size(); ++i) stored.paths[i] = Path(i);
    stored.entryCount = int32_t(kinds.size()), stored.lastIndex = int32_t(kinds.size()) - 1;
    supply.Refresh(picture, stored);
  }
  static std::string Path(size_t i) { return "P\\" + std::to_string(i) + ".bmp"; }
  PictureReaders Readers(const std::string& kinds) {
    std::map<std::string, codecs::Image> files;
    for (size_t i = 0; i < kinds.size(); ++i) files[Path(i)] = kinds[i] == 'T' ? Filled(30, 60, uint32_t(i + 1)) : Filled(60, 30, uint32_t(i + 1));
    PictureReaders readers{[files](const std::string& path, const codecs::ShownSize&) -> std::optional<codecs::Image> {
                             return files.at(path);
                           },
                           {}};
    readers.header = [files](const std::string& path) {
      const codecs::Image& image = files.at(path);
      return codecs::PictureHeader{true, {image.width, image.height}};
    };
    return readers;
  }
  // The paths the current slide shows, read anew (as after a move of the
  // viewer's) or, after a switch, as the show took it before.
  std::vector<std::string> Slide(const ShowFit& fit) { return Shown(supply.TakeCurrent(seat, fit)); }
  std::vector<std::string> Shown(const PictureRead& read) {
    EXPECT_TRUE(read.Ready());
    std::vector<std::string> paths{supply.CurrentPath(seat)};
    // The second photo of a pair, told by its colour in its half.
    if (read.picture.Span() == 2) {
      const Rect half = read.picture.photos[1].area;
      const codecs::Image& laidOut = read.picture.bitmap;
      paths.push_back(Path(laidOut.row((half.top + half.bottom) / 2)[(half.left + half.right) / 2] - 1));
    }
    return paths;
  }
  // The switch: the next slide as the show takes it, then the move.
  PictureRead Switch(const ShowFit& fit) {
    PictureRead read = supply.TakeNext(seat, fit);
    EXPECT_TRUE(read.Ready());
    supply.Advance();
    return read;
  }
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
  for (size_t i = 0; i < c.starts.size(); ++i) {
    const std::vector<std::string> slide = list.Shown(read);
    starts.push_back(size_t(std::stoi(slide.front().substr(2))));
    spans.push_back(slide.size());
    read = list.Switch(c.fit);
  }
  EXPECT_EQ(starts, c.starts);
  EXPECT_EQ(spans, c.spans);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, PairedOrder,
    ::testing::Values(
        OrderCase{"portraits pair, a landscape and the lone last stand alone", "TTWTTT", kPairsOnWide,
                  {0, 2, 3, 5, 0}, {2, 1, 2, 1, 2}},
        OrderCase{"a portrait between landscapes", "TWT", kPairsOnWide, {0, 1, 2, 0}, {1, 1, 1, 1}},
        OrderCase{"a portrait monitor pairs landscapes", "WWTWW", kPairsOnTall, {0, 2, 3, 0}, {2, 1, 2, 2}},
        OrderCase{"two pictures pair again every round", "TT", kPairsOnWide, {0, 0, 0}, {2, 2, 2}},
        OrderCase{"a list of one pairs with nothing", "T", kPairsOnWide, {0, 0}, {1, 1}},
        OrderCase{"without pairs, one by one", "TTT", kNoPairs, {0, 1, 2, 0}, {1, 1, 1, 1}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PairedSlides, GoingBackGoesBackOverAWholePair) {
  PairedList list("TTWTT");
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\0.bmp", "P\\1.bmp"}));
  list.supply.Next();
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\2.bmp"}));
  list.supply.Next();
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\3.bmp", "P\\4.bmp"}));
  ASSERT_TRUE(list.supply.Back());
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\2.bmp"}));
  ASSERT_TRUE(list.supply.Back());
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\0.bmp", "P\\1.bmp"}));
  list.supply.Next();
  list.supply.Next();
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\3.bmp", "P\\4.bmp"}))
      << "forward again through the history";
}

TEST(PairedSlides, HidingAPairHidesBoth) {
  PairedList list("TTWT");
  ASSERT_EQ(list.Slide(kPairsOnWide).size(), 2u);
  list.supply.Hide(list.supply.CurrentPath(list.seat));
  EXPECT_EQ(list.Slide(kPairsOnWide), (std::vector<std::string>{"P\\2.bmp"}));
  EXPECT_EQ(list.Shown(list.Switch(kPairsOnWide)), (std::vector<std::string>{"P\\3.bmp"}));
  EXPECT_EQ(list.Shown(list.Switch(kPairsOnWide)), (std::vector<std::string>{"P\\2.bmp"})) << "neither photo comes back";
}

// A run that ends during a pair goes on next time after both of its photos.
TEST(PairedSlides, TheShufflesKeptPlaceIsPastBothPhotosOfAPair) {
  std::optional<ShufflePlace> kept;
  const ShuffleKeeping keeping{[&] { return kept; }, [&](const ShufflePlace& place) { kept = place; }};
  std::vector<std::string> first;
  {
    PairedList list("TTTTTT", true, keeping);
    first = list.Slide(kPairsOnWide);
    ASSERT_EQ(first.size(), 2u);
  }
  PairedList next("TTTTTT", true, keeping);
  for (const std::string& shown : next.Slide(kNoPairs))
    EXPECT_TRUE(shown != first[0] && shown != first[1]) << shown;
}

}  // namespace
}  // namespace slideshow
