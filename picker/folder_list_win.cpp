#include "picker/folder_list_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "picker/folder_path.h"
#include "picker/folder_system_win.h"
#include "platform/handles_win.h"
#include "platform/message_box_win.h"
#include "platform/utf16.h"

namespace picker {
namespace {

LRESULT CALLBACK EnterOpens(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR self) {
  switch (message) {
    case WM_GETDLGCODE:
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
          wParam == VK_RETURN)
        return DLGC_WANTMESSAGE | ::DefSubclassProc(list, message, wParam, lParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        reinterpret_cast<FolderListBox*>(self)->OpenSelected();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(list, &EnterOpens, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void FolderListBox::Attach(HWND listBox, platform::BackgroundReader& reads, int moveSlot,
                           int listSlot, std::function<void()> onChange) {
  list_ = listBox;
  reads_ = &reads;
  listSlot_ = listSlot;
  onChange_ = std::move(onChange);
  ::SetWindowSubclass(list_, &EnterOpens, 0, reinterpret_cast<DWORD_PTR>(this));
  // The process's current folder, as the list starts; no change is reported
  // for it, so the lists stay as designed until the first opening.
  const auto system = std::make_shared<Win32FolderSystem>();
  std::string start = system->FullPath(".");
  if (start.empty()) start = "C:\\";
  moves_.emplace(reads, moveSlot, system, std::move(start), [this] {
    Fill();
    if (onChange_) onChange_();
  });
  Fill();
}

bool FolderListBox::SetDirectory(const std::string& path) { return moves_->OpenFolder(path); }

std::string FolderListBox::Directory() const { return moves_->Folder(); }

char FolderListBox::Drive() const { return moves_->Drive(); }

void FolderListBox::SetDrive(char driveLetter, std::function<void(const DriveChange&)> done) {
  moves_->OpenDrive(driveLetter, std::move(done));
}

void FolderListBox::OpenSelected() {
  const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected < 0 || size_t(selected) >= entries_.size()) return;
  const std::string path = entries_[size_t(selected)].path;
  if (path == moves_->Folder()) return;
  moves_->OpenFolder(path, [this, path](bool opened) {
    if (opened) return;
    Fill();
    platform::ShowMessage(L"フォルダを開けません\n" + platform::WideFromUtf8(path));
  });
}

void FolderListBox::SetItemHeight(int pixels) {
  ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, MAKELPARAM(pixels, 0));
}

void FolderListBox::Fill() {
  entries_.clear();
  for (FolderLevel& level : FolderLevels(moves_->Folder()))
    entries_.push_back({std::move(level.path), platform::WideFromUtf8(level.caption), int(entries_.size()), true});
  const int current = int(entries_.size()) - 1;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const Entry& entry : entries_)
    ::SendMessageW(list_, LB_ADDSTRING, 0, LPARAM(entry.caption.c_str()));
  ::SendMessageW(list_, LB_SETCURSEL, WPARAM(current), 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
  reads_->Start(listSlot_, [this, folder = moves_->Folder()] {
    return platform::BackgroundReader::Answer(
        [this, names = ListSubfolders(folder)] { AddSubfolders(names); });
  });
}

// Added below the path, keeping whatever the user selected meanwhile.
void FolderListBox::AddSubfolders(const std::vector<std::wstring>& names) {
  const int level = int(std::count_if(entries_.begin(), entries_.end(),
                                      [](const Entry& entry) { return entry.onPath; }));
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_INITSTORAGE, WPARAM(names.size()), LPARAM(names.size() * 64));
  for (const std::wstring& name : names) {
    entries_.push_back({JoinPath(moves_->Folder(), platform::Utf8FromWide(name)), name, level, false});
    ::SendMessageW(list_, LB_ADDSTRING, 0, LPARAM(name.c_str()));
  }
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void FolderListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID >= entries_.size()) return;
  const Entry& entry = entries_[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const RECT& box = item.rcItem;
  ::FillRect(item.hDC, &box, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int height = box.bottom - box.top;
  const int left = box.left + 2 + entry.level * (height * 5 / 8);
  // A small folder: filled for the folders on the path, outlined below it.
  RECT glyph{left, box.top + height / 4, left + height - 4, box.bottom - height / 6};
  const platform::UniqueBrush folderBrush(::CreateSolidBrush(RGB(232, 192, 72)));
  if (entry.onPath) ::FillRect(item.hDC, &glyph, folderBrush.get());
  ::FrameRect(item.hDC, &glyph, ::GetSysColorBrush(COLOR_GRAYTEXT));
  RECT text{glyph.right + 4, box.top, box.right, box.bottom};
  ::SetBkMode(item.hDC, TRANSPARENT);
  const bool enabled = ::IsWindowEnabled(list_) != FALSE;
  ::SetTextColor(item.hDC, ::GetSysColor(!enabled  ? COLOR_GRAYTEXT
                                         : selected ? COLOR_HIGHLIGHTTEXT
                                                    : COLOR_WINDOWTEXT));
  ::DrawTextW(item.hDC, entry.caption.c_str(), int(entry.caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &box);
}

}  // namespace picker
