#pragma once
// What a key pressed during the show asks of it. With the keys on (fgKeys)
// and in saver mode, five keys steer the show; every other key, and any key
// held with Ctrl, Alt or the Windows key, ends the saver as every key does
// with the keys off. A key's auto-repeat steers nothing more. Clicks and mouse
// moves keep their own rules: they end the saver whatever the keys.
#include <cstdint>

namespace slideshow {

// The virtual-key codes of the five keys.
inline constexpr uint32_t kKeyNext = 0x27;     // →
inline constexpr uint32_t kKeyBack = 0x25;     // ←
inline constexpr uint32_t kKeyPause = 0x20;    // Space
inline constexpr uint32_t kKeyHide = 'H';
inline constexpr uint32_t kKeyExplore = 'E';

enum class KeyCommand { Next, Back, Pause, Hide, Explore, Ignore, End };

struct KeyDown {
  uint32_t virtualKey = 0;
  bool repeat = false;  // the key was down already: an auto-repeat
  bool ctrl = false, alt = false, windows = false;  // held with it
};

// `saverMode` false is the preview, where no key does anything.
KeyCommand CommandForKey(const KeyDown& key, bool keysOn, bool saverMode);

}  // namespace slideshow
