#pragma once
// The settings dialog's four operations. Each opens the key, creating it when
// missing, and closes it before returning. The readers never fail: they fall
// back to the dialog's defaults. The writers throw StoreError ('%s' の設定に
// 失敗しました) at the first value that cannot be written; the values before
// it stay written, the later ones are not written.
#include "settings/message_settings.h"
#include "settings/picture_selection_state.h"
#include "settings/registry_key.h"
#include "settings/show_effects.h"

namespace settings {

// All stored, or DialogMessageDefaults() whole. soundEffect comes back as the
// radio choice: 1 Beep, 2 SystemSound, any other stored number NoSound.
MessageSettings ReadDialogMessageSettings(RegistryOpener& registry);

// Fills pictureFolder (startDirectory when unreadable or empty), driveLetter,
// registeredCount, registeredFiles (slots past a failing read keep what
// they held), dateCaption and libraryChoices. Returns whether rbSelPhoto is
// to be checked (else rbSelFolder).
[[nodiscard]] bool ReadDialogPictureSettings(RegistryOpener& registry, PictureSelectionState& state);

// SCRcom, FontName, ComColor, FontSize, the four styles, SCRtime, MoveFlag,
// SCRsnd, in this order. A sound other than 1 or 2 is written as 3.
void WriteMessageSettings(RegistryOpener& registry, const MessageSettings& message);

// dtDir, SelPhoto, then the old count's entries (up to File_050) deleted,
// eCount and at most 50 entries written; then, after every documented value,
// fgDate, fgSubFolders and fgShuffle.
void WritePictureSettings(RegistryOpener& registry, const PictureSelectionResult& result);

// The effects dialog's check boxes: the show's effects, and whether the show
// takes keys.
struct EffectsDialogChoices {
  ShowEffects effects;
  bool keys = false;  // fgKeys
  friend bool operator==(const EffectsDialogChoices&, const EffectsDialogChoices&) = default;
};

// The effects and fgKeys as stored (off when unreadable), for the effects
// dialog; and all written on its ＯＫ, fgKeys last.
EffectsDialogChoices ReadDialogShowEffects(RegistryOpener& registry);
void WriteDialogShowEffects(RegistryOpener& registry, const EffectsDialogChoices& choices);

}  // namespace settings
