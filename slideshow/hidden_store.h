#pragma once
// The photos the viewer hid for good: the subkey Hidden of the settings key,
// one text value per photo, its full path as the value's data and, as its
// name, the number of the hiding in twenty decimal digits, so the newest is
// the highest. Only the saver adds to it and only the picture-selection
// dialog's list of hidden photos takes from it; the files themselves are never
// touched.
//
// A key changed by hand is read for what it holds: every text value that
// holds a path counts, whatever its name (an empty one, one of 10 000
// characters); values of other types and empty texts are passed over; a name
// that is no number of a hiding counts as older than every hiding. Paths are
// compared as Windows compares file names.
#include <string>
#include <vector>

#include "settings/registry_key.h"

namespace slideshow {

inline constexpr char kHiddenKeyPath[] = "Software\\Morv\\Plim\\Hidden";

// The hidden photos' full paths, newest first, each once.
std::vector<std::string> ReadHiddenPictures(settings::RegistryOpener& registry);
// Records the path as the newest hidden photo, unless it is hidden already.
// False when it could not be written; nothing is ever shown for that.
bool WriteHiddenPicture(settings::RegistryOpener& registry, const std::string& path);
// Takes every value holding the path out of the key. False when one could
// not be taken out.
bool RestoreHiddenPicture(settings::RegistryOpener& registry, const std::string& path);

}  // namespace slideshow
