// The store of hidden photos: newest first, each path once as file names
// compare, a key garbled by hand read for what it holds, and writes that
// fail reported without losing anything stored.
#include "slideshow/hidden_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_registry.h"

namespace slideshow {
namespace {

using settings::MemoryRegistry;
using settings::ValueType;
using Paths = std::vector<std::string>;

class HiddenStore : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry.openKeys(), 0); }
  MemoryRegistry registry;
};

TEST_F(HiddenStore, ListsTheNewestFirstAndEachPhotoOnce) {
  EXPECT_EQ(ReadHiddenPictures(registry), Paths{}) << "no key: nothing hidden";
  EXPECT_TRUE(WriteHiddenPicture(registry, "C:\\Photos\\a.jpg"));
  EXPECT_TRUE(WriteHiddenPicture(registry, "C:\\Photos\\b.jpg"));
  EXPECT_TRUE(WriteHiddenPicture(registry, "c:\\PHOTOS\\A.JPG"));
  EXPECT_TRUE(WriteHiddenPicture(registry, "D:\\写真\\c.jpg"));
  EXPECT_EQ(ReadHiddenPictures(registry), (Paths{"D:\\写真\\c.jpg", "C:\\Photos\\b.jpg", "C:\\Photos\\a.jpg"}));
  EXPECT_EQ(registry.ValuesOf(kHiddenKeyPath).size(), 3u);
  EXPECT_EQ(registry.ValuesOf(kHiddenKeyPath).begin()->second.type, ValueType::String);
}

TEST_F(HiddenStore, RestoresAPathWhateverTheCaseOfItsLettersAndKeepsTheRest) {
  for (const char* path : {"C:\\Photos\\a.jpg", "C:\\Photos\\b.jpg", "C:\\Photos\\c.jpg"})
    WriteHiddenPicture(registry, path);
  registry.PutString(kHiddenKeyPath, "by hand", "c:\\photos\\B.jpg");
  EXPECT_TRUE(RestoreHiddenPicture(registry, "C:\\PHOTOS\\B.JPG"));
  EXPECT_EQ(ReadHiddenPictures(registry), (Paths{"C:\\Photos\\c.jpg", "C:\\Photos\\a.jpg"}));
  EXPECT_TRUE(RestoreHiddenPicture(registry, "C:\\Photos\\gone.jpg"));
  EXPECT_TRUE(WriteHiddenPicture(registry, "C:\\Photos\\b.jpg"));
  EXPECT_EQ(ReadHiddenPictures(registry).front(), "C:\\Photos\\b.jpg") << "hidden again: the newest";
}

// Values of other types and empty texts are passed over; any text counts,
// whatever its name; names that are no hiding's number come after the rest.
TEST_F(HiddenStore, ReadsAGarbledKeyForWhatItHolds) {
  const std::string longName(10000, 'x');
  registry.PutDword(kHiddenKeyPath, "00000000000000000007", 7);
  registry.PutRaw(kHiddenKeyPath, "binary", ValueType::Other, "C:\\Photos\\bin.jpg");
  registry.PutString(kHiddenKeyPath, "empty text", "");
  registry.PutString(kHiddenKeyPath, "", "C:\\Photos\\unnamed.jpg");
  registry.PutString(kHiddenKeyPath, longName, "C:\\Photos\\long.jpg");
  registry.PutString(kHiddenKeyPath, "expand", "C:\\Photos\\%expand%.jpg", ValueType::ExpandString);
  registry.PutString(kHiddenKeyPath, "00000000000000000002", "C:\\Photos\\second.jpg");
  registry.PutString(kHiddenKeyPath, "00000000000000000001", "C:\\Photos\\first.jpg");
  registry.PutString(kHiddenKeyPath, "99999999999999999999", "C:\\Photos\\too big.jpg");
  registry.PutRaw(kHiddenKeyPath, "cut", ValueType::String, std::string("C:\\Photos\\cut.jpg\0tail", 22));
  registry.PutString(kHiddenKeyPath, std::string(longName.size(), 'y'), std::string(10000, 'p'));
  EXPECT_EQ(ReadHiddenPictures(registry),
            (Paths{"C:\\Photos\\second.jpg", "C:\\Photos\\first.jpg", "C:\\Photos\\unnamed.jpg",
                   "C:\\Photos\\too big.jpg", "C:\\Photos\\cut.jpg", "C:\\Photos\\%expand%.jpg",
                   "C:\\Photos\\long.jpg", std::string(10000, 'p')}));
  EXPECT_TRUE(WriteHiddenPicture(registry, "C:\\Photos\\new.jpg"));
  EXPECT_EQ(ReadHiddenPictures(registry).front(), "C:\\Photos\\new.jpg");
  EXPECT_TRUE(RestoreHiddenPicture(registry, "C:\\Photos\\long.jpg"));
  EXPECT_FALSE(registry.Get(kHiddenKeyPath, longName).has_value());
  EXPECT_TRUE(registry.Get(kHiddenKeyPath, "binary").has_value()) << "what is no photo stays";
}

TEST_F(HiddenStore, SaysWhenAWriteFailsAndKeepsWhatWasStored) {
  WriteHiddenPicture(registry, "C:\\Photos\\a.jpg");
  registry.failingSets.insert("00000000000000000002");
  EXPECT_FALSE(WriteHiddenPicture(registry, "C:\\Photos\\b.jpg"));
  registry.failingDeletes.insert("00000000000000000001");
  EXPECT_FALSE(RestoreHiddenPicture(registry, "C:\\Photos\\a.jpg"));
  EXPECT_EQ(ReadHiddenPictures(registry), Paths{"C:\\Photos\\a.jpg"});
  MemoryRegistry fresh;
  fresh.failCreate = true;
  EXPECT_FALSE(WriteHiddenPicture(fresh, "C:\\Photos\\a.jpg"));
  EXPECT_EQ(ReadHiddenPictures(fresh), Paths{});
}

}  // namespace
}  // namespace slideshow
