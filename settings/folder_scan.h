#pragma once
// The folder scan the saver and the picture-selection dialog share: the names
// in one folder that match the picture masks, grouped by mask in kPictureMasks
// order and then those of the installed system codecs, at most kMaxScannedPictures over all masks, unsorted and unfiltered
// (a name two masks match comes twice; sub-folders come like files).
//
// It runs either as a search per mask, or over one listing of the folder with
// the masks matched in memory: the same names in the same order, since the
// listing yields the entries in the order every search of the folder does,
// and each entry's short name, which a search matches as well as the long one.
// A folder on slow storage costs one listing instead of one per mask.
#include <functional>
#include <string>
#include <vector>

#include "settings/directory_search.h"
#include "settings/folder_listing.h"
#include "settings/picture_selection_state.h"

namespace settings {

// kPictureMasks, then the masks of the installed system codecs.
std::vector<std::string> PictureMasks();

using OnScannedName = std::function<void(const std::string& name)>;

// Calls onPicture with each name (without folder) in scan order. `folder`
// comes without a trailing backslash.
void ScanPictureNames(DirectorySearch& search, const std::string& folder, const OnScannedName& onPicture);
void ScanPictureNames(FolderListing& listing, const std::string& folder, const OnScannedName& onPicture);

// Fills scanNames, scanCount and scanLast with the names of the pictures in
// the folder that the picture-selection dialog's folder list shows.
void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state);
void ScanFolder(FolderListing& listing, const std::string& folderShown, PictureSelectionState& state);

}  // namespace settings
