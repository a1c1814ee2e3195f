#include "settings/date_caption.h"

#include "settings/registry_values.h"

namespace settings {

namespace {

constexpr char kDateCaptionValue[] = "fgDate";

}  // namespace

DateCaption ReadDateCaption(RegistryKey& key) {
  const int32_t stored = ReadAddedInteger(key, kDateCaptionValue);
  if (stored == int32_t(DateCaption::Western)) return DateCaption::Western;
  if (stored == int32_t(DateCaption::JapaneseEra)) return DateCaption::JapaneseEra;
  return DateCaption::Off;
}

void WriteDateCaption(RegistryKey& key, DateCaption caption) {
  WriteInteger(key, kDateCaptionValue, int32_t(caption));
}

}  // namespace settings
