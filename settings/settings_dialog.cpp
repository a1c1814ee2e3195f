#include "settings/settings_dialog.h"

#include <algorithm>

#include "settings/dialog_store.h"

namespace settings {
namespace {

constexpr int32_t kBoldWeight = 700;

int32_t StyleFlag(bool on) { return on ? 1 : 0; }

}  // namespace

SoundRadio SoundRadioFor(int32_t soundEffect) {
  switch (soundEffect) {
    case Beep:
      return SoundRadio::rbBeep;
    case SystemSound:
      return SoundRadio::rbOK;
    default:
      return SoundRadio::rbNO;
  }
}

int32_t SoundEffectFor(SoundRadio checked) {
  switch (checked) {
    case SoundRadio::rbBeep:
      return Beep;
    case SoundRadio::rbOK:
      return SystemSound;
    case SoundRadio::rbNO:
      break;
  }
  return NoSound;
}

// udTime cannot show a time outside its range; showing the nearer end keeps
// what a save then writes within what the dialog offers.
int32_t SwitchSecondsForUpDown(int32_t storedSeconds) {
  return std::clamp(storedSeconds, kMinSwitchSeconds, kMaxSwitchSeconds);
}

void SettingsDialog::FormShow(const std::string& startDirectory) {
  pictureState_.startDirectory = startDirectory;
  const MessageSettings stored = ReadDialogMessageSettings(registry_);
  members_ = stored;
  controls_.SetSwitchSeconds(SwitchSecondsForUpDown(stored.switchSeconds));
  controls_.SetMoveChecked(stored.floating);
  controls_.CheckSound(SoundRadioFor(stored.soundEffect));
  controls_.SetPreviewFont(FontPreset());
  controls_.SetMessageText(stored.messageText);
  controls_.SetPreviewText(stored.messageText);
}

void SettingsDialog::meEditChange() { controls_.SetPreviewText(controls_.MessageText()); }

FontChoice SettingsDialog::FontPreset() const {
  const MessageStyles styles = StylesOf(members_);
  FontChoice preset;
  preset.face = members_.fontName;
  preset.pointTenths = members_.fontSize * 10;
  preset.color = members_.textColor;
  preset.weight = styles.bold ? kBoldWeight : 400;
  preset.italic = styles.italic;
  preset.underline = styles.underline;
  preset.strikeOut = styles.strikeOut;
  return preset;
}

void SettingsDialog::FontChosen(const FontChoice& choice) {
  members_.fontName = choice.face;
  members_.textColor = choice.color;
  members_.fontSize = (choice.pointTenths + 5) / 10;
  members_.bold = StyleFlag(choice.weight >= kBoldWeight);
  members_.italic = StyleFlag(choice.italic);
  members_.underline = StyleFlag(choice.underline);
  members_.strikeOut = StyleFlag(choice.strikeOut);
  controls_.SetPreviewFont(choice);
  SaveMessageSettings();
}

void SettingsDialog::SaveMessageSettings() {
  MessageSettings message = members_;
  message.messageText = controls_.MessageText();
  message.switchSeconds = controls_.SwitchSeconds();
  message.floating = controls_.MoveChecked();
  message.soundEffect = SoundEffectFor(controls_.CheckedSound());
  WriteMessageSettings(registry_, message);
}

void SettingsDialog::btEffectsClick(ShowEffectsPort& effects) {
  effects.SetEffects(ReadDialogShowEffects(registry_));
  if (effects.ShowModal() == ModalResult::Ok) WriteDialogShowEffects(registry_, effects.ChosenEffects());
}

void SettingsDialog::btFolderClick(PictureSelectionPort& picker) {
  picker.SetUseRegisteredList(ReadDialogPictureSettings(registry_, pictureState_));
  // A folder the list refuses leaves it where it was, without a message.
  (void)picker.SetFolder(pictureState_.pictureFolder);
  picker.SetDrive(pictureState_.driveLetter);
  picker.SetDateCaption(pictureState_.dateCaption);
  picker.SetLibraryChoices(pictureState_.libraryChoices);
  pictureState_.refreshPending = true;
  if (picker.ShowModal() != ModalResult::Ok) return;
  pictureState_.pictureFolder = picker.Folder();
  WritePictureSettings(registry_, PictureSelectionResult{pictureState_.pictureFolder,
                                                         picker.UseRegisteredList(),
                                                         picker.RegisteredEntries(),
                                                         picker.ChosenDateCaption(),
                                                         picker.ChosenLibraryChoices()});
}

}  // namespace settings
