#pragma once
// The two choices of how a picture library is shown, stored as fgSubFolders
// and fgShuffle beside the documented picture settings.
#include "settings/registry_key.h"

namespace settings {

struct LibraryChoices {
  bool subFolders = false;  // fgSubFolders: the folder's whole tree
  bool shuffle = false;     // fgShuffle: a shuffled order without repeats
};

// Every store from before the choices lacks them, and a number written by
// hand may be anything: a missing value, another type or a number other than
// 0 or 1 reads as off, never as a failure of the picture group.
LibraryChoices ReadLibraryChoices(RegistryKey& key);
// fgSubFolders, then fgShuffle, each as 0 or 1.
void WriteLibraryChoices(RegistryKey& key, const LibraryChoices& choices);

}  // namespace settings
