#pragma once
// Whether the saver's show takes keys (next, back, pause, hide, explore),
// stored as fgKeys beside the documented settings.
#include "settings/registry_key.h"

namespace settings {

// fgKeys. Every store from before it lacks it, and a number written by hand
// may be anything: a missing value, another type or a number other than 1
// reads as off, never as a failure of the picture group.
bool ReadShowKeys(RegistryKey& key);
// 1 or 0.
void WriteShowKeys(RegistryKey& key, bool on);

}  // namespace settings
