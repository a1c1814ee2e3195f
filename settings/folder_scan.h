#pragma once
// The folder scan the saver and the picture-selection dialog share: the names
// in one folder that match the picture masks, grouped by mask in kPictureMasks
// order and then those of the installed system codecs, at most kMaxScannedPictures over all masks, unsorted and unfiltered
// (a name two masks match comes twice; sub-folders come like files).
#include <functional>
#include <string>
#include <vector>

#include "settings/directory_search.h"
#include "settings/picture_selection_state.h"

namespace settings {

// kPictureMasks, then the masks of the installed system codecs.
std::vector<std::string> PictureMasks();

// Calls onPicture with each name (without folder) in scan order. `folder`
// comes without a trailing backslash.
void ScanPictureNames(DirectorySearch& search, const std::string& folder,
                      const std::function<void(const std::string& name)>& onPicture);

// Fills scanNames, scanCount and scanLast with the names of the pictures in
// the folder that the picture-selection dialog's folder list shows.
void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state);

}  // namespace settings
