// Every default of the store in one place. The two sides fall back to
// different sets; each reader assigns its set whole when one read of the group
// fails. The picture group's fallbacks are single values and stay with their
// readers (dtDir and File_%03d read as empty when missing, SelPhoto false,
// eCount 0 in the dialog and, when registered, also in the saver).
#include "settings/message_settings.h"

namespace settings {

namespace {
// "ＭＳ ゴシック" in CP932.
const char kGothicFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr uint32_t kGreen = 0x0000FF00;
}  // namespace

MessageSettings SaverMessageDefaults() {
  MessageSettings m;
  // "そんなに急いで，どこへ行くのですか？"
  m.messageText =
      "\x82\xbb\x82\xf1\x82\xc8\x82\xc9\x8b\x7d\x82\xa2\x82\xc5\x81\x43\x82\xc7\x82\xb1"
      "\x82\xd6\x8d\x73\x82\xad\x82\xcc\x82\xc5\x82\xb7\x82\xa9\x81\x48";
  m.fontName = kGothicFace;
  m.textColor = kGreen;
  m.fontSize = 14;
  m.soundEffect = NoSound;
  m.switchSeconds = 5;
  m.floating = true;
  return m;
}

MessageSettings DialogMessageDefaults() {
  MessageSettings m;
  // "明日できることは明日に伸ばそう"
  m.messageText =
      "\x96\xbe\x93\xfa\x82\xc5\x82\xab\x82\xe9\x82\xb1\x82\xc6\x82\xcd\x96\xbe\x93\xfa"
      "\x82\xc9\x90\x4c\x82\xce\x82\xbb\x82\xa4";
  m.fontName = kGothicFace;
  m.textColor = kGreen;
  m.fontSize = 26;
  m.soundEffect = Beep;
  m.switchSeconds = 10;
  m.floating = true;
  return m;
}

void ApplyMessageSettings(const MessageSettings& message, SaverSettings& saver) {
  saver.messageText = message.messageText;
  saver.fontName = message.fontName;
  saver.textColor = message.textColor;
  saver.fontSize = message.fontSize;
  saver.bold = message.bold;
  saver.italic = message.italic;
  saver.underline = message.underline;
  saver.strikeOut = message.strikeOut;
  saver.soundEffect = message.soundEffect;
  saver.switchSeconds = message.switchSeconds;
  saver.floating = message.floating;
}

}  // namespace settings
