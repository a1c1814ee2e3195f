#pragma once
// What the picture-selection dialog TfrmDir decides: the opening refresh, the
// two lists and their buttons, the display-method modes and the drive change.
// It works on its controls through the views of controls.h and on the state
// that the settings dialog shares with it; the Win32 form forwards its
// events here and implements the views with real controls.
#include <functional>
#include <string>
#include <vector>

#include "picker/controls.h"
#include "settings/picture_selection_state.h"

namespace picker {

struct PictureSelectionControls {
  DriveView& dcbxThumb;
  FolderView& dlbThumb;
  CheckView& rbSelPhoto;
  ListBoxView& lbSfile;
  ListBoxView& lbDfile;
  ControlView& btTrk;
  ControlView& btUp;
  ControlView& btDown;
  ControlView& btErase;
  ControlView& btAllErase;
  LabelView& lblDsp;
  LabelView& lblCount;
  ThumbnailView& preview;
  DialogServices& services;
};

class PictureSelectionLogic {
 public:
  // scanFolder fills shared's scanNames, scanCount and scanLast from the
  // folder it is given (the settings dialog's ScanFolder) and then calls
  // `scanned`, at once or once the listing has come from slow storage; a
  // later scan may replace one whose `scanned` has not been called yet.
  using ScanFolderFn =
      std::function<void(const std::string& directory, std::function<void()> scanned)>;

  PictureSelectionLogic(const PictureSelectionControls& controls,
                        settings::PictureSelectionState& shared, ScanFolderFn scanFolder);

  // Event handlers.
  void FormCreate();
  void FormPaint();
  void dcbxThumbChange();
  void dlbThumbChange();
  void lbSfileClick();
  void lbDfileClick();
  void btTrkClick();
  void btEraseClick();
  void btAllEraseClick();
  void btUpClick();
  void btDownClick();
  void rbSelPhotoClick();

  // The dialog's own operations.
  void ChangeDrive();
  void RefreshFolderList();
  void EnterRegisteredMode();
  void EnterFolderMode();
  void UpdateRegisteredButtons();
  void ResetRegisteredButtons();
  void UpdateCountLabel();

  // What the opener reads back on OK.
  std::vector<std::string> RegisteredEntries() const;

 private:
  void OpeningRefresh();
  void ShowScannedFolder();
  // The current folder without its trailing backslash, then one backslash.
  std::string FolderPrefix() const;
  void MoveCurrentEntry(int offset);

  PictureSelectionControls c_;
  settings::PictureSelectionState& shared_;
  ScanFolderFn scanFolder_;
};

// The text shown when a drive has no medium.
inline constexpr const char* kDriveNotReadyMessage = "ドライブの準備ができていません";

}  // namespace picker
