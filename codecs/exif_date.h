#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/photo_date.h"

namespace codecs {

// The day an EXIF block says its photo was taken: DateTimeOriginal, else
// DateTimeDigitized (both in the EXIF directory), else DateTime (in the first
// image directory), each "YYYY:MM:DD HH:MM:SS". The block is a TIFF structure,
// optionally after "Exif\0\0". A tag that is missing, blank, malformed or
// names a day that does not exist is passed over; nothing when none is left.
std::optional<PhotoDate> ExifDateTaken(Bytes exif);

// A day from an EXIF date text; nothing unless it is a real Gregorian day of
// the years 1 to 9999 followed by the end of the text or a space.
std::optional<PhotoDate> ParseExifDate(Bytes text);

}  // namespace codecs
