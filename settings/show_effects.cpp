#include "settings/show_effects.h"

#include "settings/registry_values.h"

namespace settings {

namespace {

constexpr char kFadeValue[] = "fgFade";
constexpr char kPanZoomValue[] = "fgPanZoom";

bool ReadEffect(RegistryKey& key, const char* name) { return ReadAddedInteger(key, name) == 1; }

}  // namespace

ShowEffects ReadShowEffects(RegistryKey& key) {
  return ShowEffects{ReadEffect(key, kFadeValue), ReadEffect(key, kPanZoomValue)};
}

void WriteShowEffects(RegistryKey& key, const ShowEffects& effects) {
  WriteBoolean(key, kFadeValue, effects.fade);
  WriteBoolean(key, kPanZoomValue, effects.panZoom);
}

}  // namespace settings
