// The shuffle: rounds without repeats over a list that grows while they run,
// a seam between rounds, several monitors at once, and a round that goes on
// from where the last run left it, or begins anew when that place is lost.
#include "slideshow/shuffle_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "settings/memory_registry.h"
#include "slideshow/shuffle_place_store.h"

namespace slideshow {
namespace {

void AddPictures(PictureCatalog& catalog, int from, int to) {
  const uint32_t folder = catalog.AddFolder("C:\\Photos");
  for (int i = from; i < to; ++i) catalog.Add(folder, "IMG_" + std::to_string(i) + ".HEIC");
}

std::vector<uint32_t> Show(ShuffleOrder& order, size_t count) {
  std::vector<uint32_t> shown;
  for (size_t i = 0; i < count; ++i) {
    shown.push_back(order.At(0));
    order.Advance();
  }
  return shown;
}

size_t Distinct(const std::vector<uint32_t>& shown) {
  return std::set<uint32_t>(shown.begin(), shown.end()).size();
}

// 10 pictures, 40 more found after three are shown: the round shows all 50
// once; the next round shows them all once again, and its opening eight are
// none of the last round's closing eight.
TEST(ShuffleOrder, EveryPictureOnceARoundAsTheListGrows) {
  for (const uint64_t seed : {1ull, 2ull, 0xfeedull}) {
    PictureCatalog catalog;
    AddPictures(catalog, 0, 10);
    ShuffleOrder order(catalog, 7, std::nullopt, seed);
    std::vector<uint32_t> round = Show(order, 3);
    AddPictures(catalog, 10, 50);
    order.Grow();
    const std::vector<uint32_t> rest = Show(order, 47);
    round.insert(round.end(), rest.begin(), rest.end());
    EXPECT_EQ(Distinct(round), 50u) << seed;
    const std::vector<uint32_t> next = Show(order, 50);
    EXPECT_EQ(Distinct(next), 50u) << seed;
    const std::set<uint32_t> closing(round.end() - 8, round.end());
    for (size_t i = 0; i < 8; ++i) EXPECT_FALSE(closing.contains(next[i])) << seed << " at " << i;
    EXPECT_NE(std::vector<uint32_t>(round.begin(), round.begin() + 10),
              std::vector<uint32_t>(next.begin(), next.begin() + 10));
  }
}

// Three monitors show three different pictures of the round at once; a list
// of one picture shows it on all of them.
TEST(ShuffleOrder, SeveralMonitorsShowDifferentPictures) {
  PictureCatalog catalog;
  AddPictures(catalog, 0, 30);
  ShuffleOrder order(catalog, 7, std::nullopt, 3);
  std::vector<uint32_t> seen;
  for (int step = 0; step < 10; ++step) {
    const std::vector<uint32_t> atOnce = {order.At(0), order.At(1), order.At(2)};
    EXPECT_EQ(Distinct(atOnce), 3u);
    seen.push_back(atOnce[0]);
    order.Advance();
  }
  EXPECT_EQ(Distinct(seen), 10u);

  PictureCatalog one;
  AddPictures(one, 0, 1);
  ShuffleOrder single(one, 7, std::nullopt, 3);
  EXPECT_EQ(single.At(0), 0u);
  EXPECT_EQ(single.At(2), 0u);
}

// A run that ends after 12 of 40 leaves a place; the next run, with the same
// pictures found in another order, shows the other 28 before any of the 12.
// A place of another source, a place lost, or one the store cannot read
// begins a round of its own.
TEST(ShuffleOrder, ARoundGoesOnFromTheKeptPlace) {
  settings::MemoryRegistry registry;
  PictureCatalog first;
  AddPictures(first, 0, 40);
  ShuffleOrder run1(first, 7, std::nullopt, 99);
  const std::vector<uint32_t> shownBefore = Show(run1, 12);
  WriteShufflePlace(registry, run1.Place(0));
  std::set<std::string> shownPaths;
  for (const uint32_t index : shownBefore) shownPaths.insert(first.PathAt(index));

  PictureCatalog reversed;
  AddPictures(reversed, 20, 40);
  AddPictures(reversed, 0, 20);
  ShuffleOrder run2(reversed, 7, ReadShufflePlace(registry), 5);
  const std::vector<uint32_t> rest = Show(run2, 28);
  EXPECT_EQ(Distinct(rest), 28u);
  for (const uint32_t index : rest) EXPECT_FALSE(shownPaths.contains(reversed.PathAt(index)));

  EXPECT_EQ(ShuffleOrder(reversed, 8, ReadShufflePlace(registry), 5).Place(0),
            (ShufflePlace{8, 5, 0}));

  const std::string path = kShuffleKeyPath;
  const struct {
    const char* what;
    std::function<void()> spoil;
  } spoiled[] = {
      {"no key", [&] { registry = {}; }},
      {"a value missing", [&] { registry.PutString(path, "Source", "00000000000000aa"); }},
      {"not hexadecimal", [&] {
         WriteShufflePlace(registry, {1, 2, 3});
         registry.PutString(path, "Seed", "00000000000000zz");
       }},
      {"too short", [&] {
         WriteShufflePlace(registry, {1, 2, 3});
         registry.PutString(path, "Shown", "3");
       }},
      {"a number", [&] {
         WriteShufflePlace(registry, {1, 2, 3});
         registry.PutDword(path, "Shown", 3);
       }},
  };
  for (const auto& [what, spoil] : spoiled) {
    registry = {};
    spoil();
    EXPECT_EQ(ReadShufflePlace(registry), std::nullopt) << what;
  }
  WriteShufflePlace(registry, {~0ull, 0, 0x0123456789abcdefull});
  EXPECT_EQ(ReadShufflePlace(registry), (ShufflePlace{~0ull, 0, 0x0123456789abcdefull}));
}

}  // namespace
}  // namespace slideshow
