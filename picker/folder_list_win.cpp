#include "picker/folder_list_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "picker/system_text_win.h"
#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/message_box_win.h"
#include "platform/utf16.h"

namespace picker {
namespace {

// Where the root ends: "C:\" is 3 characters, "\\server\share\" up to and
// including the backslash after the share; 0 for a path without a root.
size_t RootLength(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return path.size() >= 3 && path[2] == L'\\' ? 3 : 2;
  if (path.rfind(L"\\\\", 0) != 0) return 0;
  size_t at = path.find(L'\\', 2);
  if (at != std::wstring::npos) at = path.find(L'\\', at + 1);
  return at == std::wstring::npos ? path.size() : at + 1;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// The absolute form of a path, without a trailing backslash unless it is a
// root.
std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  full.resize(::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr));
  if (full.size() > RootLength(full) && full.back() == L'\\') full.pop_back();
  if (RootLength(full) == 2) full += L'\\';
  return full;
}

// No "insert a disk" box from the system while a drive is probed.
class QuietErrors {
 public:
  QuietErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;
  ~QuietErrors() { ::SetThreadErrorMode(previous_, nullptr); }

 private:
  DWORD previous_ = 0;
};

// Lists the sub-folders of a folder, sorted without regard to case; the
// error of the search when the folder cannot be listed at all.
DWORD ListSubfolders(const std::wstring& folder, std::vector<std::wstring>* names) {
  WIN32_FIND_DATAW found;
  const std::wstring pattern = platform::FileSystemPath(Join(folder, L"*"));
  const platform::UniqueFindHandle search(
      ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchLimitToDirectories,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
  }
  if (!names) return ERROR_SUCCESS;
  do {
    const std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      names->push_back(name);
  } while (::FindNextFileW(search.get(), &found));
  std::sort(names->begin(), names->end(), [](const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_LESS_THAN;
  });
  return ERROR_SUCCESS;
}

// A folder that may be listed: opened for listing, not listed, since a
// listing waits for slow storage and the list makes it on the worker.
bool IsListableFolder(const std::wstring& path) {
  const std::wstring system = platform::FileSystemPath(path);
  const DWORD attributes = ::GetFileAttributesW(system.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const HANDLE folder = ::CreateFileW(
      system.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  const platform::UniqueKernelHandle owner(folder);
  return true;
}

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

void FolderListBox::Attach(HWND listBox, platform::BackgroundReader& reads, int slot,
                           std::function<void()> onChange) {
  list_ = listBox;
  reads_ = &reads;
  slot_ = slot;
  onChange_ = std::move(onChange);
  ::SetWindowSubclass(list_, &EnterOpens, 0, reinterpret_cast<DWORD_PTR>(this));
  // The process's current folder, as the list starts; no change is reported
  // for it, so the lists stay as designed until the first opening.
  directory_ = FullPath(L".");
  if (directory_.empty()) directory_ = L"C:\\";
  driveFolders_[std::towupper(directory_[0])] = directory_;
  Fill();
}

bool FolderListBox::SetDirectory(const std::wstring& path) {
  if (path.empty()) return false;
  const std::wstring full = FullPath(path);
  if (full.empty() || !IsListableFolder(full)) return false;
  Move(full);
  return true;
}

std::string FolderListBox::Directory() const { return platform::Utf8FromWide(directory_); }

char FolderListBox::Drive() const {
  return !directory_.empty() && directory_[0] < 0x80 ? char(directory_[0]) : '\0';
}

DriveChange FolderListBox::SetDrive(char driveLetter) {
  const wchar_t drive = std::towupper(wchar_t(static_cast<unsigned char>(driveLetter)));
  if (drive == std::towupper(wchar_t(static_cast<unsigned char>(Drive())))) return {};
  const QuietErrors quiet;
  const std::wstring root{drive, L':', L'\\'};
  if (const DWORD error = ListSubfolders(root, nullptr); error != ERROR_SUCCESS) {
    if (error == ERROR_NOT_READY) return {DriveChange::Kind::NotReady, {}};
    return {DriveChange::Kind::Failed, SystemErrorText(error)};
  }
  const auto remembered = driveFolders_.find(drive);
  std::wstring target =
      remembered != driveFolders_.end() ? remembered->second : FullPath(std::wstring{drive, L':'});
  if (!IsListableFolder(target)) target = root;
  Move(target);
  return {};
}

void FolderListBox::OpenSelected() {
  const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (selected < 0 || size_t(selected) >= entries_.size()) return;
  const std::wstring path = entries_[size_t(selected)].path;
  if (path == directory_) return;
  if (!SetDirectory(path)) {
    Fill();
    platform::ShowMessage(L"フォルダを開けません\n" + path);
  }
}

void FolderListBox::SetItemHeight(int pixels) {
  ::SendMessageW(list_, LB_SETITEMHEIGHT, 0, MAKELPARAM(pixels, 0));
}

void FolderListBox::Move(std::wstring directory) {
  if (directory.empty() ||
      ::CompareStringOrdinal(directory.c_str(), -1, directory_.c_str(), -1, TRUE) == CSTR_EQUAL)
    return;
  directory_ = std::move(directory);
  driveFolders_[std::towupper(directory_[0])] = directory_;
  Fill();
  if (onChange_) onChange_();
}

void FolderListBox::Fill() {
  entries_.clear();
  const size_t rootLength = RootLength(directory_);
  std::wstring path = directory_.substr(0, rootLength);
  entries_.push_back({path, path, 0, true});
  for (size_t start = rootLength; start < directory_.size();) {
    size_t end = directory_.find(L'\\', start);
    if (end == std::wstring::npos) end = directory_.size();
    const std::wstring name = directory_.substr(start, end - start);
    path = Join(path, name);
    entries_.push_back({path, name, int(entries_.size()), true});
    start = end + 1;
  }
  const int current = int(entries_.size()) - 1;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const Entry& entry : entries_)
    ::SendMessageW(list_, LB_ADDSTRING, 0, LPARAM(entry.caption.c_str()));
  ::SendMessageW(list_, LB_SETCURSEL, WPARAM(current), 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
  reads_->Start(slot_, [this, directory = directory_] {
    std::vector<std::wstring> names;
    ListSubfolders(directory, &names);
    return platform::BackgroundReader::Answer([this, names = std::move(names)] { AddSubfolders(names); });
  });
}

// Added below the path, keeping whatever the user selected meanwhile.
void FolderListBox::AddSubfolders(const std::vector<std::wstring>& names) {
  const int level = int(std::count_if(entries_.begin(), entries_.end(),
                                      [](const Entry& entry) { return entry.onPath; }));
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_INITSTORAGE, WPARAM(names.size()), LPARAM(names.size() * 64));
  for (const std::wstring& name : names) {
    entries_.push_back({Join(directory_, name), name, level, false});
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
