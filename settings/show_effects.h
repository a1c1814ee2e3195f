#pragma once
// The show's effects, stored as fgFade, fgPanZoom, fgPairs and fgBackdrop
// beside the documented settings: a crossfade at every switch, pan & zoom in
// the still show, and in the still show (with or without pan & zoom) two
// portraits side by side on one slide, and a soft backdrop where a slide
// leaves the screen uncovered.
#include "settings/registry_key.h"

namespace settings {

struct ShowEffects {
  bool fade = false;     // fgFade
  bool panZoom = false;  // fgPanZoom
  bool pairs = false;     // fgPairs
  bool backdrop = false;  // fgBackdrop
  friend bool operator==(const ShowEffects&, const ShowEffects&) = default;
};

// Every store from before the effects lacks them, and a number written by
// hand may be anything: a missing value, another type or a number other than
// 1 reads as off, never as a failure of any group.
ShowEffects ReadShowEffects(RegistryKey& key);
// fgFade, fgPanZoom, fgPairs, then fgBackdrop, each as 0 or 1.
void WriteShowEffects(RegistryKey& key, const ShowEffects& effects);

}  // namespace settings
