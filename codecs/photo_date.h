#pragma once
#include <cstdint>

namespace codecs {

// The calendar day a photo was taken, as the camera's clock gave it.
struct PhotoDate {
  int32_t year = 0;
  int32_t month = 0;  // 1 to 12
  int32_t day = 0;    // 1 to the month's length
  friend bool operator==(const PhotoDate&, const PhotoDate&) = default;
};

}  // namespace codecs
