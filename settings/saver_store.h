#pragma once
// The saver's two readers. They only open the key, never create it; a missing
// key means the settings dialog has never run, and the saver then ends without
// a message. The caller posts the quit request when told to end.
#include "settings/registry_key.h"
#include "settings/saver_settings.h"
#include "settings/picture_list.h"

namespace settings {

enum class ReadOutcome { Continue, EndApplication };

// pictureFolder (one trailing backslash removed), useRegisteredList,
// dateCaption, subFolders, shuffle, keys and the show's effects (none of
// which ever ends anything); in
// registered mode also the list's slots 0..50, entryCount and lastIndex from
// eCount. A missing or mistyped eCount counts as 0. Ends the application when
// the key is missing, dtDir has another type, or an entry cannot be read.
[[nodiscard]] ReadOutcome ReadSaverPictureSettings(RegistryOpener& registry, SaverSettings& settings,
                                                   settings::PictureList& list);

// The message fields, all stored or all saver defaults. Ends the application
// only when the key is missing (nothing is changed then).
[[nodiscard]] ReadOutcome ReadSaverMessageSettings(RegistryOpener& registry, SaverSettings& settings);

}  // namespace settings
