#pragma once
// The saver's list of pictures, as the store (registered mode) or the folder
// scan fills it: 101 path slots (UTF-8) and the indices of the show. Builds
// write slots from 0 upward and never clear the rest, so a slot past the last
// entry keeps what an earlier build left there.
#include <array>
#include <cstdint>
#include <string>

namespace settings {

// The size of every list of pictures, the saver's and the picture-selection
// dialog's: room for a full folder scan and one more.
inline constexpr int kPictureSlots = 101;

struct PictureList {
  static constexpr int kSlots = kPictureSlots;
  std::array<std::string, kSlots> paths;
  int32_t currentIndex = 0;
  int32_t lastIndex = 0;
  int32_t entryCount = 0;

  // The path at an index; indices past the slots (a hand-written eCount above
  // 101) read as empty entries, which show the sample picture.
  const std::string& PathAt(int32_t index) const {
    static const std::string empty;
    return index >= 0 && index < kSlots ? paths[index] : empty;
  }
};

}  // namespace settings
