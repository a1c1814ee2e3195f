#include "picker/drive_selector_win.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace picker {
namespace {

std::wstring DriveCaption(wchar_t letter, const wchar_t* root) {
  std::wstring caption{wchar_t(std::towlower(letter)), L':'};
  const UINT type = ::GetDriveTypeW(root);
  if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) return caption;
  wchar_t volume[MAX_PATH + 1] = L"";
  if (::GetVolumeInformationW(root, volume, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
      volume[0])
    caption += std::wstring(L" [") + volume + L"]";
  return caption;
}

}  // namespace

void DriveSelector::Attach(HWND comboBox, char initialDrive, std::function<void()> onChange) {
  combo_ = comboBox;
  std::vector<wchar_t> roots(::GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
  ::GetLogicalDriveStringsW(DWORD(roots.size()), roots.data());
  for (const wchar_t* root = roots.data(); *root; root += wcslen(root) + 1) {
    const wchar_t letter = wchar_t(std::towupper(root[0]));
    letters_ += letter;
    ::SendMessageW(combo_, CB_ADDSTRING, 0, LPARAM(DriveCaption(letter, root).c_str()));
  }
  SetDrive(initialDrive);
  onChange_ = std::move(onChange);
}

char DriveSelector::Drive() const { return shown_; }

int DriveSelector::IndexOf(char driveLetter) const {
  const size_t at = letters_.find(wchar_t(std::towupper(wchar_t(static_cast<unsigned char>(driveLetter)))));
  return driveLetter && at != std::wstring::npos ? int(at) : -1;
}

void DriveSelector::SetDrive(char driveLetter) {
  const int index = IndexOf(driveLetter);
  if (index < 0 || index == IndexOf(shown_)) return;
  ::SendMessageW(combo_, CB_SETCURSEL, WPARAM(index), 0);
  shown_ = char(letters_[size_t(index)]);
  if (onChange_) onChange_();
}

void DriveSelector::SelectionChanged() {
  const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  if (index < 0 || size_t(index) >= letters_.size() || letters_[size_t(index)] == wchar_t(shown_))
    return;
  shown_ = char(letters_[size_t(index)]);
  if (onChange_) onChange_();
}

}  // namespace picker
