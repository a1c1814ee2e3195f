#pragma once
// The caption text of the day a photo was taken: "2024年5月3日（金）" in the
// Western year, or "令和6年5月3日（金）" in the era of that day, its first
// year written 元年. Days before 明治6年 (1873, when the country took the
// Gregorian calendar) have no era day to name and keep the Western year.
#include <string>

#include "codecs/photo_date.h"
#include "settings/date_caption.h"

namespace slideshow {

// Empty for DateCaption::Off.
std::string PhotoDateText(const codecs::PhotoDate& date, settings::DateCaption caption);

}  // namespace slideshow
