#pragma once
// Pictures the slideshow tests make for themselves: solid-colour bitmap
// files, in a folder of their own that is removed afterwards.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace slideshow_test {

// A fresh empty folder under the temporary folder; removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Makes a sub-folder (its parent must exist) and returns its path.
  std::wstring MakeFolder(const std::wstring& relative) const;

 private:
  std::wstring path_;
};

// A 24-bit bottom-up Windows bitmap file of one colour (0x00RRGGBB).
void WriteSolidBmp(const std::wstring& path, int32_t width, int32_t height, uint32_t rgb);
// The same with each pixel's colour given, top row first.
void WriteBmp(const std::wstring& path, int32_t width, int32_t height,
              const std::function<uint32_t(int32_t x, int32_t y)>& colour);
// Raw bytes, for files that must not decode.
void WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace slideshow_test
