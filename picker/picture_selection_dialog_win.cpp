#include "picker/picture_selection_dialog_win.h"

#include "codecs/file_bytes.h"
#include "codecs/sample_picture_win.h"
#include "picker/system_text_win.h"
#include "picker/thumbnail_picture.h"
#include "platform/application_win.h"
#include "platform/label_size_win.h"
#include "platform/message_box_win.h"
#include "platform/reader_thread_win.h"
#include "platform/utf16.h"
#include "resources/dcdir_ids.h"
#include "settings/folder_listing_win.h"
#include "settings/folder_scan.h"

namespace picker {
namespace {

// Posted to the dialog when a read has answered.
constexpr UINT kReadsAnswered = WM_APP + 1;

// The reads' slots: the latest read of each wins.
enum ReadSlot : int { kFolderMoveRead, kFolderListRead, kFileListRead, kThumbnailRead };

}  // namespace

TfrmDir::TfrmDir(settings::PictureSelectionState& shared) : shared_(shared) { Create(IDD_DCDIR); }

void TfrmDir::OnInitDialog() { FormCreate(); }

void TfrmDir::FormCreate() {
  rbSelPhoto_.Attach(Item(IDC_DCDIR_RBSELPHOTO));
  lbSfile_.Attach(Item(IDC_DCDIR_LBSFILE));
  lbDfile_.Attach(Item(IDC_DCDIR_LBDFILE));
  btTrk_.Attach(Item(IDC_DCDIR_BTTRK));
  btUp_.Attach(Item(IDC_DCDIR_BTUP));
  btDown_.Attach(Item(IDC_DCDIR_BTDOWN));
  btErase_.Attach(Item(IDC_DCDIR_BTERASE));
  btAllErase_.Attach(Item(IDC_DCDIR_BTALLERASE));
  lblDsp_.Attach(Item(IDC_DCDIR_LBLDSP));
  lblCount_.Attach(Item(IDC_DCDIR_LBLCOUNT));
  lblFileName_.Attach(Item(IDC_DCDIR_LBLFILENAME));
  cbDate_.Attach(Item(IDC_DCDIR_CBDATE));
  imS_.Attach(Item(IDC_DCDIR_IMS), [this](int pixels96) { return Scale(pixels96); });
  SetControlFont(IDC_DCDIR_LBLCOUNT, platform::ControlFont{L"ＭＳ Ｐゴシック", 15});
  platform::AutoSizeLabel(Item(IDC_DCDIR_LBLCOUNT));
  SetChecked(IDC_DCDIR_RBSELFOLDER, true);
  FollowDisplayMethod();
  const HWND self = Handle();
  reads_.emplace(platform::BackgroundReader::Setup{platform::WakeWindow(self, kReadsAnswered),
                                                  &platform::SetReaderThreadErrorMode});

  // imS's designed place is recorded here, once: every preview is placed
  // relative to it.
  const auto decode = [](const std::string& path, const codecs::ShownSize& shown) {
    const FileReader read = [](const std::string& file) { return codecs::ReadFileBytes(file); };
    return DecodeThumbnailPicture(path, read, shown);
  };
  thumbnail_.emplace(*reads_, kThumbnailRead, imS_, lblFileName_, decode,
                     codecs::LoadSamplePicture(), DCDIR_IMS_LEFT, DCDIR_IMS_TOP);
  logic_.emplace(
      PictureSelectionControls{dcbxThumb_, dlbThumb_, rbSelPhoto_, lbSfile_, lbDfile_, btTrk_,
                               btUp_, btDown_, btErase_, btAllErase_, lblDsp_, lblCount_,
                               *thumbnail_, *this},
      shared_, [this](const std::string& folder, std::function<void()> scanned) {
        ScanFolderWhenRead(folder, std::move(scanned));
      });
  logic_->FormCreate();
  dlbThumb_.Attach(Item(IDC_DCDIR_DLBTHUMB), *reads_, kFolderMoveRead, kFolderListRead,
                   [this] { logic_->dlbThumbChange(); });
  dcbxThumb_.Attach(Item(IDC_DCDIR_DCBXTHUMB), dlbThumb_.Drive(),
                    [this] { logic_->dcbxThumbChange(); });
  OnLayout();
}

// The folder's pictures are listed on the worker into a state of its own;
// the answer hands the names to the shared state.
void TfrmDir::ScanFolderWhenRead(const std::string& folder, std::function<void()> scanned) {
  reads_->Start(kFileListRead, [this, folder, scanned = std::move(scanned)] {
    settings::Win32FolderListing listing;
    settings::PictureSelectionState listed;
    settings::ScanFolder(listing, folder, listed);
    return platform::BackgroundReader::Answer([this, listed = std::move(listed), scanned] {
      shared_.scanNames = listed.scanNames;
      shared_.scanCount = listed.scanCount;
      shared_.scanLast = listed.scanLast;
      scanned();
    });
  });
}

// Sizes that the template cannot hold: entry heights, the columns of the
// folder pictures, the drop-down's extent, labels fitted to their captions.
void TfrmDir::OnLayout() {
  ::SendMessageW(Item(IDC_DCDIR_DLBTHUMB), LB_SETITEMHEIGHT, 0, Scale(16));
  ::SendMessageW(Item(IDC_DCDIR_LBSFILE), LB_SETITEMHEIGHT, 0, Scale(12));
  ::SendMessageW(Item(IDC_DCDIR_LBDFILE), LB_SETITEMHEIGHT, 0, Scale(12));
  RECT files;
  ::GetClientRect(Item(IDC_DCDIR_LBSFILE), &files);
  ::SendMessageW(Item(IDC_DCDIR_LBSFILE), LB_SETCOLUMNWIDTH, WPARAM(files.right / 3), 0);
  const HWND drives = Item(IDC_DCDIR_DCBXTHUMB);
  ::SendMessageW(drives, CB_SETITEMHEIGHT, WPARAM(-1), Scale(18) - 6);
  ::SetWindowPos(drives, nullptr, 0, 0, Scale(180), Scale(18 + 200),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int label : {IDC_DCDIR_LBLFOLDER, IDC_DCDIR_LBLDSP, IDC_DCDIR_LBLFILECOUNT,
                    IDC_DCDIR_LBLCOUNT, IDC_DCDIR_LBLFILENAME, IDC_DCDIR_LBLDATE})
    platform::AutoSizeLabel(Item(label));
  imS_.Relayout();
}

void TfrmDir::OnPaint() {
  if (logic_) logic_->FormPaint();
}

void TfrmDir::OnCommand(int id, int code, HWND /*control*/) {
  if (!logic_) return;
  PictureSelectionLogic& logic = *logic_;
  switch (id) {
    case IDC_DCDIR_DCBXTHUMB:
      if (code == CBN_SELCHANGE) dcbxThumb_.SelectionChanged();
      break;
    case IDC_DCDIR_DLBTHUMB:
      if (code == LBN_DBLCLK) dlbThumb_.OpenSelected();
      break;
    case IDC_DCDIR_LBSFILE:
      if (code == LBN_SELCHANGE) logic.lbSfileClick();
      break;
    case IDC_DCDIR_LBDFILE:
      if (code == LBN_SELCHANGE) logic.lbDfileClick();
      break;
    case IDC_DCDIR_BTTRK:
      if (code == BN_CLICKED) logic.btTrkClick();
      break;
    case IDC_DCDIR_BTERASE:
      if (code == BN_CLICKED) logic.btEraseClick();
      break;
    case IDC_DCDIR_BTALLERASE:
      if (code == BN_CLICKED) logic.btAllEraseClick();
      break;
    case IDC_DCDIR_BTUP:
      if (code == BN_CLICKED) logic.btUpClick();
      break;
    case IDC_DCDIR_BTDOWN:
      if (code == BN_CLICKED) logic.btDownClick();
      break;
    case IDC_DCDIR_RBSELPHOTO:
    case IDC_DCDIR_RBSELFOLDER:
      if (code != BN_CLICKED) break;
      FollowDisplayMethod();
      logic.rbSelPhotoClick();
      break;
    case IDC_DCDIR_BTOK:
      if (code == BN_CLICKED) btOkClick();
      break;
    case IDC_DCDIR_BTCANCEL:
      if (code == BN_CLICKED) btCancelClick();
      break;
    case IDC_DCDIR_BTHIDDEN:
      if (code == BN_CLICKED) btHiddenClick();
      break;
    default:
      break;
  }
}

INT_PTR TfrmDir::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReadsAnswered) {
    if (reads_) reads_->Deliver();
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlID == IDC_DCDIR_DLBTHUMB) dlbThumb_.DrawItem(item);
    if (item.CtlID == IDC_DCDIR_IMS) imS_.Draw(item);
    return TRUE;
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

void TfrmDir::btHiddenClick() {
  if (!hiddenPhotos_) hiddenPhotos_ = std::make_unique<TfrmHidden>();
  hiddenPhotos_->ShowModal();
}

bool TfrmDir::SetFolder(const std::string& folder) { return dlbThumb_.SetDirectory(folder); }

std::string TfrmDir::Folder() const { return dlbThumb_.Directory(); }

void TfrmDir::SetDrive(char driveLetter) { dcbxThumb_.SetDrive(driveLetter); }

void TfrmDir::SetUseRegisteredList(bool registered) {
  SetChecked(IDC_DCDIR_RBSELPHOTO, registered);
  SetChecked(IDC_DCDIR_RBSELFOLDER, !registered);
  FollowDisplayMethod();
}

bool TfrmDir::UseRegisteredList() const { return rbSelPhoto_.Checked(); }

void TfrmDir::SetDateCaption(settings::DateCaption caption) { cbDate_.Set(caption); }

settings::DateCaption TfrmDir::ChosenDateCaption() const { return cbDate_.Chosen(); }

void TfrmDir::SetLibraryChoices(const settings::LibraryChoices& choices) {
  SetChecked(IDC_DCDIR_CKSUBFOLDERS, choices.subFolders);
  SetChecked(IDC_DCDIR_CKSHUFFLE, choices.shuffle);
}

settings::LibraryChoices TfrmDir::ChosenLibraryChoices() const {
  return settings::LibraryChoices{Checked(IDC_DCDIR_CKSUBFOLDERS), Checked(IDC_DCDIR_CKSHUFFLE)};
}

// Only the folder source has subfolders. The box keeps its check while
// disabled, and that check is stored on ＯＫ, so the choice is there again
// when the folder source is.
void TfrmDir::FollowDisplayMethod() {
  ::EnableWindow(Item(IDC_DCDIR_CKSUBFOLDERS), !rbSelPhoto_.Checked());
}

std::vector<std::string> TfrmDir::RegisteredEntries() const { return logic_->RegisteredEntries(); }

settings::ModalResult TfrmDir::ShowModal() {
  return Dialog::ShowModal() == IDOK ? settings::ModalResult::Ok : settings::ModalResult::Cancel;
}

void TfrmDir::ShowMessage(const std::string& utf8Text) {
  platform::ShowMessage(platform::WideFromUtf8(utf8Text));
}

void TfrmDir::ProcessMessages() { platform::Application::Instance().ProcessMessages(); }

}  // namespace picker
