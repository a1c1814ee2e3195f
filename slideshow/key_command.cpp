#include "slideshow/key_command.h"

namespace slideshow {

// A repeat of any other key ends the saver like its first press: a key held
// since before the saver began must still end it.
KeyCommand CommandForKey(const KeyDown& key, bool keysOn, bool saverMode) {
  if (!saverMode) return KeyCommand::Ignore;
  if (!keysOn || key.ctrl || key.alt || key.windows) return KeyCommand::End;
  KeyCommand command = KeyCommand::End;
  switch (key.virtualKey) {
    case kKeyNext: command = KeyCommand::Next; break;
    case kKeyBack: command = KeyCommand::Back; break;
    case kKeyPause: command = KeyCommand::Pause; break;
    case kKeyHide: command = KeyCommand::Hide; break;
    case kKeyExplore: command = KeyCommand::Explore; break;
    default: return KeyCommand::End;
  }
  return key.repeat ? KeyCommand::Ignore : command;
}

}  // namespace slideshow
