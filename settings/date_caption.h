#pragma once
// The date caption's choice, stored as fgDate beside the documented picture
// settings.
#include <cstdint>

#include "settings/registry_key.h"

namespace settings {

enum class DateCaption : int32_t { Off = 0, Western = 1, JapaneseEra = 2 };

// fgDate. Every store from before the caption lacks it, and a number written
// by hand may be anything: a missing value, another type or a number other
// than 1 or 2 reads as Off, never as a failure of the picture group.
DateCaption ReadDateCaption(RegistryKey& key);
void WriteDateCaption(RegistryKey& key, DateCaption caption);

}  // namespace settings
