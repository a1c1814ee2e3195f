#pragma once
// dlbThumb, the folder list: the path from the drive's root down to the
// current folder, one entry per level, then the current folder's
// sub-folders, indented one level deeper. A double-click or Enter on an
// entry makes it the current folder. The list remembers each drive's last
// folder, so a change of drive comes back where the user left that drive.
// The sub-folders are listed on the dialog's worker and added when their
// listing comes, so a folder on slow storage never freezes the dialog.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/background_reader.h"
#include "picker/controls.h"

namespace picker {

class FolderListBox : public FolderView {
 public:
  // Starts at the process's current folder; onChange runs after every later
  // change of the current folder. The sub-folders are listed through
  // `reads`, in its slot `slot`.
  void Attach(HWND listBox, platform::BackgroundReader& reads, int slot, std::function<void()> onChange);
  HWND Handle() const { return list_; }

  // False, and the folder stays, when the path is not a folder that can be
  // listed.
  bool SetDirectory(const std::wstring& path);
  std::wstring WideDirectory() const { return directory_; }

  std::string Directory() const override;
  char Drive() const override;
  DriveChange SetDrive(char driveLetter) override;

  // The user opens the selected entry (double-click or Enter).
  void OpenSelected();
  void SetItemHeight(int pixels);
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  struct Entry {
    std::wstring path;
    std::wstring caption;
    int level;
    bool onPath;  // the root, the folders above and the current folder
  };
  void Move(std::wstring directory);
  void Fill();
  void AddSubfolders(const std::vector<std::wstring>& names);

  HWND list_ = nullptr;
  platform::BackgroundReader* reads_ = nullptr;
  int slot_ = 0;
  std::function<void()> onChange_;
  std::wstring directory_;
  std::vector<Entry> entries_;
  std::map<wchar_t, std::wstring> driveFolders_;
};

}  // namespace picker
