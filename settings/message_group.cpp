#include "settings/message_settings.h"
#include "settings/registry_values.h"

namespace settings {

MessageStyles StylesOf(const MessageSettings& m) {
  return {m.bold == 1, m.italic == 1, m.underline == 1, m.strikeOut == 1};
}

MessageSettings ReadMessageGroup(RegistryKey& key) {
  MessageSettings m;
  m.messageText = ReadText(key, "SCRcom");
  m.fontName = ReadText(key, "FontName");
  m.textColor = static_cast<uint32_t>(ReadInteger(key, "ComColor"));
  m.fontSize = ReadInteger(key, "FontSize");
  m.bold = ReadInteger(key, "fgBold");
  m.italic = ReadInteger(key, "fgItalic");
  m.underline = ReadInteger(key, "fgUnderline");
  m.strikeOut = ReadInteger(key, "fgStrikeOut");
  m.soundEffect = ReadInteger(key, "SCRsnd");
  m.switchSeconds = ReadInteger(key, "SCRtime");
  m.floating = ReadBoolean(key, "MoveFlag");
  return m;
}

}  // namespace settings
