#include "form_driver.h"


#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "resources/dcdir_ids.h"
#include "tests/wine/driver/folder_tree.h"

namespace picker_wine {

void ClickListEntry(HWND dialog, int listId, int index, bool ctrl) {
  const HWND list = ::GetDlgItem(dialog, listId);
  if (!ctrl) {
    ::SendMessageW(list, LB_SETSEL, FALSE, LPARAM(-1));
    ::SendMessageW(list, LB_SETSEL, TRUE, LPARAM(index));
  } else {
    const bool selected = ::SendMessageW(list, LB_GETSEL, WPARAM(index), 0) > 0;
    ::SendMessageW(list, LB_SETSEL, !selected, LPARAM(index));
  }
  ::SendMessageW(list, LB_SETCARETINDEX, WPARAM(index), FALSE);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), LPARAM(list));
}

void OpenFolderEntry(HWND dialog, int index) {
  const HWND list = ::GetDlgItem(dialog, IDC_DCDIR_DLBTHUMB);
  ::SendMessageW(list, LB_SETCURSEL, WPARAM(index), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DCDIR_DLBTHUMB, LBN_DBLCLK), LPARAM(list));
}

void ClickButton(HWND dialog, int buttonId) {
  ::SendMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

std::vector<std::wstring> ListTexts(HWND list) {
  std::vector<std::wstring> texts;
  const int count = int(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(size_t(::SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    text.resize(size_t(::SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()))));
    texts.push_back(text);
  }
  return texts;
}

int ListSelectedCount(HWND list) { return int(::SendMessageW(list, LB_GETSELCOUNT, 0, 0)); }

ScratchFolder::ScratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = std::wstring(temp) + name + L"_" + std::to_wstring(::GetCurrentProcessId());
  if (!::CreateDirectoryW(path_.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
    throw std::runtime_error("cannot create the scratch folder");
}

ScratchFolder::~ScratchFolder() { driver::RemoveFolderTree(path_); }

void ScratchFolder::WriteBitmap(const std::wstring& name, int width, int height,
                                uint32_t colour) const {
  const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + stride * uint32_t(height);
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::vector<uint8_t> row(stride, 0);
  for (int x = 0; x < width; ++x) {
    row[size_t(x) * 3] = uint8_t(colour), row[size_t(x) * 3 + 1] = uint8_t(colour >> 8),
                    row[size_t(x) * 3 + 2] = uint8_t(colour >> 16);
  }
  std::ofstream out(std::filesystem::path(*this / name), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&info), sizeof(info));
  for (int y = 0; y < height; ++y) out.write(reinterpret_cast<const char*>(row.data()), stride);
}

void ScratchFolder::WriteText(const std::wstring& name, const std::string& text) const {
  std::ofstream(std::filesystem::path(*this / name), std::ios::binary) << text;
}

std::wstring ScratchFolder::MakeFolder(const std::wstring& name) const {
  const std::wstring path = *this / name;
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

}  // namespace picker_wine
