#pragma once
// What the settings dialog needs of the picture-selection dialog, and nothing
// more: the folder list, the drive selector, the display-method choice, the
// registered list, the choices beside them, and a modal showing. The picture-selection dialog
// implements it; the settings dialog's logic is tested against a fake.
#include <string>
#include <vector>

#include "settings/date_caption.h"
#include "settings/library_choices.h"

namespace settings {

enum class ModalResult { Ok = 1, Cancel = 2 };

class PictureSelectionPort {
 public:
  virtual ~PictureSelectionPort() = default;
  // dlbThumb: false when the folder list refuses the text at once. Whether
  // it names a folder that can be listed is asked of the disk off the
  // dialog's thread; a refusal then comes later, with the same effect: the
  // list keeps the folder it showed before.
  virtual bool SetFolder(const std::string& folder) = 0;
  virtual std::string Folder() const = 0;
  // dcbxThumb
  virtual void SetDrive(char driveLetter) = 0;
  // rbSelPhoto checked (true) or rbSelFolder checked (false)
  virtual void SetUseRegisteredList(bool registered) = 0;
  virtual bool UseRegisteredList() const = 0;
  // the date caption's drop-down list
  virtual void SetDateCaption(DateCaption caption) = 0;
  virtual DateCaption ChosenDateCaption() const = 0;
  // the check boxes "サブフォルダーも含める" and "ランダムな順番で表示"
  virtual void SetLibraryChoices(const LibraryChoices& choices) = 0;
  virtual LibraryChoices ChosenLibraryChoices() const = 0;
  // lbDfile, in list order
  virtual std::vector<std::string> RegisteredEntries() const = 0;
  virtual ModalResult ShowModal() = 0;
};

}  // namespace settings
