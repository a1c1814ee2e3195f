#pragma once
// Writes small picture files for the thumbnail tests: 24-bit Windows bitmaps
// and baseline JPEGs (through libjpeg), each filled with one colour per
// vertical band so a test can see which parts of a picture survive.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace picker::test {

// bands: colours 0x00RRGGBB from left to right, equally wide.
void WriteBitmapFile(const std::filesystem::path& path, int width, int height,
                     const std::vector<uint32_t>& bands);
void WriteJpegFile(const std::filesystem::path& path, int width, int height,
                   const std::vector<uint32_t>& bands);
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// A fresh, empty folder for one test, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace picker::test
