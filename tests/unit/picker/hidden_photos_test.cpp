// The list of hidden photos: newest first, a path whose file is gone listed
// like the rest, 表示に戻す enabled by a selection and restoring the selected
// photos from the list and the store at once, and a photo the store will not
// let go staying listed.
#include "picker/hidden_photos_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_controls.h"
#include "settings/memory_registry.h"
#include "slideshow/hidden_store.h"

namespace picker {
namespace {

using Paths = std::vector<std::string>;

class HiddenPhotos : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* path : {"C:\\Photos\\a.jpg", "Z:\\not connected\\b.jpg", "C:\\Photos\\c.jpg"})
      slideshow::WriteHiddenPicture(registry, path);
    logic.FormShow();
  }
  settings::MemoryRegistry registry;
  test::FakeListBox lbHidden{false};
  test::FakeControl btRestore;
  HiddenPhotosLogic logic{lbHidden, btRestore, registry};
};

TEST_F(HiddenPhotos, ListsTheNewestFirstAndRestoresOnlyWhatIsSelected) {
  EXPECT_EQ(lbHidden.Items(), (Paths{"C:\\Photos\\c.jpg", "Z:\\not connected\\b.jpg", "C:\\Photos\\a.jpg"}));
  EXPECT_FALSE(btRestore.enabled);
  lbHidden.Click(1);
  logic.lbHiddenClick();
  EXPECT_TRUE(btRestore.enabled);
  lbHidden.ShiftClick(2);
  logic.btRestoreClick();
  EXPECT_EQ(lbHidden.Items(), Paths{"C:\\Photos\\c.jpg"});
  EXPECT_EQ(slideshow::ReadHiddenPictures(registry), Paths{"C:\\Photos\\c.jpg"});
  EXPECT_FALSE(btRestore.enabled) << "nothing selected is left";
}

TEST_F(HiddenPhotos, KeepsAPhotoTheStoreWillNotLetGo) {
  registry.failingDeletes.insert("00000000000000000003");
  lbHidden.Click(0);
  lbHidden.CtrlClick(2);
  logic.btRestoreClick();
  EXPECT_EQ(lbHidden.Items(), (Paths{"C:\\Photos\\c.jpg", "Z:\\not connected\\b.jpg"}));
  EXPECT_EQ(slideshow::ReadHiddenPictures(registry), lbHidden.Items());
  EXPECT_TRUE(btRestore.enabled) << "still selected: it may be tried again";
}

}  // namespace
}  // namespace picker
