#include "tests/wine/timing/big_jpeg.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace timing_test {
namespace {

void PatternRow(std::vector<uint8_t>& row, int32_t y) {
  const int32_t width = int32_t(row.size() / 3);
  for (int32_t x = 0; x < width; ++x) {
    const uint32_t noise = (uint32_t(x) * 2654435761u) ^ (uint32_t(y) * 40503u);
    row[size_t(x) * 3 + 0] = uint8_t((x / 24 + y / 16) + (noise >> 28));
    row[size_t(x) * 3 + 1] = uint8_t(((x * y) >> 14) + ((noise >> 20) & 15));
    row[size_t(x) * 3 + 2] = uint8_t(96 + ((noise >> 8) & 63));
  }
}

std::vector<uint8_t> Encode(int32_t width, int32_t height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 88, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(width) * 3);
  for (int32_t y = 0; y < height; ++y) {
    PatternRow(row, y);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace

void WriteDetailedJpeg(const std::wstring& path, int32_t width, int32_t height) {
  const std::vector<uint8_t> bytes = Encode(width, height);
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the JPEG file");
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write the JPEG file");
}

}  // namespace timing_test
