#pragma once
// Groups of on/off values stored beside the documented settings, each a
// REG_DWORD named after a field of a plain struct of booleans. A value is on
// only for a stored 1: a missing one, another type or any other number reads
// as off and never fails a group. They are written in the table's order, as
// 0 or 1.
#include <cstddef>

#include "settings/registry_key.h"
#include "settings/registry_values.h"

namespace settings {

template <class Choices>
struct AddedFlag {
  const char* name;
  bool Choices::*field;
};

template <class Choices, size_t N>
Choices ReadAddedFlags(RegistryKey& key, const AddedFlag<Choices> (&flags)[N]) {
  Choices choices{};
  for (const AddedFlag<Choices>& flag : flags) choices.*flag.field = ReadAddedInteger(key, flag.name) == 1;
  return choices;
}

template <class Choices, size_t N>
void WriteAddedFlags(RegistryKey& key, const AddedFlag<Choices> (&flags)[N], const Choices& choices) {
  for (const AddedFlag<Choices>& flag : flags) WriteBoolean(key, flag.name, choices.*flag.field);
}

}  // namespace settings
