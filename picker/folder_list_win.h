#pragma once
// dlbThumb, the folder list: the path from the drive's root down to the
// current folder, one entry per level, then the current folder's
// sub-folders, indented one level deeper. A double-click or Enter on an
// entry makes it the current folder. Where the list stands and how it moves
// is FolderMoves' business, which asks the disk on the dialog's reader; the
// sub-folders are listed there too and added when their listing comes, so a
// folder on slow storage never freezes the dialog.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "picker/controls.h"
#include "picker/folder_moves.h"
#include "platform/background_reader.h"

namespace picker {

class FolderListBox : public FolderView {
 public:
  // Starts at the process's current folder; onChange runs after every later
  // change of the current folder. The moves and the sub-folders' listings
  // go through `reads`, in its slots `moveSlot` and `listSlot`.
  void Attach(HWND listBox, platform::BackgroundReader& reads, int moveSlot, int listSlot,
              std::function<void()> onChange);
  HWND Handle() const { return list_; }

  // False at once, and the folder stays, when the text names no folder; a
  // folder that cannot be listed is refused when the disk has answered, and
  // the folder stays then too.
  bool SetDirectory(const std::string& path);

  std::string Directory() const override;
  char Drive() const override;
  void SetDrive(char driveLetter, std::function<void(const DriveChange&)> done) override;

  // The user opens the selected entry (double-click or Enter).
  void OpenSelected();
  void SetItemHeight(int pixels);
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  struct Entry {
    std::string path;
    std::wstring caption;
    int level;
    bool onPath;  // the root, the folders above and the current folder
  };
  void Fill();
  void AddSubfolders(const std::vector<std::wstring>& names);

  HWND list_ = nullptr;
  platform::BackgroundReader* reads_ = nullptr;
  int listSlot_ = 0;
  std::function<void()> onChange_;
  std::optional<FolderMoves> moves_;
  std::vector<Entry> entries_;
};

}  // namespace picker
