// The effects through the saver's reader and the effects dialog's reader and
// writer: each is on only for a stored 1, a value of any other shape never
// fails the picture group, and the dialog writes the effects and fgKeys as
// 0 or 1.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/dialog_store.h"
#include "settings/saver_store.h"
#include "store_fixture.h"

namespace settings {
namespace {

struct EffectCase {
  const char* value;
  std::optional<int32_t> dword;  // none: the text below
  const char* text;
  ShowEffects read;  // the three values absent read as off in every row
};

class StoredEffect : public testing::StoreTest, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(StoredEffect, ReadsTheSameInTheSaverAndTheDialogAndNeverFailsTheGroup) {
  const EffectCase& c = GetParam();
  OnePhotoRegistered();
  if (c.dword) Dword(c.value, *c.dword);
  if (c.text) Text(c.value, c.text);

  SaverSettings saver;
  PictureList list;
  EXPECT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
  EXPECT_EQ(list.paths[0], "C:\\Photos\\a.jpg");
  EXPECT_EQ(saver.effects, c.read);
  EXPECT_EQ(ReadDialogShowEffects(reg), (EffectsDialogChoices{c.read, false}));
}

INSTANTIATE_TEST_SUITE_P(Values, StoredEffect,
                         ::testing::Values(EffectCase{"fgFade", 1, nullptr, {.fade = true}},
                                           EffectCase{"fgPanZoom", 1, nullptr, {.panZoom = true}},
                                           EffectCase{"fgPairs", 1, nullptr, {.pairs = true}},
                                           EffectCase{"fgPairs", 2, nullptr, {}},
                                           EffectCase{"fgPairs", std::nullopt, "1", {}},
                                           EffectCase{"fgBackdrop", 1, nullptr, {.backdrop = true}},
                                           EffectCase{"fgBackdrop", -1, nullptr, {}}),
                         [](const auto& info) { return std::string(info.param.value + 2) + std::to_string(info.index); });

class WrittenEffects : public testing::StoreTest {};

TEST_F(WrittenEffects, TheDialogWritesEveryBoxAsZeroOrOneAndReadsItBack) {
  for (const EffectsDialogChoices& choices :
       {EffectsDialogChoices{{true, false, true, false}, true}, EffectsDialogChoices{{false, true, false, true}, false}}) {
    WriteDialogShowEffects(reg, choices);
    EXPECT_EQ(ReadDialogShowEffects(reg), choices);
    SaverSettings saver;
    PictureList list;
    (void)ReadSaverPictureSettings(reg, saver, list);
    EXPECT_EQ(saver.effects, choices.effects);
    EXPECT_EQ(saver.picture.keys, choices.keys);
  }
}

}  // namespace
}  // namespace settings
