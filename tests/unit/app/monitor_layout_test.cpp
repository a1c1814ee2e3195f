// What a changed monitor layout asks of the saver's windows.
#include "app/monitor_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

using slideshow::Rect;

const Rect kPrimary{0, 0, 1920, 1080};
const Rect kLeft{-1280, 0, 0, 1024};
const Rect kRight{1920, 0, 3200, 1024};

TEST(CompareLayouts, AsksOnlyForWhatChanged) {
  struct Case {
    std::string what;
    MonitorLayout covered, now;
    LayoutChange expected;
  };
  const std::vector<Case> cases = {
      {"nothing changed", {kPrimary, {kLeft}}, {kPrimary, {kLeft}}, {}},
      {"the second monitor switched off", {kPrimary, {kLeft}}, {kPrimary, {}}, {false, {kLeft}, {}}},
      {"a monitor added at the right", {kPrimary, {}}, {kPrimary, {kRight}}, {false, {}, {kRight}}},
      {"moved from the left to the right", {kPrimary, {kLeft}}, {kPrimary, {kRight}}, {false, {kLeft}, {kRight}}},
      {"the same monitors listed in another order", {kPrimary, {kLeft, kRight}}, {kPrimary, {kRight, kLeft}}, {}},
      {"the primary's resolution changed", {kPrimary, {kLeft}}, {{0, 0, 2560, 1440}, {kLeft}}, {true, {}, {}}},
      {"a duplicated area is one window", {kPrimary, {}}, {kPrimary, {kRight, kRight}}, {false, {}, {kRight}}},
  };
  for (const Case& c : cases) {
    const LayoutChange change = CompareLayouts(c.covered, c.now);
    EXPECT_EQ(change.refitPrimary, c.expected.refitPrimary) << c.what;
    EXPECT_EQ(change.closed, c.expected.closed) << c.what;
    EXPECT_EQ(change.opened, c.expected.opened) << c.what;
    EXPECT_EQ(change.Empty(), c.covered == c.now || c.what.starts_with("the same")) << c.what;
  }
}

}  // namespace
}  // namespace app
