#include "slideshow/picture_scan.h"

#include "settings/folder_scan.h"

namespace slideshow {

void ScanPictureFolder(const std::string& pictureFolder, settings::DirectorySearch& search,
                       settings::PictureList& list) {
  list.entryCount = 0;
  settings::ScanPictureNames(search, pictureFolder, [&](const std::string& name) {
    list.paths[size_t(list.entryCount)] = pictureFolder + "\\" + name;
    list.lastIndex = list.entryCount++;
  });
}

}  // namespace slideshow
