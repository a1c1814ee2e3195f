#pragma once
// Driving a picture-selection dialog through its controls' messages, from a
// thread (or process) other than the dialog's, as a user would: a click on a
// list entry selects it, moves the focus mark there and notifies the dialog.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace picker_wine {

// A plain click selects only that entry; with ctrl it toggles the entry.
void ClickListEntry(HWND dialog, int listId, int index, bool ctrl = false);
void ClickButton(HWND dialog, int buttonId);
// A double-click on an entry of the folder list.
void OpenFolderEntry(HWND dialog, int index);

std::vector<std::wstring> ListTexts(HWND list);
int ListSelectedCount(HWND list);

// A fresh folder under the temporary folder, removed with its files by the
// destructor.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // A 24-bit bitmap of one colour (0x00RRGGBB).
  void WriteBitmap(const std::wstring& name, int width, int height, uint32_t colour) const;
  void WriteText(const std::wstring& name, const std::string& text) const;
  std::wstring MakeFolder(const std::wstring& name) const;

 private:
  std::wstring path_;
};

}  // namespace picker_wine
