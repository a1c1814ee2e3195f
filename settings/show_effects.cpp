#include "settings/show_effects.h"

#include "settings/added_flags.h"

namespace settings {

namespace {

constexpr AddedFlag<ShowEffects> kEffectValues[] = {
    {"fgFade", &ShowEffects::fade},
    {"fgPanZoom", &ShowEffects::panZoom},
    {"fgPairs", &ShowEffects::pairs},
    {"fgBackdrop", &ShowEffects::backdrop},
};

}  // namespace

ShowEffects ReadShowEffects(RegistryKey& key) { return ReadAddedFlags(key, kEffectValues); }

void WriteShowEffects(RegistryKey& key, const ShowEffects& effects) {
  WriteAddedFlags(key, kEffectValues, effects);
}

}  // namespace settings
