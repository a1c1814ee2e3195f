#pragma once
// TfrmDir, the picture-selection dialog (form description "Dcdir"). Created
// once in settings mode, hidden, and shown modally by the settings dialog
// through PictureSelectionPort for every opening. The decisions live in
// PictureSelectionLogic and Thumbnail; this form wires them to its controls.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/background_reader.h"
#include "picker/control_views_win.h"
#include "picker/controls.h"
#include "picker/date_caption_choice_win.h"
#include "picker/drive_selector_win.h"
#include "picker/folder_list_win.h"
#include "picker/hidden_photos_dialog_win.h"
#include "picker/image_box_win.h"
#include "picker/picture_selection_logic.h"
#include "picker/thumbnail_when_read.h"
#include "platform/dialog_win.h"
#include "settings/picture_selection_port.h"
#include "settings/picture_selection_state.h"

namespace picker {

class TfrmDir : public platform::Dialog,
                public settings::PictureSelectionPort,
                private DialogServices {
 public:
  // shared is the settings dialog's picture-selection state; it must outlive
  // the dialog.
  explicit TfrmDir(settings::PictureSelectionState& shared);

  // PictureSelectionPort, for the settings dialog.
  bool SetFolder(const std::string& folder) override;
  std::string Folder() const override;
  void SetDrive(char driveLetter) override;
  void SetUseRegisteredList(bool registered) override;
  bool UseRegisteredList() const override;
  void SetDateCaption(settings::DateCaption caption) override;
  settings::DateCaption ChosenDateCaption() const override;
  void SetLibraryChoices(const settings::LibraryChoices& choices) override;
  settings::LibraryChoices ChosenLibraryChoices() const override;
  std::vector<std::string> RegisteredEntries() const override;
  settings::ModalResult ShowModal() override;

 protected:
  void OnInitDialog() override;
  void OnLayout() override;
  void OnPaint() override;
  void OnCommand(int id, int code, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void ScanFolderWhenRead(const std::string& folder, std::function<void()> scanned);
  void FollowDisplayMethod();
  void btOkClick() { EndModal(IDOK); }
  void btCancelClick() { EndModal(IDCANCEL); }
  void btHiddenClick();

  // DialogServices
  void ShowMessage(const std::string& utf8Text) override;
  void ProcessMessages() override;

  settings::PictureSelectionState& shared_;
  // Listings and pictures are read here, off the dialog's thread; the
  // controls below take their answers.
  std::optional<platform::BackgroundReader> reads_;

  DriveSelector dcbxThumb_;
  FolderListBox dlbThumb_;
  Win32Check rbSelPhoto_;
  Win32ListBox lbSfile_, lbDfile_;
  Win32Control btTrk_, btUp_, btDown_, btErase_, btAllErase_;
  Win32Label lblFolder_, lblDsp_, lblFileCount_, lblCount_, lblFileName_;
  ImageBox imS_;
  DateCaptionChoice cbDate_;
  std::optional<ThumbnailWhenRead> thumbnail_;
  std::optional<PictureSelectionLogic> logic_;
  // Made at its first opening and kept, as the other dialogs are.
  std::unique_ptr<TfrmHidden> hiddenPhotos_;
};

}  // namespace picker
