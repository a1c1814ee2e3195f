#include "settings/library_choices.h"

#include "settings/added_flags.h"

namespace settings {

namespace {

constexpr AddedFlag<LibraryChoices> kChoiceValues[] = {
    {"fgSubFolders", &LibraryChoices::subFolders},
    {"fgShuffle", &LibraryChoices::shuffle},
};

}  // namespace

LibraryChoices ReadLibraryChoices(RegistryKey& key) { return ReadAddedFlags(key, kChoiceValues); }

void WriteLibraryChoices(RegistryKey& key, const LibraryChoices& choices) {
  WriteAddedFlags(key, kChoiceValues, choices);
}

}  // namespace settings
