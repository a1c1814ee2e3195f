#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "codecs/exif_date.h"
#include "codecs/exif_orientation.h"
#include "codecs/orientation.h"
#include "fuzz_check.h"

// The orientation read from any block is 1 to 8 and turns a picture into one
// of the same pixels, the sides swapped for 5 to 8; a date read from it is a
// day of the calendar.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int orientation = codecs::ExifOrientation({data, size});
  if (orientation < 1 || orientation > 8) std::abort();
  codecs::Image image(3, 2);
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = uint32_t(i);
  const codecs::Image turned = codecs::Orient(image, orientation);
  codecs::fuzzing::CheckResult(turned);
  const bool swapped = orientation >= 5;
  if (turned.width != (swapped ? 2 : 3) || turned.height != (swapped ? 3 : 2)) std::abort();
  if (const std::optional<codecs::PhotoDate> d = codecs::ExifDateTaken({data, size})) {
    if (d->year < 1 || d->year > 9999 || d->month < 1 || d->month > 12 || d->day < 1 || d->day > 31) std::abort();
  }
  return 0;
}
