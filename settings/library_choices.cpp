#include "settings/library_choices.h"

#include "settings/registry_values.h"

namespace settings {

namespace {

constexpr char kSubFoldersValue[] = "fgSubFolders";
constexpr char kShuffleValue[] = "fgShuffle";

bool ReadChoice(RegistryKey& key, const char* name) { return ReadAddedInteger(key, name) == 1; }

}  // namespace

LibraryChoices ReadLibraryChoices(RegistryKey& key) {
  return LibraryChoices{ReadChoice(key, kSubFoldersValue), ReadChoice(key, kShuffleValue)};
}

void WriteLibraryChoices(RegistryKey& key, const LibraryChoices& choices) {
  WriteBoolean(key, kSubFoldersValue, choices.subFolders);
  WriteBoolean(key, kShuffleValue, choices.shuffle);
}

}  // namespace settings
