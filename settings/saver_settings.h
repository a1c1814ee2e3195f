#pragma once
// The in-memory record of everything the saver reads from the settings key:
// the picture group and the message group. Texts are UTF-8, converted
// losslessly from the registry's UTF-16.
#include <string>

#include "settings/date_caption.h"
#include "settings/message_settings.h"
#include "settings/show_effects.h"

namespace settings {

// The picture group as the saver uses it; the registered entries go straight
// into the saver's picture list.
struct PictureSettings {
  std::string folder;              // dtDir, one trailing backslash removed
  bool useRegisteredList = false;  // SelPhoto
  DateCaption dateCaption = DateCaption::Off;  // fgDate
  bool subFolders = false;  // fgSubFolders: the folder's whole tree
  bool shuffle = false;     // fgShuffle: a shuffled order without repeats
  bool keys = false;        // fgKeys: the show takes keys (saver mode only)
};

struct SaverSettings {
  PictureSettings picture;
  MessageSettings message;
  ShowEffects effects;  // read with the picture group, never failing it
};

}  // namespace settings
