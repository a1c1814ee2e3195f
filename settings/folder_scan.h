#pragma once
#include <string>

#include "settings/directory_search.h"
#include "settings/picture_selection_state.h"

namespace settings {

// Fills scanNames, scanCount and scanLast with the names of the pictures in
// the folder that the picture-selection dialog's folder list shows: grouped by
// mask in kPictureMasks order, at most 100 over all masks, unsorted and
// unfiltered (a name two masks match is listed twice).
void ScanFolder(DirectorySearch& search, const std::string& folderShown, PictureSelectionState& state);

}  // namespace settings
