#include "picker/picture_selection_logic.h"

#include <algorithm>
#include <utility>

#include "settings/path_text.h"
#include "settings/registry_values.h"

namespace picker {
namespace {

bool ValidIndex(const ListBoxView& list, int index) {
  return index >= 0 && index < list.Count();
}

}  // namespace

PictureSelectionLogic::PictureSelectionLogic(const PictureSelectionControls& controls,
                                             settings::PictureSelectionState& shared,
                                             ScanFolderFn scanFolder)
    : c_(controls), shared_(shared), scanFolder_(std::move(scanFolder)) {}

void PictureSelectionLogic::FormCreate() {
  c_.btTrk.SetEnabled(false);
  c_.btUp.SetEnabled(false);
  c_.btDown.SetEnabled(false);
  c_.btErase.SetEnabled(false);
  c_.btAllErase.SetEnabled(true);
  c_.lbDfile.SetEnabled(true);
  c_.lblDsp.SetEnabled(true);
}

void PictureSelectionLogic::FormPaint() {
  if (shared_.refreshPending) OpeningRefresh();
}

// Rebuilds the dialog from the state the opener primed, so that nothing of an
// opening that ended with Cancel survives into this one.
void PictureSelectionLogic::OpeningRefresh() {
  shared_.refreshPending = false;
  RefreshFolderList();
  c_.preview.HideThumbnail();
  rbSelPhotoClick();
  const int stored = std::clamp(shared_.registeredCount, 0, settings::kRegisteredEntriesRead);
  c_.lbDfile.Assign(std::vector<std::string>(shared_.registeredFiles.begin(),
                                             shared_.registeredFiles.begin() + stored));
  UpdateCountLabel();
  // Without this, the buttons of the previous opening would stay enabled
  // while nothing is selected in the refilled list.
  ResetRegisteredButtons();
}

void PictureSelectionLogic::dcbxThumbChange() { ChangeDrive(); }

void PictureSelectionLogic::dlbThumbChange() { RefreshFolderList(); }

void PictureSelectionLogic::ChangeDrive() {
  const char previous = c_.dlbThumb.Drive();
  c_.dlbThumb.SetDrive(c_.dcbxThumb.Drive(), [this, previous](const DriveChange& change) {
    if (change.kind == DriveChange::Kind::Done) {
      c_.services.ProcessMessages();
      return;
    }
    // Any failure puts both controls back, so they never disagree about the
    // drive; only the text differs.
    c_.services.ShowMessage(change.kind == DriveChange::Kind::NotReady ? kDriveNotReadyMessage
                                                                       : change.utf8Message);
    c_.dlbThumb.SetDrive(previous, {});
    c_.dcbxThumb.SetDrive(previous);
  });
}

// The list empties at once: nothing of the folder left is shown, or chosen,
// while the new one is being listed.
void PictureSelectionLogic::RefreshFolderList() {
  c_.lbSfile.Assign({});
  c_.btTrk.SetEnabled(false);
  c_.preview.HideThumbnail();
  scanFolder_(c_.dlbThumb.Directory(), [this] { ShowScannedFolder(); });
}

void PictureSelectionLogic::ShowScannedFolder() {
  const int last = std::clamp(shared_.scanLast, -1, settings::PictureSelectionState::kSlots - 1);
  c_.lbSfile.Assign(
      std::vector<std::string>(shared_.scanNames.begin(), shared_.scanNames.begin() + (last + 1)));
}

void PictureSelectionLogic::lbSfileClick() {
  const int current = c_.lbSfile.CurrentIndex();
  if (!ValidIndex(c_.lbSfile, current)) {
    c_.btTrk.SetEnabled(false);
    return;
  }
  c_.lbDfile.DeselectAll();
  c_.btUp.SetEnabled(false);
  c_.btDown.SetEnabled(false);
  c_.btErase.SetEnabled(false);
  c_.preview.ShowThumbnail(FolderPrefix() + c_.lbSfile.Text(current));
  if (c_.rbSelPhoto.Checked()) c_.btTrk.SetEnabled(true);
}

void PictureSelectionLogic::lbDfileClick() {
  const int current = c_.lbDfile.CurrentIndex();
  if (!ValidIndex(c_.lbDfile, current)) {
    ResetRegisteredButtons();
    return;
  }
  c_.lbSfile.DeselectAll();
  c_.btTrk.SetEnabled(false);
  c_.preview.ShowThumbnail(c_.lbDfile.Text(current));
  UpdateRegisteredButtons();
}

void PictureSelectionLogic::UpdateRegisteredButtons() {
  const int current = c_.lbDfile.CurrentIndex();
  const bool one = c_.lbDfile.SelectedCount() == 1;
  c_.btUp.SetEnabled(one && current > 0);
  c_.btDown.SetEnabled(one && current < c_.lbDfile.Count() - 1);
  c_.btErase.SetEnabled(true);
}

void PictureSelectionLogic::ResetRegisteredButtons() {
  c_.btUp.SetEnabled(false);
  c_.btDown.SetEnabled(false);
  c_.btErase.SetEnabled(false);
  if (c_.lbSfile.SelectedCount() == 0) c_.preview.HideThumbnail();
}

// Appends in the folder list's sorted order, whatever order the entries were
// selected in; duplicates are allowed.
void PictureSelectionLogic::btTrkClick() {
  const std::string prefix = FolderPrefix();
  for (int i = 0; i < c_.lbSfile.Count(); ++i)
    if (c_.lbSfile.Selected(i)) c_.lbDfile.Add(prefix + c_.lbSfile.Text(i));
  UpdateCountLabel();
}

void PictureSelectionLogic::btEraseClick() {
  // An index stays put after a removal: the next entry has moved into it.
  for (int i = 0; i < c_.lbDfile.Count();) {
    if (c_.lbDfile.Selected(i))
      c_.lbDfile.Delete(i);
    else
      ++i;
  }
  ResetRegisteredButtons();
  UpdateCountLabel();
}

void PictureSelectionLogic::btAllEraseClick() {
  c_.lbDfile.Assign({});
  ResetRegisteredButtons();
  UpdateCountLabel();
}

void PictureSelectionLogic::btUpClick() { MoveCurrentEntry(-1); }

void PictureSelectionLogic::btDownClick() { MoveCurrentEntry(+1); }

// The entry comes back unselected, so the user selects it again to move it on.
void PictureSelectionLogic::MoveCurrentEntry(int offset) {
  const int current = c_.lbDfile.CurrentIndex();
  const int target = current + offset;
  if (!ValidIndex(c_.lbDfile, current) || !ValidIndex(c_.lbDfile, target)) return;
  const std::string text = c_.lbDfile.Text(current);
  c_.lbDfile.Delete(current);
  c_.lbDfile.Insert(target, text);
  ResetRegisteredButtons();
}

void PictureSelectionLogic::rbSelPhotoClick() {
  if (c_.rbSelPhoto.Checked())
    EnterRegisteredMode();
  else
    EnterFolderMode();
}

void PictureSelectionLogic::EnterRegisteredMode() {
  c_.lbDfile.SetEnabled(true);
  c_.btAllErase.SetEnabled(true);
  c_.lblDsp.SetEnabled(true);
  if (c_.lbSfile.SelectedCount() > 0) c_.btTrk.SetEnabled(true);
}

// The registered entries stay in the list, greyed; the opener still stores
// them on OK.
void PictureSelectionLogic::EnterFolderMode() {
  if (c_.lbDfile.SelectedCount() > 0) {
    c_.preview.HideThumbnail();
    c_.lbDfile.DeselectAll();
    c_.btTrk.SetEnabled(false);
  }
  for (ControlView* control :
       {static_cast<ControlView*>(&c_.lbDfile), &c_.btUp, &c_.btDown, &c_.btErase,
        &c_.btAllErase, &c_.btTrk, static_cast<ControlView*>(&c_.lblDsp)})
    control->SetEnabled(false);
}

void PictureSelectionLogic::UpdateCountLabel() {
  c_.lblCount.SetCaption(std::to_string(c_.lbDfile.Count()));
}

std::vector<std::string> PictureSelectionLogic::RegisteredEntries() const {
  std::vector<std::string> entries;
  entries.reserve(size_t(c_.lbDfile.Count()));
  for (int i = 0; i < c_.lbDfile.Count(); ++i) entries.push_back(c_.lbDfile.Text(i));
  return entries;
}

std::string PictureSelectionLogic::FolderPrefix() const {
  return settings::StripTrailingBackslash(c_.dlbThumb.Directory()) + "\\";
}

}  // namespace picker
