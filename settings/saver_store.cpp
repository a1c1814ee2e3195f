#include "settings/saver_store.h"

#include <algorithm>

#include "settings/library_choices.h"
#include "settings/message_settings.h"
#include "settings/path_text.h"
#include "settings/registry_values.h"
#include "settings/show_keys.h"
#include "settings/show_effects.h"

namespace settings {

namespace {

// A missing or mistyped eCount has no fallback of its own; counting it as 0
// shows the sample picture, like an empty list.
int32_t RegisteredCount(RegistryKey& key) {
  try {
    return ReadInteger(key, "eCount");
  } catch (const StoreError&) {
    return 0;
  }
}

// Slots are filled up to File_050 whatever N says; entryCount and lastIndex
// follow N alone. Returns false when an entry could not be read.
bool ReadRegisteredEntries(RegistryKey& key, settings::PictureList& list) {
  const int32_t n = RegisteredCount(key);
  list.entryCount = std::max(n, 0);
  list.lastIndex = n > 0 ? n - 1 : n;
  for (int32_t i = 0; i < n && i < kRegisteredEntriesRead; ++i) {
    try {
      list.paths[size_t(i)] = ReadText(key, RegisteredEntryName(i));
    } catch (const StoreError&) {
      return false;
    }
  }
  return true;
}

}  // namespace

ReadOutcome ReadSaverPictureSettings(RegistryOpener& registry, SaverSettings& settings,
                                     settings::PictureList& list) {
  const auto key = registry.OpenExisting(kSettingsKeyPath);
  if (!key) return ReadOutcome::EndApplication;
  bool fine = true;
  try {
    settings.picture.folder = StripTrailingBackslash(ReadText(*key, "dtDir"));
  } catch (const StoreError&) {
    fine = false;
  }
  try {
    settings.picture.useRegisteredList = ReadBoolean(*key, "SelPhoto");
  } catch (const StoreError&) {
    settings.picture.useRegisteredList = false;
  }
  settings.picture.dateCaption = ReadDateCaption(*key);
  const LibraryChoices choices = ReadLibraryChoices(*key);
  settings.picture.subFolders = choices.subFolders;
  settings.picture.shuffle = choices.shuffle;
  settings.picture.keys = ReadShowKeys(*key);
  settings.effects = ReadShowEffects(*key);
  if (settings.picture.useRegisteredList && !ReadRegisteredEntries(*key, list)) fine = false;
  return fine ? ReadOutcome::Continue : ReadOutcome::EndApplication;
}

ReadOutcome ReadSaverMessageSettings(RegistryOpener& registry, SaverSettings& settings) {
  const auto key = registry.OpenExisting(kSettingsKeyPath);
  if (!key) return ReadOutcome::EndApplication;
  try {
    settings.message = ReadMessageGroup(*key);
  } catch (const StoreError&) {
    settings.message = SaverMessageDefaults();
  }
  return ReadOutcome::Continue;
}

}  // namespace settings
