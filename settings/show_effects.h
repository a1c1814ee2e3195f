#pragma once
// The show's effects, stored as fgFade and fgPanZoom beside the documented
// settings: a crossfade at every switch, and pan & zoom in the still show.
#include "settings/registry_key.h"

namespace settings {

struct ShowEffects {
  bool fade = false;     // fgFade
  bool panZoom = false;  // fgPanZoom
  friend bool operator==(const ShowEffects&, const ShowEffects&) = default;
};

// Every store from before the effects lacks them, and a number written by
// hand may be anything: a missing value, another type or a number other than
// 1 reads as off, never as a failure of any group.
ShowEffects ReadShowEffects(RegistryKey& key);
// fgFade, then fgPanZoom, each as 0 or 1.
void WriteShowEffects(RegistryKey& key, const ShowEffects& effects);

}  // namespace settings
