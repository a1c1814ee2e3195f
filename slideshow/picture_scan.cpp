#include "slideshow/picture_scan.h"

#include <string_view>

namespace slideshow {

void ScanPictureFolder(const std::string& pictureFolder, settings::DirectorySearch& search,
                       PictureList& list) {
  list.entryCount = 0;
  for (std::string_view mask : settings::kPictureMasks)
    if (!ScanPictureMask(pictureFolder, pictureFolder + std::string(mask), search, list)) return;
}

bool ScanPictureMask(const std::string& pictureFolder, const std::string& pattern,
                     settings::DirectorySearch& search, PictureList& list) {
  bool room = list.entryCount < settings::kMaxScannedPictures;
  if (!room) return false;
  search.Find(pattern, [&](const std::string& name) {
    list.paths[size_t(list.entryCount)] = pictureFolder + "\\" + name;
    list.lastIndex = list.entryCount;
    ++list.entryCount;
    room = list.entryCount < settings::kMaxScannedPictures;
    return room;
  });
  return room;
}

}  // namespace slideshow
