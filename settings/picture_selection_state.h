#pragma once
// The picture-selection state that the settings dialog owns and the
// picture-selection dialog works on, and what that dialog hands back on OK.
// Texts are UTF-8.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/date_caption.h"
#include "settings/library_choices.h"
#include "settings/picture_list.h"

namespace settings {

struct PictureSelectionState {
  static constexpr int kSlots = kPictureSlots;
  std::string pictureFolder;   // handed to dlbThumb; saved as dtDir
  char driveLetter = '\0';     // first character of pictureFolder, for dcbxThumb
  std::string startDirectory;  // the process's current directory when the dialog is shown
  int32_t registeredCount = 0;  // eCount as stored (may exceed the entries read)
  std::array<std::string, kSlots> registeredFiles;  // slots 0..50 filled from the store
  std::array<std::string, kSlots> scanNames;        // file names of the folder scan, at most 100
  int32_t scanCount = 0;
  int32_t scanLast = -1;
  bool refreshPending = false;  // set before the picture-selection dialog opens
  DateCaption dateCaption = DateCaption::Off;  // fgDate as stored
  LibraryChoices libraryChoices;               // fgSubFolders and fgShuffle as stored
};

// The picture-selection dialog's state after OK, as WritePictureSettings stores it.
struct PictureSelectionResult {
  std::string pictureFolder;                 // the folder dlbThumb shows now
  bool selPhotoChecked = false;              // rbSelPhoto (false: rbSelFolder)
  std::vector<std::string> registeredList;   // lbDfile's entries in list order
  DateCaption dateCaption = DateCaption::Off;  // the date caption's drop-down list
  LibraryChoices libraryChoices;               // the two check boxes beside it
};

}  // namespace settings
