#pragma once
// Folder mode of the picture list: the entries of one folder that match the
// ten picture masks, grouped by mask in mask order, at most 100 in all.
#include <string>

#include "settings/directory_search.h"
#include "slideshow/picture_list.h"

namespace slideshow {

// Rebuilds the list from `pictureFolder` (one trailing backslash already
// removed). Slots past the new entries keep what they held; currentIndex is
// left alone; lastIndex keeps its old value when nothing is found.
void ScanPictureFolder(const std::string& pictureFolder, settings::DirectorySearch& search,
                       PictureList& list);

// Adds the entries matching `pattern` (pictureFolder + "\*.ext"); false once
// the list holds 100 entries.
bool ScanPictureMask(const std::string& pictureFolder, const std::string& pattern,
                     settings::DirectorySearch& search, PictureList& list);

}  // namespace slideshow
