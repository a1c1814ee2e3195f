#include "slideshow/hidden_store.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <set>

#include "platform/file_name_case.h"
#include "settings/registry_values.h"
#include "settings/store_error.h"

namespace slideshow {
namespace {

constexpr size_t kNumberDigits = 20;

struct Stored {
  std::string name;
  std::string path;
  std::optional<uint64_t> number;  // of the hiding; none for a name written by hand
};

std::optional<uint64_t> HidingNumber(const std::string& name) {
  uint64_t number = 0;
  if (name.size() != kNumberDigits) return std::nullopt;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return number;
}

std::string NumberName(uint64_t number) {
  std::string name(kNumberDigits, '0');
  for (size_t digit = kNumberDigits; digit-- > 0 && number > 0; number /= 10)
    name[digit] = char('0' + number % 10);
  return name;
}

// Newest first; those without a number after the rest, in name order, so the
// list reads the same on every run.
std::vector<Stored> ReadStored(settings::RegistryKey& key) {
  std::vector<Stored> stored;
  for (const std::string& name : key.ValueNames()) {
    std::string path;
    try {
      path = settings::ReadText(key, name);
    } catch (const settings::StoreError&) {
      continue;
    }
    if (!path.empty()) stored.push_back({name, std::move(path), HidingNumber(name)});
  }
  std::sort(stored.begin(), stored.end(), [](const Stored& a, const Stored& b) {
    if (a.number.has_value() != b.number.has_value()) return a.number.has_value();
    return a.number ? *a.number > *b.number : a.name < b.name;
  });
  return stored;
}

}  // namespace

std::vector<std::string> ReadHiddenPictures(settings::RegistryOpener& registry) {
  const auto key = registry.OpenExisting(kHiddenKeyPath);
  if (!key) return {};
  std::vector<std::string> paths;
  std::set<std::string> seen;
  for (Stored& stored : ReadStored(*key))
    if (seen.insert(platform::FoldFileName(stored.path)).second) paths.push_back(std::move(stored.path));
  return paths;
}

bool WriteHiddenPicture(settings::RegistryOpener& registry, const std::string& path) {
  const auto key = registry.OpenOrCreate(kHiddenKeyPath);
  if (!key) return false;
  uint64_t newest = 0;
  for (const Stored& stored : ReadStored(*key)) {
    if (platform::SameFileName(stored.path, path)) return true;
    if (stored.number) newest = std::max(newest, *stored.number);
  }
  return key->SetString(NumberName(newest + 1), path);
}

bool RestoreHiddenPicture(settings::RegistryOpener& registry, const std::string& path) {
  const auto key = registry.OpenExisting(kHiddenKeyPath);
  if (!key) return true;
  bool restored = true;
  for (const Stored& stored : ReadStored(*key))
    if (platform::SameFileName(stored.path, path) && key->DeleteValue(stored.name) == settings::DeleteStatus::Error)
      restored = false;
  return restored;
}

}  // namespace slideshow
