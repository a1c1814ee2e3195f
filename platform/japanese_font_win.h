#pragma once
// Japanese faces where the program's usual faces are missing. The forms ask
// for "ＭＳ Ｐゴシック" and "ＭＳ ゴシック", and the message font defaults to the
// latter; on a system without them (a Windows without the Japanese fonts, or
// Wine) GDI's own substitute often cannot show Japanese at all, so a face
// that can takes their place. Shared by the dialogs and the saver's ticker.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handles_win.h"

namespace platform {

// Whether a font family of that name is installed (EnumFontFamiliesExW).
bool FontFamilyInstalled(std::wstring_view face);

// The face to use for `wanted`: itself when installed or when it is not one
// of the Japanese system faces; otherwise the first installed face of a list
// that shows Japanese (proportional ones for "ＭＳ Ｐゴシック"/"MS PGothic" and
// "MS UI Gothic", fixed-pitch ones first for "ＭＳ ゴシック"/"MS Gothic"). When
// none is installed, `wanted` itself, left to GDI's substitution.
std::wstring JapaneseFace(std::wstring_view wanted);

// CreateFontIndirectW with lfFaceName replaced by JapaneseFace(lfFaceName).
UniqueFont CreateJapaneseFont(LOGFONTW font);

}  // namespace platform
