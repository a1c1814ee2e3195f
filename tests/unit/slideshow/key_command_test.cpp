// The keys of the show: the five that steer it with the keys on in saver
// mode, auto-repeat, the modifiers that turn them back into keys that end
// the saver, every key with the keys off, and nothing in the preview.
#include "slideshow/key_command.h"

#include <gtest/gtest.h>

namespace slideshow {
namespace {

struct KeyCase {
  const char* name;
  KeyDown key;
  bool keysOn, saverMode;
  KeyCommand expected;
};

class KeyFilter : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilter, GivesTheCommand) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(CommandForKey(c.key, c.keysOn, c.saverMode), c.expected);
}

constexpr uint32_t kEscape = 0x1B, kReturn = 0x0D, kUp = 0x26, kShift = 0x10, kControl = 0x11, kF5 = 0x74;

INSTANTIATE_TEST_SUITE_P(
    Table, KeyFilter,
    ::testing::Values(KeyCase{"right", {0x27}, true, true, KeyCommand::Next},
                      KeyCase{"left", {0x25}, true, true, KeyCommand::Back},
                      KeyCase{"space", {0x20}, true, true, KeyCommand::Pause},
                      KeyCase{"h", {'H'}, true, true, KeyCommand::Hide},
                      KeyCase{"e", {'E'}, true, true, KeyCommand::Explore},
                      KeyCase{"rightRepeated", {0x27, true}, true, true, KeyCommand::Ignore},
                      KeyCase{"hRepeated", {'H', true}, true, true, KeyCommand::Ignore},
                      KeyCase{"escapeRepeated", {kEscape, true}, true, true, KeyCommand::End},
                      KeyCase{"rightWithCtrl", {0x27, false, true}, true, true, KeyCommand::End},
                      KeyCase{"hWithAlt", {'H', false, false, true}, true, true, KeyCommand::End},
                      KeyCase{"spaceWithWindows", {0x20, false, false, false, true}, true, true, KeyCommand::End},
                      KeyCase{"repeatWithCtrl", {0x25, true, true}, true, true, KeyCommand::End},
                      KeyCase{"escape", {kEscape}, true, true, KeyCommand::End},
                      KeyCase{"return", {kReturn}, true, true, KeyCommand::End},
                      KeyCase{"up", {kUp}, true, true, KeyCommand::End},
                      KeyCase{"shiftAlone", {kShift}, true, true, KeyCommand::End},
                      KeyCase{"controlAlone", {kControl, false, true}, true, true, KeyCommand::End},
                      KeyCase{"f5", {kF5}, true, true, KeyCommand::End},
                      KeyCase{"lowerCaseCodeIsNoKey", {'h'}, true, true, KeyCommand::End},
                      KeyCase{"rightKeysOff", {0x27}, false, true, KeyCommand::End},
                      KeyCase{"hKeysOff", {'H'}, false, true, KeyCommand::End},
                      KeyCase{"repeatKeysOff", {0x27, true}, false, true, KeyCommand::End},
                      KeyCase{"rightInPreview", {0x27}, true, false, KeyCommand::Ignore},
                      KeyCase{"escapeInPreview", {kEscape}, false, false, KeyCommand::Ignore}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slideshow
