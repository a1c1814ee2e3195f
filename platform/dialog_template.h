#pragma once
// Reads the layout out of a DIALOGEX template, the binary form the resource
// compiler makes of a DIALOGEX statement: the client size, the template's
// FONT and every control's id and bounds. Portable, so it can be fuzzed: the
// bytes are untrusted as far as this reader goes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DialogItemBounds {
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;
};

struct DialogTemplate {
  int width = 0, height = 0;  // x and y are not kept: dialogs are centred
  bool hasFont = false;       // DS_SETFONT; the fields below only then
  int fontPoints = 0;
  int fontWeight = 0;
  uint8_t fontCharSet = 0;
  std::wstring fontFace;
  std::vector<DialogItemBounds> items;
};

// Throws std::runtime_error when the bytes are not a DIALOGEX template or end
// before what they announce.
DialogTemplate ParseDialogTemplate(const uint8_t* data, size_t size);

}  // namespace platform
