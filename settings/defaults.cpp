// Every default of the store in one place. The two sides fall back to
// different sets; each reader assigns its set whole when one read of the group
// fails. The picture group's fallbacks are single values and stay with their
// readers (dtDir and File_%03d read as empty when missing, SelPhoto false,
// eCount 0 in the dialog and, when registered, also in the saver).
#include "settings/message_settings.h"

namespace settings {

namespace {
const char kGothicFace[] = "ＭＳ ゴシック";
constexpr uint32_t kGreen = 0x0000FF00;
}  // namespace

MessageSettings SaverMessageDefaults() {
  MessageSettings m;
  m.messageText = "そんなに急いで，どこへ行くのですか？";
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
  m.messageText = "明日できることは明日に伸ばそう";
  m.fontName = kGothicFace;
  m.textColor = kGreen;
  m.fontSize = 26;
  m.soundEffect = Beep;
  m.switchSeconds = 10;
  m.floating = true;
  return m;
}

}  // namespace settings
