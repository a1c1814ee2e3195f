#include "tests/wine/slideshow/test_pictures.h"

#include <stdexcept>
#include <vector>

#include "tests/wine/driver/folder_tree.h"

namespace slideshow_test {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
}  // namespace

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH]{};
  ::GetTempPathW(MAX_PATH, base);
  static int serial = 0;
  path_ = std::wstring(base) + L"tolvex-show-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  if (!::CreateDirectoryW(path_.c_str(), nullptr)) {
    throw std::runtime_error("the picture folder could not be made");
  }
}


TempFolder::~TempFolder() { driver::RemoveFolderTree(path_); }

std::wstring TempFolder::MakeFolder(const std::wstring& relative) const {
  const std::wstring path = File(relative);
  if (!::CreateDirectoryW(path.c_str(), nullptr)) throw std::runtime_error("a sub-folder could not be made");
  return path;
}

void WriteSolidBmp(const std::wstring& path, int32_t width, int32_t height, uint32_t rgb) {
  WriteBmp(path, width, height, [rgb](int32_t, int32_t) { return rgb; });
}

void WriteBmp(const std::wstring& path, int32_t width, int32_t height,
              const std::function<uint32_t(int32_t x, int32_t y)>& colour) {
  const uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowBytes * uint32_t(height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixelBytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  std::vector<uint8_t> row(rowBytes, 0);
  for (int32_t y = height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t rgb = colour(x, y);
      row[size_t(x) * 3] = uint8_t(rgb);
      row[size_t(x) * 3 + 1] = uint8_t(rgb >> 8);
      row[size_t(x) * 3 + 2] = uint8_t(rgb >> 16);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  WriteBytes(path, std::string(out.begin(), out.end()));
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("a picture could not be written");
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("a picture could not be written");
}

}  // namespace slideshow_test
