#include "settings/show_keys.h"

#include "settings/registry_values.h"

namespace settings {

namespace {

constexpr char kShowKeysValue[] = "fgKeys";

}  // namespace

bool ReadShowKeys(RegistryKey& key) { return ReadAddedInteger(key, kShowKeysValue) == 1; }

void WriteShowKeys(RegistryKey& key, bool on) { WriteBoolean(key, kShowKeysValue, on); }

}  // namespace settings
