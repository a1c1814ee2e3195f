#pragma once
// The photo pictures tests/wine/make-photo-fixtures writes beside the test
// programs at build time: red.png, green.webp, blue.avif, grey.jpg (#808080),
// dark.heic (#404040), blue.tif (160 x 120, solid) and portrait.jpg, .png,
// .webp, .avif, .heic (stored 160 x 120, red left, blue right, marked as
// turned a quarter: upright 120 x 160, red on top), and dated.jpg and
// undated.jpg (1024 x 768, grey; the first taken 2024-05-03), and tiles.heic
// (a picture bomb: a grid naming one tile 4096 times).
#include <string>

namespace driver {

// The full path of one of those pictures.
std::wstring PhotoFixture(const std::wstring& name);

}  // namespace driver
