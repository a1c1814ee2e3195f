#pragma once
// Folder mode of the picture list: the entries of one folder that the shared
// folder scan (settings/folder_scan.h) finds, as full paths.
#include <string>

#include "settings/directory_search.h"
#include "settings/folder_listing.h"
#include "settings/picture_list.h"

namespace slideshow {

// Rebuilds the list from `pictureFolder` (one trailing backslash already
// removed), by a search per mask or over one listing of the folder: the same
// list either way. Slots past the new entries keep what they held;
// currentIndex is left alone; lastIndex keeps its old value when nothing is
// found.
void ScanPictureFolder(const std::string& pictureFolder, settings::DirectorySearch& search,
                       settings::PictureList& list);
void ScanPictureFolder(const std::string& pictureFolder, settings::FolderListing& listing,
                       settings::PictureList& list);

}  // namespace slideshow
