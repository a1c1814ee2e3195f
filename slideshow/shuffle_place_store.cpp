#include "slideshow/shuffle_place_store.h"

#include <charconv>
#include <string>

#include "settings/registry_values.h"
#include "settings/store_error.h"

namespace slideshow {
namespace {

constexpr char kSource[] = "Source";
constexpr char kSeed[] = "Seed";
constexpr char kShown[] = "Shown";

std::optional<uint64_t> ReadNumber(settings::RegistryKey& key, const char* name) {
  try {
    const std::string text = settings::ReadText(key, name);
    uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.size() != 16)
      return std::nullopt;
    return number;
  } catch (const settings::StoreError&) {
    return std::nullopt;
  }
}

std::string HexText(uint64_t number) {
  std::string text(16, '0');
  for (int digit = 15; digit >= 0; --digit, number >>= 4)
    text[size_t(digit)] = "0123456789abcdef"[number & 15];
  return text;
}

}  // namespace

std::optional<ShufflePlace> ReadShufflePlace(settings::RegistryOpener& registry) {
  const auto key = registry.OpenExisting(kShuffleKeyPath);
  if (!key) return std::nullopt;
  const auto source = ReadNumber(*key, kSource), seed = ReadNumber(*key, kSeed),
             shown = ReadNumber(*key, kShown);
  if (!source || !seed || !shown) return std::nullopt;
  return ShufflePlace{*source, *seed, *shown};
}

void WriteShufflePlace(settings::RegistryOpener& registry, const ShufflePlace& place) {
  const auto key = registry.OpenOrCreate(kShuffleKeyPath);
  if (!key) return;
  try {
    settings::WriteText(*key, kSource, HexText(place.source));
    settings::WriteText(*key, kSeed, HexText(place.seed));
    settings::WriteText(*key, kShown, HexText(place.shownUpTo));
  } catch (const settings::StoreError&) {
  }
}

}  // namespace slideshow
