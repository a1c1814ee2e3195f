#include "settings/dialog_store.h"

#include <algorithm>

#include "settings/date_caption.h"
#include "settings/library_choices.h"
#include "settings/registry_values.h"
#include "settings/show_keys.h"

namespace settings {

namespace {

// Stands in for a key that could be neither opened nor created: every read is
// refused and every write fails, so the readers fall back to their defaults
// and a writer fails at its first value.
class UnopenedKey : public RegistryKey {
 public:
  QueryResult QueryValue(const std::string&) override { return {QueryStatus::Refused, ValueType::Other, {}}; }
  bool SetString(const std::string&, const std::string&) override { return false; }
  bool SetDword(const std::string&, int32_t) override { return false; }
  DeleteStatus DeleteValue(const std::string&) override { return DeleteStatus::Error; }
  std::vector<std::string> ValueNames() override { return {}; }
};

std::unique_ptr<RegistryKey> OpenOrCreateSettingsKey(RegistryOpener& registry) {
  auto key = registry.OpenOrCreate(kSettingsKeyPath);
  if (!key) key = std::make_unique<UnopenedKey>();
  return key;
}

int32_t SoundChoice(int32_t stored) { return stored == Beep || stored == SystemSound ? stored : NoSound; }

template <class Read>
auto ReadOr(Read read, decltype(read()) fallback) {
  try {
    return read();
  } catch (const StoreError&) {
    return fallback;
  }
}

void ReadRegisteredFiles(RegistryKey& key, PictureSelectionState& state) {
  for (int32_t i = 0; i < state.registeredCount && i < kRegisteredEntriesRead; ++i) {
    try {
      state.registeredFiles[size_t(i)] = ReadText(key, RegisteredEntryName(i));
    } catch (const StoreError&) {
      return;
    }
  }
}

// Deletes the entries of the old list; an entry already gone is skipped, any
// other error ends the deleting (the old values then stay, unread).
void DeleteRegisteredEntries(RegistryKey& key, int32_t oldCount) {
  for (int32_t i = 0; i < oldCount && i < kRegisteredEntriesRead; ++i)
    if (key.DeleteValue(RegisteredEntryName(i)) == DeleteStatus::Error) return;
}

}  // namespace

MessageSettings ReadDialogMessageSettings(RegistryOpener& registry) {
  const auto key = OpenOrCreateSettingsKey(registry);
  MessageSettings m;
  try {
    m = ReadMessageGroup(*key);
    m.soundEffect = SoundChoice(m.soundEffect);
  } catch (const StoreError&) {
    m = DialogMessageDefaults();
  }
  return m;
}

bool ReadDialogPictureSettings(RegistryOpener& registry, PictureSelectionState& state) {
  const auto key = OpenOrCreateSettingsKey(registry);
  state.pictureFolder = ReadOr([&] { return ReadText(*key, "dtDir"); }, state.startDirectory);
  if (state.pictureFolder.empty()) state.pictureFolder = state.startDirectory;
  state.driveLetter = state.pictureFolder.empty() ? '\0' : state.pictureFolder.front();
  const bool selPhoto = ReadOr([&] { return ReadBoolean(*key, "SelPhoto"); }, false);
  state.registeredCount = ReadOr([&] { return ReadInteger(*key, "eCount"); }, 0);
  ReadRegisteredFiles(*key, state);
  state.dateCaption = ReadDateCaption(*key);
  state.libraryChoices = ReadLibraryChoices(*key);
  return selPhoto;
}

void WriteMessageSettings(RegistryOpener& registry, const MessageSettings& message) {
  const auto key = OpenOrCreateSettingsKey(registry);
  WriteText(*key, "SCRcom", message.messageText);
  WriteText(*key, "FontName", message.fontName);
  WriteInteger(*key, "ComColor", static_cast<int32_t>(message.textColor));
  WriteInteger(*key, "FontSize", message.fontSize);
  WriteInteger(*key, "fgBold", message.bold);
  WriteInteger(*key, "fgItalic", message.italic);
  WriteInteger(*key, "fgUnderline", message.underline);
  WriteInteger(*key, "fgStrikeOut", message.strikeOut);
  WriteInteger(*key, "SCRtime", message.switchSeconds);
  WriteBoolean(*key, "MoveFlag", message.floating);
  WriteInteger(*key, "SCRsnd", SoundChoice(message.soundEffect));
}

void WritePictureSettings(RegistryOpener& registry, const PictureSelectionResult& result) {
  const auto n = static_cast<int32_t>(
      std::min(result.registeredList.size(), size_t(kRegisteredEntriesWritten)));
  const auto key = OpenOrCreateSettingsKey(registry);
  WriteText(*key, "dtDir", result.pictureFolder);
  WriteBoolean(*key, "SelPhoto", result.selPhotoChecked);
  DeleteRegisteredEntries(*key, ReadOr([&] { return ReadInteger(*key, "eCount"); }, 0));
  WriteInteger(*key, "eCount", n);
  for (int32_t i = 0; i < n; ++i)
    WriteText(*key, RegisteredEntryName(i), result.registeredList[size_t(i)]);
  WriteDateCaption(*key, result.dateCaption);
  WriteLibraryChoices(*key, result.libraryChoices);
}

EffectsDialogChoices ReadDialogShowEffects(RegistryOpener& registry) {
  const auto key = OpenOrCreateSettingsKey(registry);
  return {ReadShowEffects(*key), ReadShowKeys(*key)};
}

void WriteDialogShowEffects(RegistryOpener& registry, const EffectsDialogChoices& choices) {
  const auto key = OpenOrCreateSettingsKey(registry);
  WriteShowEffects(*key, choices.effects);
  WriteShowKeys(*key, choices.keys);
}

}  // namespace settings
