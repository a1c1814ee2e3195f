#pragma once
// Where the shuffle stands between runs: the subkey Shuffle of the settings
// key, which only the saver reads and writes. Its three values are texts of
// sixteen hexadecimal digits. A missing, partial or garbled place reads as
// none, which only begins a new round.
#include <optional>

#include "settings/registry_key.h"
#include "slideshow/shuffle_order.h"

namespace slideshow {

inline constexpr char kShuffleKeyPath[] = "Software\\Morv\\Plim\\Shuffle";

std::optional<ShufflePlace> ReadShufflePlace(settings::RegistryOpener& registry);
// A place that cannot be written is lost, as a lost place may be.
void WriteShufflePlace(settings::RegistryOpener& registry, const ShufflePlace& place);

}  // namespace slideshow
