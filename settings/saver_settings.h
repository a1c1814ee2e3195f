#pragma once
// The in-memory record of everything stored under the settings key. Texts are
// UTF-8, converted losslessly from the registry's UTF-16.
#include <cstdint>
#include <string>
#include <vector>

namespace settings {

// Stored as a plain number; anything but 1 and 2 plays nothing.
enum SoundEffect : int32_t { Beep = 1, SystemSound = 2, NoSound = 3 };

struct SaverSettings {
  std::string pictureFolder;                 // dtDir
  bool useRegisteredList = false;            // SelPhoto
  std::vector<std::string> registeredFiles;  // eCount + File_%03d
  std::string messageText;                   // SCRcom
  std::string fontName;                      // FontName
  uint32_t textColor = 0;                    // ComColor, 0x00BBGGRR
  int32_t fontSize = 0;                      // FontSize, points
  int32_t bold = 0, italic = 0, underline = 0, strikeOut = 0;  // 1 = set
  int32_t soundEffect = NoSound;             // SCRsnd
  int32_t switchSeconds = 0;                 // SCRtime
  bool floating = true;                      // MoveFlag
};

}  // namespace settings
