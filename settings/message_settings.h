#pragma once
// The message group as one value: what the message readers fill and what
// WriteMessageSettings stores. The settings dialog keeps one of these for its
// members and controls; the comments name the control each field stands for.
// Texts are UTF-8.
#include <cstdint>
#include <string>


namespace settings {

class RegistryKey;

// Stored as a plain number; anything but 1 and 2 plays nothing.
enum SoundEffect : int32_t { Beep = 1, SystemSound = 2, NoSound = 3 };

struct MessageSettings {
  std::string messageText;  // SCRcom; the dialog's meEdit
  std::string fontName;     // FontName
  uint32_t textColor = 0;   // ComColor, 0x00BBGGRR
  int32_t fontSize = 0;     // FontSize, points
  int32_t bold = 0, italic = 0, underline = 0, strikeOut = 0;  // fg*, set only when 1
  // SCRsnd. The saver keeps the stored number; the dialog holds its radio
  // choice: Beep = rbBeep, SystemSound = rbOK, NoSound = rbNO.
  int32_t soundEffect = NoSound;
  int32_t switchSeconds = 0;  // SCRtime; the dialog's udTime position
  bool floating = true;       // MoveFlag; the dialog's rbMove (false: rbStop)
};

// The styles a message is shown with. A style is on only when its stored
// value is exactly 1; any other number shows it off and is written back as
// stored until the user chooses a font.
struct MessageStyles {
  bool bold = false, italic = false, underline = false, strikeOut = false;
};
MessageStyles StylesOf(const MessageSettings& message);

// What each side puts in place of the whole group when a read fails.
MessageSettings SaverMessageDefaults();
MessageSettings DialogMessageDefaults();

// Reads the whole group from an open key, SCRsnd as stored. Throws the
// store's error at the first value that cannot be read; each reader then
// puts its own defaults in place of the whole group.
MessageSettings ReadMessageGroup(RegistryKey& key);

}  // namespace settings
