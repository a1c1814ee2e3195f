#include "slideshow/picture_scan.h"

#include "settings/folder_scan.h"

namespace slideshow {
namespace {

template <typename Source>
void Rebuild(const std::string& pictureFolder, Source& source, settings::PictureList& list) {
  list.entryCount = 0;
  settings::ScanPictureNames(source, pictureFolder, [&](const std::string& name) {
    list.paths[size_t(list.entryCount)] = pictureFolder + "\\" + name;
    list.lastIndex = list.entryCount++;
  });
}

}  // namespace

void ScanPictureFolder(const std::string& pictureFolder, settings::DirectorySearch& search,
                       settings::PictureList& list) {
  Rebuild(pictureFolder, search, list);
}

void ScanPictureFolder(const std::string& pictureFolder, settings::FolderListing& listing,
                       settings::PictureList& list) {
  Rebuild(pictureFolder, listing, list);
}

}  // namespace slideshow
